// How float fields are shown in and read from edit boxes.

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <utility>

#include <gtest/gtest.h>

#include "platform/ui/controls/number_text.h"

namespace {

TEST(FormatFloatForEdit, ShowsTheShortestTextOfTheFloat) {
    const std::pair<float, const char*> cases[] = {
        {0.1f, "0.1"},  // not 0.100000001
        {200.0f, "200"},         {0.45f, "0.45"},
        {-2.5f, "-2.5"},         {20020070.0f, "20020070"},  // not 2.00201e+07
        {1234567.0f, "1234567"}, {1e6f, "1000000"},
        {1e-5f, "0.00001"},      {1.5e-7f, "1.5e-07"},
        {2e19f, "2e+19"},        {FLT_MAX, "3.4028235e+38"},
        {-0.0f, "-0"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatFloatForEdit(value), text);
    }
}

TEST(FormatFloatForEdit, EveryFloatReadsBackBitForBit) {
    for (float value : {0.1f, 1000.0f, 3.14159265f, 0.449999988f, -7.25e-3f, 9.87654e8f,
                        20020070.0f, 1e-7f, 16777217.0f, 1e-45f, FLT_MIN, FLT_MAX, -FLT_MAX,
                        std::nextafter(0.1f, 1.0f), 123456.79f}) {
        const std::string shown = FormatFloatForEdit(value);
        const auto read = ParseFloatFromEdit(shown);
        ASSERT_TRUE(read.has_value()) << shown;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(*read), std::bit_cast<std::uint32_t>(value))
            << shown;
    }
}

TEST(ParseFloatFromEdit, AcceptsDecimalNumbersWithBlanksSignsAndExponents) {
    EXPECT_EQ(ParseFloatFromEdit("2.5"), 2.5f);
    EXPECT_EQ(ParseFloatFromEdit("  2.5\t "), 2.5f);
    EXPECT_EQ(ParseFloatFromEdit("+3"), 3.0f);
    EXPECT_EQ(ParseFloatFromEdit("-0.25"), -0.25f);
    EXPECT_EQ(ParseFloatFromEdit(".5"), 0.5f);
    EXPECT_EQ(ParseFloatFromEdit("5."), 5.0f);
    EXPECT_EQ(ParseFloatFromEdit("1e3"), 1000.0f);
    EXPECT_EQ(ParseFloatFromEdit("1.5E-2"), 0.015f);
    EXPECT_EQ(ParseFloatFromEdit("-0"), -0.0f);
}

TEST(ParseFloatFromEdit, RefusesTextThatIsNotANumber) {
    for (const char* text : {"", "   ", "abc", "12abc", "1,5", "1.2.3", "--1", "+", ".", "e5", "1e",
                             "1e+", "0x10", "1 2", "½"}) {
        EXPECT_FALSE(ParseFloatFromEdit(text).has_value()) << '"' << text << '"';
    }
}

TEST(ParseFloatFromEdit, RefusesNonFiniteValuesLikeText) {
    for (const char* text :
         {"nan", "NaN", "-nan", "inf", "-inf", "INF", "infinity", "1e39", "-1e39", "1e400"}) {
        EXPECT_FALSE(ParseFloatFromEdit(text).has_value()) << text;
    }
}

TEST(ParseFloatFromEdit, KeepsTheFloatRangeEdges) {
    const auto largest = ParseFloatFromEdit("3.4e38");
    ASSERT_TRUE(largest.has_value());
    EXPECT_TRUE(std::isfinite(*largest));
    const auto tiny = ParseFloatFromEdit("1e-50");  // below the float range: zero, still a number
    ASSERT_TRUE(tiny.has_value());
    EXPECT_EQ(*tiny, 0.0f);
}

}  // namespace
