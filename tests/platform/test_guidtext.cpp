#include "dw/platform/com/guidtext.h"

#include <gtest/gtest.h>

using namespace dw::com;

namespace {

constexpr GUID kSample = {
    0xD4E59E4E, 0x001C, 0x11D5, {0x84, 0x6D, 0x00, 0x40, 0x95, 0x30, 0x10, 0x14}};

} // namespace

TEST(GuidTextTest, formatsInBracesWithUpperCaseDigitsAndParsesBack) {
    EXPECT_EQ(guidToString(kSample), "{D4E59E4E-001C-11D5-846D-004095301014}");
    GUID parsed{};
    ASSERT_TRUE(guidFromString("{d4e59e4e-001c-11d5-846d-004095301014}", &parsed));
    EXPECT_EQ(parsed, kSample);
    const GUID extremes = {0xFFFFFFFF, 0, 0xFFFF, {0, 0xFF, 1, 2, 3, 4, 5, 0xAB}};
    ASSERT_TRUE(guidFromString(guidToString(extremes), &parsed));
    EXPECT_EQ(parsed, extremes);
}

TEST(GuidTextTest, refusesAnythingButTheExactForm) {
    const char* bad[] = {
        "D4E59E4E-001C-11D5-846D-004095301014",    // no braces
        "{D4E59E4E-001C-11D5-846D-00409530101}",   // short
        "{D4E59E4E-001C-11D5-846D-0040953010145}", // long
        "{D4E59E4E-001C-11D5-846D-00409530101G}",  // not a digit
        "{D4E59E4E-001C-11D5-846D0-04095301014}",  // dash moved
        " {D4E59E4E-001C-11D5-846D-004095301014}", // blank around
        "{+4E59E4E-001C-11D5-846D-004095301014}",  // sign
        "",
    };
    for (const char* text : bad) {
        GUID out = kSample;
        EXPECT_FALSE(guidFromString(text, &out)) << text;
        EXPECT_EQ(out, kSample) << "left alone: " << text;
    }
    EXPECT_FALSE(guidFromString("{D4E59E4E-001C-11D5-846D-004095301014}", nullptr));
}
