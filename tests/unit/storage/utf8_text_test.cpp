#include <gtest/gtest.h>

#include "storage/utf8_text.h"

TEST(Utf8Text, TextOfEveryPlaneRoundTrips) {
    // A, e acute, euro sign, CJK, a private-use character and U+1F600 as a surrogate pair.
    const std::wstring text = L"A\u00E9\u20AC\u4E2D\uE000\xD83D\xDE00";
    const std::string bytes = "A\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xEE\x80\x80\xF0\x9F\x98\x80";
    EXPECT_EQ(WideToUtf8(text), bytes);
    EXPECT_EQ(Utf8ToWide(bytes), text);
    EXPECT_EQ(Utf8ToWide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST(Utf8Text, LengthBoundariesRoundTrip) {
    // The last character of each length and the first of the next: U+007F, U+0080, U+07FF,
    // U+0800, U+FFFF, U+10000 (the first that takes four bytes) and U+10FFFF.
    const std::wstring text = L"\x7F\x80\x7FF\x800\xFFFF\xD800\xDC00\xDBFF\xDFFF";
    const std::string bytes = "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";
    EXPECT_EQ(WideToUtf8(text), bytes);
    EXPECT_EQ(Utf8ToWide(bytes), text);
}

TEST(Utf8Text, MalformedBytesAreRefused) {
    const char* bad[] = {
        "\xE9",              // Latin-1 byte
        "\xC3",              // truncated
        "\x80",              // stray continuation
        "\xC0\xAF",          // overlong
        "\xE0\x80\xAF",      // overlong
        "\xED\xA0\x80",      // encoded surrogate
        "\xF4\x90\x80\x80",  // beyond U+10FFFF
        "\xFF",
    };
    for (const char* bytes : bad) EXPECT_FALSE(Utf8ToWide(bytes)) << testing::PrintToString(std::string(bytes));
}

TEST(Utf8Text, LoneSurrogatesHaveNoUtf8Form) {
    EXPECT_FALSE(WideToUtf8(std::wstring(1, wchar_t(0xD83D))));
    EXPECT_FALSE(WideToUtf8(std::wstring(L"x") + wchar_t(0xDE00)));
    EXPECT_FALSE(WideToUtf8(std::wstring(1, wchar_t(0xDE00)) + wchar_t(0xD83D)));
}
