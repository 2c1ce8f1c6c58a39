#include "design/inivalues.h"

#include <gtest/gtest.h>

#include <optional>

#include "design/runtimeerror.h"

using namespace dw::design;

namespace {

template <typename Call> std::string raisedBy(Call call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.description();
    }
    return "";
}

} // namespace

struct CheckCase {
    const char* name;
    const char* text;
    std::int16_t value; // meaningful when no error
    const char* error;
};

class CheckValue : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckValue, acceptsZeroOneTwoAfterRoundingAndRefusesTheRest) {
    const CheckCase& c = GetParam();
    std::int16_t value = -99;
    EXPECT_EQ(raisedBy([&] { value = checkValueOf(c.text); }), c.error);
    if (std::string(c.error).empty()) {
        EXPECT_EQ(value, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, CheckValue,
                         testing::Values(CheckCase{"zero", "0", 0, ""},
                                         CheckCase{"one", "1", 1, ""},
                                         CheckCase{"grey", "2", 2, ""},
                                         CheckCase{"halfGoesToEven", "0.5", 0, ""},
                                         CheckCase{"oneAndAHalfGoesToTwo", "1.5", 2, ""},
                                         CheckCase{"twoAndAHalfGoesToTwo", "2.5", 2, ""},
                                         CheckCase{"digitsThenLetters", "1x", 1, ""},
                                         CheckCase{"three", "3", 0, kInvalidPropertyValue},
                                         CheckCase{"minusOne", "-1", 0, kInvalidPropertyValue},
                                         CheckCase{"tooLarge", "40000", 0, kOverflow}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BooleanCase {
    const char* name;
    const char* text;
    std::optional<bool> value; // nullopt: a type mismatch
};

class BooleanValue : public testing::TestWithParam<BooleanCase> {};

TEST_P(BooleanValue, readsWordsInAnyCaseOrNumbers) {
    const BooleanCase& c = GetParam();
    bool value = false;
    const std::string error = raisedBy([&] { value = booleanValueOf(c.text); });
    if (c.value) {
        EXPECT_EQ(error, "");
        EXPECT_EQ(value, *c.value);
    } else {
        EXPECT_EQ(error, kTypeMismatch);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BooleanValue,
    testing::Values(BooleanCase{"trueWord", "True", true}, BooleanCase{"upperCase", "TRUE", true},
                    BooleanCase{"falseWord", "fAlSe", false}, BooleanCase{"zero", "0", false},
                    BooleanCase{"minusOne", "-1", true}, BooleanCase{"fraction", "0.5", true},
                    BooleanCase{"hex", "&H10", true}, BooleanCase{"yes", "yes", std::nullopt},
                    BooleanCase{"empty", "", std::nullopt},
                    BooleanCase{"numberThenText", "1x", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniValuesTest, integersMustBeWholeNumbersThatFit) {
    EXPECT_EQ(integerValueOf("12.5"), 12);
    EXPECT_EQ(integerValueOf(" 13.5 "), 14);
    EXPECT_EQ(integerValueOf("-32768"), -32768);
    EXPECT_EQ(raisedBy([] { integerValueOf("12abc"); }), kTypeMismatch);
    EXPECT_EQ(raisedBy([] { integerValueOf(""); }), kTypeMismatch);
    EXPECT_EQ(raisedBy([] { integerValueOf("32767.5"); }), kOverflow);
}

TEST(IniValuesTest, flagsArePressedForAnyNumberThatRoundsAwayFromZero) {
    EXPECT_FALSE(flagValueOf("0"));
    EXPECT_FALSE(flagValueOf("0.5"));
    EXPECT_FALSE(flagValueOf("x"));
    EXPECT_TRUE(flagValueOf("1"));
    EXPECT_TRUE(flagValueOf("7"));
    EXPECT_TRUE(flagValueOf("1e10"));
}

TEST(IniValuesTest, displayOrderTakesThreeLettersOfAKnownOrder) {
    EXPECT_EQ(displayOrderOf("hmsx"), "hms");
    EXPECT_EQ(displayOrderOf("smh"), "smh");
    EXPECT_EQ(displayOrderOf("hm"), "shm");
    EXPECT_EQ(displayOrderOf("HMS"), "shm");
}

TEST(IniValuesTest, reformattedNumberIsShortestDecimalOrTheTextAsTyped) {
    EXPECT_EQ(reformattedNumberText("40"), "40");
    EXPECT_EQ(reformattedNumberText("0.5"), ".5");
    EXPECT_EQ(reformattedNumberText(" 1.50 "), "1.5");
    EXPECT_EQ(reformattedNumberText("-0.25"), "-.25");
    EXPECT_EQ(reformattedNumberText("1e3"), "1000");
    EXPECT_EQ(reformattedNumberText("40abc"), "40abc");
    EXPECT_EQ(reformattedNumberText(""), "");
    EXPECT_EQ(reformattedNumberText("1e999"), "1e999");
}
