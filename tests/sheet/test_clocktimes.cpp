#include <gtest/gtest.h>

#include "sheet/clocktimes.h"

namespace dw::sheet {
namespace {

struct TimeCase {
    const char* name;
    const char* text;
    std::optional<ClockTime> time;
};

const TimeCase kTimes[] = {
    {"hoursMinutesSeconds", "9:05:07", ClockTime{9, 5, 7}},
    {"hoursAndMinutesOnly", "23:59", ClockTime{23, 59, 0}},
    {"midnight", "00:00:00", ClockTime{0, 0, 0}},
    {"hourPastTheDay", "25:00:00", std::nullopt},
    {"minutePastTheHour", "9:60", std::nullopt},
    {"secondPastTheMinute", "9:00:60", std::nullopt},
    {"oneDigitMinutes", "9:5", std::nullopt},
    {"letters", "noon", std::nullopt},
    {"sign", "-1:00", std::nullopt},
    {"fourParts", "1:02:03:04", std::nullopt},
    {"empty", "", std::nullopt},
};

class ClockTimeText : public ::testing::TestWithParam<TimeCase> {};

TEST_P(ClockTimeText, parsesOnlyRealClockTimes) {
    EXPECT_EQ(parseClockTime(GetParam().text), GetParam().time);
}

INSTANTIATE_TEST_SUITE_P(Texts, ClockTimeText, ::testing::ValuesIn(kTimes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClockTimeList, namesTheFirstBadEntryAsTyped) {
    std::string bad;
    EXPECT_FALSE(parseClockTimes("3:00, 25:00:00,9:60", &bad));
    EXPECT_EQ(bad, "25:00:00");
    const auto times = parseClockTimes("3:00, 10:08:42", &bad);
    ASSERT_TRUE(times);
    EXPECT_EQ(*times, (std::vector<ClockTime>{{3, 0, 0}, {10, 8, 42}}));
}

TEST(HardMoments, endWithTheRollOversOfTheStartTime) {
    const std::vector<ClockTime> moments = hardMoments({10, 10, 30});
    ASSERT_EQ(moments.size(), 10u);
    EXPECT_EQ(moments[8], (ClockTime{10, 10, 59}));
    EXPECT_EQ(moments[9], (ClockTime{10, 59, 59}));
    EXPECT_EQ(clockTimeText(moments[3]), "23:59:59");
}

} // namespace
} // namespace dw::sheet
