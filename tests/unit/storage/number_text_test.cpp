#include <gtest/gtest.h>

#include "storage/number_text.h"

TEST(NumberText, ReadsTheLeadingNumberAndIgnoresTheRest) {
    EXPECT_EQ(ParseLeadingInt32(L"42"), 42);
    EXPECT_EQ(ParseLeadingInt32(L"  -1920"), -1920);
    EXPECT_EQ(ParseLeadingInt32(L"+7px"), 7);
    EXPECT_EQ(ParseLeadingInt32(L"05"), 5);
}

TEST(NumberText, RefusesTextWithoutDigitsAndNumbersBeyond32Bits) {
    EXPECT_FALSE(ParseLeadingInt32(L""));
    EXPECT_FALSE(ParseLeadingInt32(L"Error"));
    EXPECT_FALSE(ParseLeadingInt32(L"-"));
    EXPECT_FALSE(ParseLeadingInt32(L" x1"));
    EXPECT_EQ(ParseLeadingInt32(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseLeadingInt32(L"-2147483648"), INT32_MIN);
    EXPECT_FALSE(ParseLeadingInt32(L"2147483648"));
    EXPECT_FALSE(ParseLeadingInt32(L"-2147483649"));
    EXPECT_FALSE(ParseLeadingInt32(L"99999999999999999999999"));
}
