#include <gtest/gtest.h>

#include <limits>

#include "platform/cli/command_line.h"

namespace {

TEST(ParseIntegerTest, AcceptsWholeNumbersWithinTheRangeInclusive) {
    std::string error;
    EXPECT_EQ(ParseInteger("--frames", "10", 0, 10, error), 10);
    EXPECT_EQ(ParseInteger("--frames", "0", 0, 10, error), 0);
    EXPECT_EQ(ParseInteger("--seed", "-7", -10, 10, error), -7);
    EXPECT_TRUE(error.empty());
}

TEST(ParseIntegerTest, RefusesTextThatIsNotEntirelyANumber) {
    for (const char* text : {"", "12abc", " 12", "12 ", "1.5", "abc", "0x10", "--3"}) {
        std::string error;
        EXPECT_FALSE(ParseInteger("--frames", text, 0, 1000, error).has_value()) << text;
        EXPECT_NE(error.find("--frames"), std::string::npos) << text;
        EXPECT_NE(error.find("is not a whole number"), std::string::npos) << text;
    }
}

TEST(ParseIntegerTest, RefusesValuesOutOfRangeOrTooLarge) {
    std::string error;
    EXPECT_FALSE(ParseInteger("--frames", "11", 0, 10, error).has_value());
    EXPECT_NE(error.find("out of range (0 to 10)"), std::string::npos);
    EXPECT_FALSE(ParseInteger("--frames", "-1", 0, 10, error).has_value());
    EXPECT_FALSE(
        ParseInteger("--frames", "99999999999999999999", 0, 10, error).has_value());  // > 2^63
}

TEST(ParseRealTest, AcceptsDecimalAndExponentForms) {
    std::string error;
    EXPECT_EQ(ParseReal("--scale", "0.5", 0.0, 1.0, error), 0.5);
    EXPECT_EQ(ParseReal("--scale", "1e-1", 0.0, 1.0, error), 0.1);
    EXPECT_EQ(ParseReal("--scale", "-2", -2.0, 1.0, error), -2.0);
    EXPECT_TRUE(error.empty());
}

TEST(ParseRealTest, RefusesJunkNonFiniteAndOutOfRange) {
    const double huge = std::numeric_limits<double>::max();
    for (const char* text : {"", "0.5x", "nan", "NaN", "inf", "-inf", "infinity", "1e999", " 1"}) {
        std::string error;
        EXPECT_FALSE(ParseReal("--scale", text, -huge, huge, error).has_value()) << text;
        EXPECT_NE(error.find("--scale"), std::string::npos) << text;
    }
    std::string error;
    EXPECT_FALSE(ParseReal("--scale", "1.0000001", 0.0, 1.0, error).has_value());
    EXPECT_NE(error.find("out of range"), std::string::npos);
}

}  // namespace
