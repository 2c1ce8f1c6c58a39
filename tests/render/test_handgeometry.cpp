#include "render/handgeometry.h"

#include <gtest/gtest.h>

#include <vector>

#include "design/clockdesign.h"
#include "design/runtimeerror.h"

using namespace dw::render;
using dw::design::RuntimeError;

namespace {

// Steps a run the way the run loop does: advance, then count smooth-second sub-steps.
struct Stepper {
    HandGeometry& geometry;
    MovementOptions options;
    HandIndices indices;
    std::int16_t subStep = 0;

    void step() {
        geometry.advanceTime(indices, options, subStep);
        if (options.smoothSecond && ++subStep == 6) {
            subStep = 0;
        }
    }
};

// The stepping rule with counters that cannot overflow, to compare long runs against.
struct UnboundedReference {
    long long hourCounter = 0;
    long long minuteCounter = 0;

    void advance(HandIndices& t, const MovementOptions& o, int subStep) {
        t.second = static_cast<std::int16_t>(t.second - (o.smoothSecond ? 1 : 6));
        if (t.second <= 0) {
            t.second = 360;
        }
        if (o.smoothMinute && minuteCounter >= 10) {
            t.minute -= 1;
            minuteCounter = 0;
        }
        if (!o.smoothSecond || subStep == 0) {
            ++minuteCounter;
        }
        if (t.second == 180) {
            if (!o.smoothMinute) {
                t.minute -= 6;
            }
            if (!o.smoothHour && t.minute == 180) {
                t.hour -= 30;
            }
            if (o.smoothHour) {
                if (hourCounter >= 1) {
                    t.hour -= 1;
                    hourCounter = 0;
                } else {
                    ++hourCounter;
                }
            }
        }
        if (t.hour <= 0) {
            t.hour = 360;
        }
        if (t.minute <= 0) {
            t.minute = 360;
        }
    }
};

} // namespace

TEST(HandGeometryTest, steppedRunFromThreeOClock) {
    HandGeometry geometry;
    Stepper run{geometry, {}, geometry.startIndices(3, 0, 0, {})};
    EXPECT_EQ(run.indices, (HandIndices{90, 180, 180}));
    run.step();
    EXPECT_EQ(run.indices.second, 174) << "the first frame already shows one second past";
    for (int s = 2; s < 60; ++s) {
        run.step();
    }
    EXPECT_EQ(run.indices.minute, 180);
    run.step();
    EXPECT_EQ(run.indices, (HandIndices{90, 174, 180}));
    for (int s = 61; s < 3600; ++s) {
        run.step();
        ASSERT_EQ(run.indices.hour, 90) << "step " << s;
    }
    run.step();
    EXPECT_EQ(run.indices, (HandIndices{60, 180, 180})) << "four o'clock";
}

TEST(HandGeometryTest, smoothSecondsMoveOneDegreeAndCountSecondsOnce) {
    HandGeometry geometry;
    MovementOptions options;
    options.smoothSecond = true;
    Stepper run{geometry, options, geometry.startIndices(12, 0, 0, options)};
    const std::int16_t counterBefore = geometry.minuteCounter();
    std::vector<int> seconds;
    for (int s = 0; s < 6; ++s) {
        run.step();
        seconds.push_back(run.indices.second);
        EXPECT_EQ(geometry.minuteCounter(), std::min(counterBefore + 1, 10)) << "sub-step " << s;
    }
    EXPECT_EQ(seconds, (std::vector<int>{179, 178, 177, 176, 175, 174}));
    run.step();
    EXPECT_EQ(geometry.minuteCounter(), std::min(counterBefore + 2, 10));
}

TEST(HandGeometryTest, smoothHourStartsOnTheNearestMinuteMark) {
    HandGeometry geometry;
    EXPECT_EQ(geometry.smoothHourStart(6, 30), 348) << "32.5 rounds to 32";
    EXPECT_EQ(geometry.hourCounter(), 1);
    EXPECT_EQ(geometry.smoothHourStart(12, 59), 150) << "64.9 rounds to 65, past 60 gives mark 5";
    EXPECT_EQ(geometry.hourCounter(), 0) << "odd minutes";
    EXPECT_EQ(geometry.smoothHourStart(12, 0), 180);
}

