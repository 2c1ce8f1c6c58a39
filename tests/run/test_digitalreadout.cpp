#include "run/digitalreadout.h"

#include <gtest/gtest.h>

#include "design/picture.h"
#include "design/runtimeerror.h"

using namespace dw::run;
using dw::design::Picture;

namespace {

struct StepCase {
    const char* name;
    HourMode mode;
    TimeDirection direction;
    DigitalTime from, to;
};

class TimeStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(TimeStep, movesOneSecondWithWrapsAndMarker) {
    DigitalTime t = GetParam().from;
    stepDigitalTime(t, GetParam().mode, GetParam().direction);
    EXPECT_EQ(t, GetParam().to);
}

constexpr auto k12 = HourMode::Twelve;
constexpr auto k24 = HourMode::TwentyFour;
constexpr auto kUp = TimeDirection::Ascending;
constexpr auto kDown = TimeDirection::Descending;

INSTANTIATE_TEST_SUITE_P(
    Digital, TimeStep,
    ::testing::Values(StepCase{"noonUp", k12, kUp, {11, 59, 59, true}, {12, 0, 0, false}},
                      StepCase{"beforeNoonUp", k12, kUp, {11, 59, 58, true}, {11, 59, 59, true}},
                      StepCase{"midnightUp", k12, kUp, {11, 59, 59, false}, {12, 0, 0, true}},
                      StepCase{"oneAfterTwelve", k12, kUp, {12, 59, 59, false}, {1, 0, 0, false}},
                      StepCase{"noonDown", k12, kDown, {12, 0, 0, false}, {11, 59, 59, true}},
                      StepCase{"atNoonDown", k12, kDown, {12, 0, 1, false}, {12, 0, 0, false}},
                      StepCase{"twelveBeforeOne", k12, kDown, {1, 0, 0, true}, {12, 59, 59, true}},
                      StepCase{"dayUp", k24, kUp, {23, 59, 59, true}, {0, 0, 0, true}},
                      StepCase{"noonNoFlip24", k24, kUp, {11, 59, 59, true}, {12, 0, 0, true}},
                      StepCase{"dayDown", k24, kDown, {0, 0, 0, true}, {23, 59, 59, true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DigitalNumbers, padAsEachModeWrites) {
    const DigitalTime t{9, 5, 7, true};
    const DigitalNumbers h24 = digitalNumbers(t, k24, false, false);
    EXPECT_EQ(h24.hours + ":" + h24.minutes + ":" + h24.seconds, "09:05:07");
    const DigitalNumbers h12 = digitalNumbers(t, k12, false, false);
    EXPECT_EQ(h12.hours + ":" + h12.minutes + ":" + h12.seconds, "9:05:07");
    EXPECT_EQ(digitalNumbers(t, k12, true, false).seconds, "7");
    EXPECT_EQ(digitalNumbers(t, k12, true, true).seconds, "07");
}

std::string describe(const std::vector<ReadoutItem>& items) {
    std::string text;
    for (const ReadoutItem& item : items) {
        text += (item.drawn ? "" : "~") + item.text + "/" + std::to_string(item.colour) + " ";
    }
    return text;
}

TEST(ReadoutItems, followTheModesOrderColoursAndFlashing) {
    ReadoutStyle style{k12, false, false, true, 1, 2, 3, 4};
    const ReadoutTexts texts{"<", ":", ".", ">", "am", "pm"};
    const DigitalNumbers n{"9", "05", "07"};
    EXPECT_EQ(describe(readoutItems(style, texts, n, false, true)),
              "</4 pm/4 9/1 :/4 05/2 ./4 07/3 >/4 ");
    style.ampmAfter = true;
    EXPECT_EQ(describe(readoutItems(style, texts, n, true, false)),
              "</4 9/1 ~:/4 05/2 ~./4 07/3 am/4 >/4 ");
    style.hourMode = k24;
    style.flash = false; // hidden separators only hide while flashing
    EXPECT_EQ(describe(readoutItems(style, texts, n, true, false)),
              "</4 9/1 :/4 05/2 ./4 07/3 >/4 ");
    style.secondsOnly = true;
    EXPECT_EQ(describe(readoutItems(style, texts, n, true, true)), "07/3 ");
}

class ReadoutDrawing : public ::testing::Test {
protected:
    QFont font = readoutFont("DejaVu Sans", 12, false, false);
    const std::vector<ReadoutItem> items{
        {"12", 0x0000FF, true}, {":", 0x00FF00, false}, {"34", 0xFF0000, true}};
    Picture picture{120, 40};
};

TEST_F(ReadoutDrawing, layoutAdvancesFromTheLeftAndKeepsHiddenSpace) {
    const ReadoutLayout at0 = layoutReadout(font, 0, items);
    const ReadoutLayout at10 = layoutReadout(font, 10, items);
    ASSERT_EQ(at0.items.size(), 3u);
    EXPECT_EQ(at10.width, at0.width + 10);
    EXPECT_GT(at0.items[2].x, at0.items[1].x); // the hidden colon still takes its width
    EXPECT_EQ(at0.height, layoutReadout(font, 0, {{"1", 0, true}}).height);
    EXPECT_GT(at0.height, 12);
    EXPECT_THROW(layoutReadout(font, 32760, items), dw::design::RuntimeError);
}

TEST_F(ReadoutDrawing, drawsExactColoursInsideTheItemBoxesOverTheFace) {
    picture.clear(0x808080);
    const ReadoutLayout layout = drawDigitalTime(picture, font, 5, 3, items, false);
    const QImage image = picture.toImage();
    int red = 0, blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) & 0xFFFFFF;
            if (p == 0x808080) {
                continue; // the face shows between the letters
            }
            ASSERT_TRUE(p == 0xFF0000 || p == 0x0000FF) << x << "," << y << " " << p;
            EXPECT_TRUE(y >= 3 && y < 3 + layout.height) << y;
            const int itemLeft = layout.items[p == 0xFF0000 ? 0 : 2].x;
            const int itemRight = p == 0xFF0000 ? layout.items[1].x : layout.width;
            EXPECT_TRUE(x >= itemLeft && x < itemRight) << x;
            ++(p == 0xFF0000 ? red : blue);
        }
    }
    EXPECT_GT(red, 10);
    EXPECT_GT(blue, 10);
}

} // namespace
