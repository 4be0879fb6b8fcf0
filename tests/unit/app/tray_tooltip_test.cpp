#include <gtest/gtest.h>

#include "app/tray_tooltip.h"

TEST(TrayTooltip, NamesTheActiveClustersOnePerLine) {
    EXPECT_EQ(TrayTooltipText({}), L"Pinora");
    EXPECT_EQ(TrayTooltipText({L"Chat", L"Work"}), L"Pinora (active)\nChat\nWork");
    EXPECT_EQ(TrayTooltipText({L""}), L"Pinora (active)\n");
}

TEST(TrayTooltip, IsCutAt127Characters) {
    const std::wstring text = TrayTooltipText({std::wstring(200, L'x')});
    ASSERT_EQ(text.size(), 127u);
    EXPECT_EQ(text.substr(0, 16), L"Pinora (active)\n");

    const std::wstring exact = TrayTooltipText({std::wstring(127 - 16, L'y')});
    EXPECT_EQ(exact.size(), 127u);
    EXPECT_EQ(exact.back(), L'y');
}

TEST(TrayTooltip, CutKeepsCharactersOutsideTheBasicPlaneWhole) {
    // After 16 + 110 characters the two code units of one emoji straddle the cut.
    const std::wstring name = std::wstring(110, L'a') + L"\xD83D\xDE00";
    const std::wstring text = TrayTooltipText({name});
    EXPECT_EQ(text.size(), 126u);
    EXPECT_EQ(text.back(), L'a');
}
