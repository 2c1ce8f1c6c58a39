#include "dw/platform/profiletext.h"

#include <gtest/gtest.h>

#include <string>

using namespace dw::platform;
using namespace std::string_literals;

namespace {

std::string written(const std::string& text, const std::string& section, const std::string& key,
                    const std::string& value) {
    const auto result = applyProfileWrites(text, section, {{key, value}});
    EXPECT_TRUE(result.has_value());
    return result.value_or(text);
}

} // namespace

struct FindCase {
    const char* name;
    std::string text;
    const char* key;
    std::optional<std::string> value;
};

class FindProfileValue : public testing::TestWithParam<FindCase> {};

TEST_P(FindProfileValue, findsTheValueOfTheFirstMatch) {
    const auto found = findProfileValue(GetParam().text, "clock", GetParam().key);
    if (GetParam().value) {
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(std::string(*found), *GetParam().value);
    } else {
        EXPECT_FALSE(found.has_value()) << std::string(found.value_or(""));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FindProfileValue,
    testing::Values(
        FindCase{"crLf", "[clock]\r\nhred=12\r\nhw=4\r\n", "hw", "4"},
        FindCase{"lfOnly", "[clock]\nhred=12\nhw=4\n", "hw", "4"},
        FindCase{"crOnly", "[clock]\rhred=12\rhw=4\r", "hw", "4"},
        FindCase{"noFinalLineEnd", "[clock]\r\nhw=4", "hw", "4"},
        FindCase{"keyCase", "[clock]\r\nCHKDIGITAL=1\r\n", "chkdigital", "1"},
        FindCase{"sectionCase", "[CLOCK]\r\nhw=4\r\n", "hw", "4"},
        FindCase{"blanksAroundNames", "  [ clock ]  \r\n\t hw \t= 4\r\n", "hw", "4"},
        FindCase{"valueTrimmedBothEnds", "[clock]\r\nhw= \t a b \t \r\n", "hw", "a b"},
        FindCase{"valueAfterFirstEquals", "[clock]\r\nhw=a=b\r\n", "hw", "a=b"},
        FindCase{"emptyValue", "[clock]\r\nhw= \r\n", "hw", ""},
        FindCase{"missingKey", "[clock]\r\nhred=1\r\n", "hw", std::nullopt},
        FindCase{"missingSection", "[other]\r\nhw=1\r\n", "hw", std::nullopt},
        FindCase{"emptyText", "", "hw", std::nullopt},
        FindCase{"keyBeforeAnySection", "hw=1\r\n[clock]\r\n", "hw", std::nullopt},
        FindCase{"keyOfAnotherSection", "[clock]\r\nhred=1\r\n[other]\r\nhw=2\r\n", "hw",
                 std::nullopt},
        FindCase{"duplicateKeyFirstWins", "[clock]\r\nhw=1\r\nHW=2\r\n", "hw", "1"},
        FindCase{"duplicateSectionFirstWins", "[clock]\r\nhw=1\r\n[clock]\r\nhw=2\r\n", "hw", "1"},
        FindCase{"commentLineIsNoKey", "[clock]\r\n;hw=1\r\n", "hw", std::nullopt},
        FindCase{"lineWithoutEqualsIsNoKey", "[clock]\r\nhw\r\n", "hw", std::nullopt},
        FindCase{"unclosedBracketIsNoSection", "[clock]\r\n[other\r\nhw=1\r\n", "hw", "1"},
        FindCase{"nulBytesKept", "[clock]\r\nhw=a\0b\r\n"s, "hw", "a\0b"s},
        FindCase{"byteOrderMarkSkipped", "\xEF\xBB\xBF[clock]\r\nhw=4\r\n", "hw", "4"},
        FindCase{"eightBitTextKept", "[clock]\r\nimage=f\xE9te.bmp\r\n", "image", "f\xE9te.bmp"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileTextTest, veryLongLinesAndBinaryNoiseAreRead) {
    std::string text(1 << 20, '\xff');
    text += "\0\r\n[clock]\r\nhw="s + std::string(100000, 'x') + "\r\n";
    const auto found = findProfileValue(text, "clock", "hw");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->size(), 100000u);
}

TEST(ProfileTextTest, replacingAKeyChangesOnlyItsLine) {
    const std::string text = "; mine\n[other]\nhw=9\n\n[clock]\nhred = 1 \nHW=2\nhd=3\n";
    EXPECT_EQ(written(text, "clock", "hw", "40"),
              "; mine\n[other]\nhw=9\n\n[clock]\nhred = 1 \nHW=40\nhd=3\n");
}

TEST(ProfileTextTest, missingKeyGoesAfterTheLastLineOfItsSection) {
    EXPECT_EQ(written("[clock]\r\nhred=1\r\n\r\n[other]\r\nx=1\r\n", "clock", "hw", "4"),
              "[clock]\r\nhred=1\r\nhw=4\r\n\r\n[other]\r\nx=1\r\n");
    EXPECT_EQ(written("[clock]\r\n[other]\r\n", "clock", "hw", "4"),
              "[clock]\r\nhw=4\r\n[other]\r\n");
    EXPECT_EQ(written("[clock]\r\nhred=1", "clock", "hw", "4"), "[clock]\r\nhred=1\r\nhw=4\r\n")
        << "a last line without its line end gets one first";
}

TEST(ProfileTextTest, missingSectionGoesAtTheEndAndAnEmptyTextStartsOne) {
    EXPECT_EQ(written("", "clock", "version", "0.9"), "[clock]\r\nversion=0.9\r\n");
    EXPECT_EQ(written("[other]\nx=1", "clock", "hw", "4"), "[other]\nx=1\r\n[clock]\r\nhw=4\r\n");
    EXPECT_EQ(written("[clock]\nhw=1\n", "Clock", "HW", "2"), "[clock]\nhw=2\n")
        << "an existing section is found whatever its case";
}

TEST(ProfileTextTest, valuesAreWrittenSoTheyReadBackAsThemselves) {
    EXPECT_EQ(written("", "clock", "ac_edtHead", ""), "[clock]\r\nac_edtHead= \r\n");
    const std::string text = written("[clock]\r\n", "clock", "hw", "1\r\n[evil]\nhred=9\r");
    EXPECT_EQ(text, "[clock]\r\nhw=1  [evil] hred=9 \r\n");
    EXPECT_FALSE(findProfileValue(text, "clock", "hred").has_value())
        << "a line break in a value must not start a new key";
    EXPECT_EQ(std::string(*findProfileValue(text, "clock", "hw")), "1  [evil] hred=9");
}

TEST(ProfileTextTest, namesThatCouldNotBeReadBackAreRefused) {
    for (const char* key : {"", "  ", "a=b", "[x]", ";x", "a\nb", "a\rb"}) {
        EXPECT_FALSE(applyProfileWrites("", "clock", {{key, "1"}}).has_value()) << key;
    }
    for (const char* section : {"a]b", "a\nb"}) {
        EXPECT_FALSE(applyProfileWrites("", section, {{"k", "1"}}).has_value()) << section;
    }
}

TEST(ProfileTextTest, batchWritesAsIfKeyAfterKey) {
    const std::string text = "[clock]\nhred=1\nhw=2\n\n[other]\n";
    const auto batch = applyProfileWrites(
        text, "clock",
        {{"hw", "3"}, {"version", "0.9"}, {"HRED", "4"}, {"VERSION", "1"}, {"md", ""}});
    ASSERT_TRUE(batch.has_value());
    EXPECT_EQ(*batch, "[clock]\nhred=4\nhw=3\nversion=1\r\nmd= \r\n\n[other]\n");
    EXPECT_EQ(*applyProfileWrites("x", "clock", {{"a", "1"}, {"b", "2"}}),
              "x\r\n[clock]\r\na=1\r\nb=2\r\n");
    EXPECT_FALSE(applyProfileWrites(text, "clock", {{"hw", "5"}, {"bad=key", "1"}}).has_value())
        << "one unusable name refuses the whole batch";
}
