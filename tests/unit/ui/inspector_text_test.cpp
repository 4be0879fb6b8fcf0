#include "ui/inspector_text.h"

#include <gtest/gtest.h>

// What "Glue" accepts must load again: the loader reads "Position" and "Size" as two numbers
// split at the first space, and drops the entry when either does not read.
TEST(InspectorText, OnlyWholeNumbersWithin32BitsAreGeometry) {
    const struct {
        const wchar_t* text;
        bool accepted;
        int32_t value;
    } rows[] = {
        {L"0", true, 0},
        {L"-1920", true, -1920},
        {L"+5", true, 5},
        {L"2147483647", true, INT32_MAX},
        {L"-2147483648", true, INT32_MIN},
        {L"2147483648", false, 0},
        {L"", false, 0},
        {L"-", false, 0},
        {L"12a", false, 0},
        {L" 12", false, 0},
        {L"12 ", false, 0},
        {L"1 2", false, 0},
        {L"--1", false, 0},
        {L"\x0661", false, 0},  // an Arabic-Indic digit is no decimal digit here
    };
    for (const auto& row : rows) {
        const std::optional<int32_t> expected = row.accepted ? std::optional<int32_t>(row.value) : std::nullopt;
        EXPECT_EQ(ParseGeometryNumber(row.text), expected) << testing::PrintToString(std::wstring(row.text));
    }
}

TEST(InspectorText, GlueNeedsAFrameWithAWidthAndAHeight) {  // X, Y, width, height, z-level
    EXPECT_TRUE(IsGlueableGeometry({L"-8", L"0", L"1", L"1", L"-3"}));
    EXPECT_FALSE(IsGlueableGeometry({L"0", L"0", L"0", L"480", L"0"}));
    EXPECT_FALSE(IsGlueableGeometry({L"0", L"0", L"640", L"0", L"0"}));
}

// Notepad's entry "Untitled" is saved; Paint's title starts with the same word.
TEST(InspectorText, AnEntryNameBelongsToTheWindowItsRuleRecognises) {
    IniDocument cluster;
    cluster.GetOrInsert(L"Untitled").GetOrInsert(L"Rules") = L"Window title does match \"Untitled - Notepad\"";
    cluster.GetOrInsert(L"Unruled");
    WindowProfile paint, notepad;
    paint.title = L"Untitled - Paint";
    notepad.title = L"Untitled - Notepad";
    EXPECT_TRUE(BelongsToAnotherWindow(cluster, L" Untitled ", paint));
    EXPECT_TRUE(BelongsToAnotherWindow(cluster, L"Unruled", notepad));
    EXPECT_FALSE(BelongsToAnotherWindow(cluster, L"Untitled", notepad));
}
