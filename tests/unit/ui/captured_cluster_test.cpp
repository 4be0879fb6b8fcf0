#include "ui/captured_cluster.h"

#include <gtest/gtest.h>

#include "storage/profile_reading.h"

namespace {

CapturedWindow Captured(const wchar_t* title, const wchar_t* arguments) {
    CapturedWindow window;
    window.record.title = title;
    window.record.className = L"EditWin";
    window.record.exePath = L"C:\\E\\edit.exe";
    window.record.position = {-1920, 10};
    window.record.size = {640, 480};
    window.arguments = arguments;
    window.rule = L"Window title does match \"x\"";
    return window;
}

std::wstring Keys(const IniSection& section) {
    std::wstring keys;
    for (const auto& [key, value] : section) keys += key + L";";
    return keys;
}

}  // namespace

TEST(CapturedCluster, EntriesCarryTheInspectorsKeysAndLevelsFromTheStacking) {
    const IniDocument document =
        CapturedClusterDocument({Captured(L"a.txt - Edit", L"C:\\a.txt"), Captured(L"a.txt", L""),
                                 Captured(L"[Configuration] ;x", L""), Captured(L"  ", L"")});
    EXPECT_EQ(WindowEntryNames(document), (std::vector<std::wstring>{L"a.txt", L"a.txt 2", L"Window", L"Window 2"}));
    EXPECT_EQ(Keys(*document.Find(L"Configuration")), L"Show in Quick Menu;Activate on Startup;");
    EXPECT_EQ(Keys(*document.Find(L"a.txt")),
              L"Title;Class;Path;Arguments;Desktop;Move to Desktop;"
              L"Launch with QuickMenu;SuperGlue;Corners;Position;Size;Z-Level;Rules;");
    const std::optional<WindowProfile> top = ReadWindowProfile(document, L"a.txt");
    ASSERT_TRUE(top);
    EXPECT_EQ(top->arguments, L"C:\\a.txt");
    EXPECT_EQ(top->zLevel, 4);
    EXPECT_EQ(top->position, (FramePosition{-1920, 10}));
    EXPECT_EQ(top->url, top->exePath);  // no address without the Inspector's capture
    EXPECT_EQ(ReadWindowProfile(document, L"Window 2")->zLevel, 1);
    EXPECT_FALSE(document.Find(L"a.txt 2")->Has(L"Arguments"));
}

TEST(CapturedCluster, TheProposedNameIsFreeAndAFileName) {
    const LocalTime time{2026, 12, 10, 14, 5};
    EXPECT_EQ(ProposedClusterName(time, {L"Work"}), L"Windows 2026-12-10 14.05");
    EXPECT_EQ(ProposedClusterName(time, {L"windows 2026-12-10 14.05", L"Windows 2026-12-10 14.05 2"}),
              L"Windows 2026-12-10 14.05 3");
}
