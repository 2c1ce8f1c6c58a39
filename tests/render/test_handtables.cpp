#include "render/handtables.h"

#include <gtest/gtest.h>

#include "design/clockdesign.h"
#include "design/runtimeerror.h"
#include "render/handgeometry.h"

using namespace dw::render;
using dw::design::ClockDesign;
using dw::design::RuntimeError;

namespace {

HandTables tablesOf(const ClockDesign& design) {
    HandTables tables;
    computeHandTables(tables, design);
    return tables;
}

const PointColumn* allTipAndReflectionColumns(const HandTables& t, int k) {
    const PointColumn* columns[] = {&t.secondTip,        &t.minuteTip,        &t.hourTip,
                                    &t.secondReflection, &t.minuteReflection, &t.hourReflection};
    return columns[k];
}

} // namespace

TEST(HandTablesTest, positionsOfTheTimeOfDayCountDownFromTwelve) {
    EXPECT_EQ(hourPosition(12), 180);
    EXPECT_EQ(hourPosition(6), 360);
    EXPECT_EQ(hourPosition(3), 90);
    EXPECT_EQ(hourPosition(1), 150);
    EXPECT_EQ(hourPosition(7), 330);
    EXPECT_EQ(minutePosition(0), 180);
    EXPECT_EQ(minutePosition(15), 90);
    EXPECT_EQ(minutePosition(30), 360);
    EXPECT_EQ(minutePosition(31), 354) << "the count goes on from 360";
    EXPECT_EQ(minutePosition(45), 270);
    EXPECT_EQ(minutePosition(59), 186);
    EXPECT_THROW(hourPosition(13), RuntimeError);
    EXPECT_THROW(minutePosition(-1), RuntimeError);
    EXPECT_THROW(minutePosition(61), RuntimeError);
}

TEST(HandTablesTest, tipsAndReflectionsOfTheStartDesign) {
    const HandTables t = tablesOf(ClockDesign{}); // centre 160, 90, radius 64
    EXPECT_EQ(t.secondTip.at(180), QPoint(160, 26)) << "twelve o'clock";
    EXPECT_EQ(t.secondTip.at(90), QPoint(224, 90)) << "three o'clock";
    EXPECT_EQ(t.secondTip.at(360), QPoint(160, 154)) << "six o'clock";
    EXPECT_EQ(t.secondTip.at(540), t.secondTip.at(180)) << "the second turn";
    EXPECT_EQ(t.hourTip.at(180), QPoint(160, 52)) << "60% of 64 is 38.4";
    EXPECT_EQ(t.minuteTip.at(270), QPoint(112, 90)) << "75% of 64 is 48";
    EXPECT_EQ(t.secondReflection.at(90), QPoint(134, 90)) << "points the opposite way, 25.6";
    EXPECT_EQ(t.innerCircle.at(180), QPoint(160, 80));
    EXPECT_EQ(t.innerCircle.at(90), QPoint(170, 90));
}

TEST(HandTablesTest, onlyTheHourReflectionLengthIsRoundedBeforeUse) {
    ClockDesign design;
    design.radius = "100";
    design.edtHRLen = "3.5"; // rounds to 4
    design.edtMRLen = "3.5"; // stays 3.5
    const HandTables t = tablesOf(design);
    EXPECT_EQ(t.hourReflection.at(180).y(), 94);
    EXPECT_EQ(t.minuteReflection.at(180).y(), 93);
}

TEST(HandTablesTest, straighteningCorrectsRowsNearTheAxesOnly) {
    ClockDesign design;
    design.radius = "400";
    design.innerradius = "10";
    const HandTables plain = tablesOf(design);
    EXPECT_EQ(plain.secondTip.at(180).x(), 161) << "6.28 leaves twelve o'clock off the axis";
    EXPECT_EQ(plain.secondTip.at(270).y(), 89);

    design.ac_straighten = 1;
    const HandTables straight = tablesOf(design);
    for (int k = 0; k < 6; ++k) {
        const PointColumn& c = *allTipAndReflectionColumns(straight, k);
        SCOPED_TRACE(k);
        EXPECT_EQ(c.at(0).x(), 160);
        EXPECT_EQ(c.at(180).x(), 160);
        EXPECT_EQ(c.at(360).x(), 160);
        EXPECT_EQ(c.at(270).y(), 90);
        EXPECT_EQ(c.at(90), allTipAndReflectionColumns(plain, k)->at(90));
        EXPECT_EQ(c.at(540), allTipAndReflectionColumns(plain, k)->at(540));
    }
}

TEST(HandTablesTest, straighteningLeavesRowsNinetyAndTheSecondTurnAlone) {
    ClockDesign design;
    design.radius = "1000";
    design.ac_straighten = 1;
    const HandTables t = tablesOf(design);
    EXPECT_EQ(t.secondTip.at(90).y(), 91);
    EXPECT_EQ(t.secondTip.at(540).x(), 165);
    EXPECT_EQ(t.secondTip.at(720).x(), 154);
}

TEST(HandTablesTest, valuesBeyondSixteenBitsAreRunTimeErrors) {
    ClockDesign design;
    design.innerradius = "40000";
    HandTables t;
    try {
        computeInnerCircle(t, design);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.description(), "Overflow");
    }
    design.innerradius = "10";
    design.centrex = 32700;
    design.radius = "100"; // a tip at 32800
    EXPECT_THROW(computeHandTables(t, design), RuntimeError);
}

TEST(HandTablesTest, failedRecomputeKeepsThePreviousTables) {
    ClockDesign design;
    HandGeometry geometry;
    geometry.refresh(design);
    const QPoint before = geometry.tables().innerCircle.at(90);
    design.innerradius = "40000";
    EXPECT_THROW(geometry.refresh(design), RuntimeError);
    EXPECT_EQ(geometry.tables().innerCircle.at(90), before);
}

TEST(HandTablesTest, rowsOutsideTheTablesAreCheckedAndOneBelowZeroWraps) {
    const HandTables t = tablesOf(ClockDesign{});
    EXPECT_THROW(t.secondTip.at(721), RuntimeError);
    EXPECT_THROW(t.secondTip.at(-1), RuntimeError);
    EXPECT_EQ(tableRow(-1), 359);
    EXPECT_EQ(tableRow(362), 362);
    EXPECT_THROW(tableRow(721), RuntimeError);
    EXPECT_THROW(tableRow(-400), RuntimeError);
    EXPECT_EQ(oppositeRow(90), 270);
    EXPECT_EQ(oppositeRow(270), 90);
    EXPECT_EQ(oppositeRow(180), 0);
}
