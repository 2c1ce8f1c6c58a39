#include "design/numbertext.h"

#include <gtest/gtest.h>

#include <string>

#include "design/runtimeerror.h"

using namespace dw::design;

namespace {

std::string raisedBy(auto call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.description();
    }
    return "";
}

} // namespace

struct LeadingCase {
    const char* name;
    const char* text;
    double value;
};

class LeadingNumber : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumber, parsesTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(leadingNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumber,
    testing::Values(
        LeadingCase{"plain", "255", 255}, LeadingCase{"empty", "", 0},
        LeadingCase{"letters", "abc", 0}, LeadingCase{"digitsThenLetters", "12abc", 12},
        LeadingCase{"leadingBlanks", "   7", 7}, LeadingCase{"blanksInside", " 1 2\t3\n4", 1234},
        LeadingCase{"carriageReturnStops", "1\r2", 1}, LeadingCase{"signedNegative", "-40", -40},
        LeadingCase{"signThenBlank", "- 4", -4}, LeadingCase{"plusSign", "+8", 8},
        LeadingCase{"onePointOnly", "1.2.3", 1.2}, LeadingCase{"leadingPoint", ".5", 0.5},
        LeadingCase{"lonePoint", ".", 0}, LeadingCase{"commaIsNotAPoint", "1,5", 1},
        LeadingCase{"exponent", "1.5e3", 1500}, LeadingCase{"exponentLetterD", "2D2", 200},
        LeadingCase{"negativeExponent", "25E-1", 2.5},
        LeadingCase{"exponentWithoutDigits", "7e", 7},
        LeadingCase{"exponentSignWithoutDigits", "7e+x", 7}, LeadingCase{"hex", "&HFF", 255},
        LeadingCase{"hexLowerCase", "&hff", 255}, LeadingCase{"octal", "&O17", 15},
        LeadingCase{"ampersandAlone", "&", 0}, LeadingCase{"ampersandOther", "&X1", 0},
        LeadingCase{"tinyUnderflowsToZero", "1e-400", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LeadingNumberTest, nulCharacterEndsTheNumber) {
    EXPECT_DOUBLE_EQ(leadingNumber(std::string_view("4\0"
                                                    "5",
                                                    3)),
                     4);
}

TEST(LeadingNumberTest, hugeNumberIsOverflow) {
    EXPECT_EQ(raisedBy([] { leadingNumber("1e400"); }), "Overflow");
    EXPECT_EQ(raisedBy([] { leadingNumber(std::string(400, '9')); }), "Overflow");
}

TEST(DirectNumberTest, acceptsAWholeNumberWithOuterBlanks) {
    EXPECT_DOUBLE_EQ(directNumber(" 12 "), 12);
    EXPECT_DOUBLE_EQ(directNumber("-1.5e1"), -15);
    EXPECT_DOUBLE_EQ(directNumber("&H10"), 16);
}

TEST(DirectNumberTest, refusesAnythingElseAsTypeMismatch) {
    for (const char* text : {"", "  ", "12abc", "abc", "1 2", "1.2.3", "-", ".", "1e"}) {
        EXPECT_EQ(raisedBy([&] { directNumber(text); }), "Type mismatch") << '"' << text << '"';
    }
}

TEST(IntegerConversionTest, roundsHalvesToEven) {
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(1.5), 2);
    EXPECT_EQ(toInt16(0.4), 0);
    EXPECT_EQ(toInt32(320.5), 320);
    EXPECT_EQ(toInt32(240.5), 240);
}

TEST(IntegerConversionTest, sixteenBitLimits) {
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_EQ(raisedBy([] { toInt16(32767.5); }), "Overflow");
    EXPECT_EQ(raisedBy([] { toInt16(40000); }), "Overflow");
    EXPECT_EQ(raisedBy([] { toInt16(-32769); }), "Overflow");
}

TEST(IntegerConversionTest, thirtyTwoBitLimits) {
    EXPECT_EQ(toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(raisedBy([] { toInt32(1e10); }), "Overflow");
    EXPECT_EQ(raisedBy([] { toInt32(-2147483649.0); }), "Overflow");
}

TEST(IntegerConversionTest, textShorthandsUseTheLeadingNumber) {
    EXPECT_EQ(int16Of("12.5px"), 12);
    EXPECT_EQ(int32Of("none"), 0);
    EXPECT_EQ(raisedBy([] { int16Of("40000"); }), "Overflow");
}

TEST(NumberTextTest, strOfPutsABlankBeforeNonNegativeNumbers) {
    EXPECT_EQ(strOf(0), " 0");
    EXPECT_EQ(strOf(180), " 180");
    EXPECT_EQ(strOf(-3), "-3");
}

TEST(NumberTextTest, shortestDecimalDropsTheZeroBeforeThePoint) {
    EXPECT_EQ(shortestDecimal(0.5), ".5");
    EXPECT_EQ(shortestDecimal(-0.25), "-.25");
    EXPECT_EQ(shortestDecimal(40), "40");
    EXPECT_EQ(shortestDecimal(12.75), "12.75");
    EXPECT_EQ(shortestDecimal(0), "0");
    EXPECT_EQ(shortestDecimal(0.1 + 0.2), ".3");
    EXPECT_EQ(shortestDecimal(0.9, LeadingZero::Keep), "0.9");
    EXPECT_EQ(shortestDecimal(1e20), "1E+20");
}