TEST(HandGeometryTest, smoothHourMovesOneDegreeEveryTwoMinutes) {
    HandGeometry geometry;
    MovementOptions options;
    options.smoothHour = true;
    Stepper run{geometry, options, geometry.startIndices(6, 30, 0, options)};
    std::vector<int> hours;
    for (int s = 0; s < 5 * 60; ++s) {
        run.step();
        if (run.indices.second == 180) {
            hours.push_back(run.indices.hour);
        }
    }
    EXPECT_EQ(hours, (std::vector<int>{347, 347, 346, 346, 345}));
}

TEST(HandGeometryTest, smoothMinuteStartsBackByTheSecondsGone) {
    HandGeometry geometry;
    EXPECT_EQ(geometry.smoothMinuteStart(180, 35), 176) << "176.5 rounds to 176";
    EXPECT_EQ(geometry.minuteCounter(), 5);

    MovementOptions options;
    options.smoothMinute = true;
    Stepper run{geometry, options, {180, 176, minutePosition(35)}};
    std::vector<int> minutes;
    for (int s = 0; s < 16; ++s) {
        run.step();
        minutes.push_back(run.indices.minute);
    }
    EXPECT_EQ(minutes, (std::vector<int>{176, 176, 176, 176, 176, 175, 175, 175, 175, 175, 175, 175,
                                         175, 175, 175, 174}));
}

TEST(HandGeometryTest, jitterWobblesAboutTheNewPositionAndReturns) {
    const std::array<std::int16_t, 6> offsets = dw::design::ClockDesign{}.jitterOffsets;
    std::int16_t second = 6;
    std::vector<int> seen;
    for (int frame = 0; frame < 5; ++frame) {
        second = jitterSecond(second, offsets, frame);
        seen.push_back(second);
    }
    EXPECT_EQ(seen, (std::vector<int>{6, 8, 6, 4, 6}));
    EXPECT_THROW(jitterSecond(6, offsets, 6), RuntimeError);
}

TEST(HandGeometryTest, bitmapThetaIsZeroAtTwelveAndGrowsAnticlockwise) {
    EXPECT_DOUBLE_EQ(bitmapTheta(180), 0.0);
    EXPECT_NEAR(bitmapTheta(90), 4.71, 1e-12);
    EXPECT_NEAR(bitmapTheta(360), 3.14, 1e-12);
    EXPECT_NEAR(bitmapTheta(270), 1.57, 1e-12);
    EXPECT_NEAR(bitmapTheta(0), 3.14, 1e-12);
}

// The minute counter counts every second whatever the options and is reset only under smooth
// minutes; it must neither overflow nor change any index over runs longer than 32767 seconds.
TEST(HandGeometryTest, longRunsMatchAnUnboundedReference) {
    struct Run {
        MovementOptions options;
        int steps;
    };
    MovementOptions smoothMinute;
    smoothMinute.smoothMinute = true;
    MovementOptions smoothAll{true, true, true, false};
    const std::vector<Run> runs{{{}, 40000},
                                {smoothMinute, 40000},
                                {{}, 3000},
                                {smoothAll, 6 * 40000},
                                {{false, false, true, true}, 40000}};

    HandGeometry geometry;
    UnboundedReference reference;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const MovementOptions& o = runs[r].options;
        HandIndices ours = geometry.startIndices(9, 10, 35, o);
        HandIndices theirs = ours;
        if (o.smoothHour) {
            reference.hourCounter = 1; // ten minutes: even
        }
        if (o.smoothMinute) {
            reference.minuteCounter = 5; // 35 seconds
        }
        Stepper run{geometry, o, ours};
        for (int s = 0; s < runs[r].steps; ++s) {
            reference.advance(theirs, o, run.subStep);
            run.step();
            ASSERT_EQ(run.indices, theirs) << "run " << r << " step " << s;
            ASSERT_LE(geometry.minuteCounter(), 10);
        }
    }
    EXPECT_GT(reference.minuteCounter, 32767) << "a 16-bit counter would have overflowed";
}
