// What the Inspector writes for a window comes back from the cluster file as an entry that
// recognises that window and no other, whatever its title holds.
#include <windows.h>

#include <gtest/gtest.h>

#include "../storage/storage_test_support.h"
#include "engine/rule_match.h"
#include "storage/ini.h"
#include "storage/profile.h"
#include "ui/cluster_name_check.h"
#include "ui/inspector_text.h"

namespace {

const std::wstring kTitles[] = {
    L"\"Quote\" - News",       L"Say \"hi\" now",   L"Line\r\nbreak - Editor", L"Only\nfeed",
    L"[Draft] ; notes - Mail", L"Untitled - Paint", L"Untitled - Notepad",     L"\"\"",
};

WindowProfile LiveWindow(const std::wstring& title) {
    WindowProfile live;
    live.title = title;
    return live;
}

TEST(GluedEntryRoundTrip, EveryTitleGivesARuleThatRecognisesItsWindowAndNoOther) {
    ScratchAppData appData;
    const size_t count = std::size(kTitles);
    ASSERT_TRUE(RewriteClusterFile(L"Work", [&](IniDocument& document) {
        for (size_t i = 0; i < count; ++i) {
            IniSection& entry = document.GetOrInsert(L"Entry " + std::to_wstring(i));
            entry.GetOrInsert(L"Title") = kTitles[i];
            entry.GetOrInsert(L"Position") = L"0 0";
            entry.GetOrInsert(L"Size") = L"100 100";
            entry.GetOrInsert(L"Rules") = TitleRuleText(kTitles[i]);
        }
        return true;
    }));
    const WindowProfileList loaded = LoadWindowProfiles(L"Work");
    ASSERT_EQ(loaded.size(), count);
    for (size_t entry = 0; entry < count; ++entry) {
        for (size_t window = 0; window < count; ++window) {
            WindowProfile live = LiveWindow(kTitles[window]);
            // A title of quotes alone cannot be quoted: its entry claims no window at all.
            const bool expected = entry == window && kTitles[entry] != std::wstring(L"\"\"");
            EXPECT_EQ(MatchProfile(live, loaded[entry]), expected)
                << "rule " << testing::PrintToString(loaded[entry].rules) << " on window "
                << testing::PrintToString(kTitles[window]);
        }
    }
}

TEST(GluedEntryRoundTrip, NamesAndValuesNeverSplitALine) {
    ScratchAppData appData;
    ASSERT_TRUE(RewriteClusterFile(L"Work", [](IniDocument& document) {
        document.GetOrInsert(L"Above").GetOrInsert(L"Title") = L"kept";
        IniSection& odd = document.GetOrInsert(std::wstring(L"Two\r\nlines\0", 11));
        odd.GetOrInsert(L"Title") = std::wstring(L"a\nb\0c", 5);
        odd.GetOrInsert(L"Key\nsplit") = L"v";
        return true;
    }));
    EXPECT_EQ(appData.ReadCluster(L"Work"), "[Above]\r\nTitle=kept\r\n[Two  lines]\r\nTitle=a b c\r\nKey split=v");
}

TEST(GluedEntryRoundTrip, TheNameChecksRefuseWhatCouldNotBeASection) {
    const struct {
        const wchar_t* name;
        bool accepted;
    } rows[] = {
        {L"Mail", true},       {L"Configurations", true}, {L"Configuration", false}, {L" Configuration ", false},
        {L"Mail;", false},     {L"[Mail", false},         {L"Mail]", false},         {L"Two\nlines", false},
        {L"Tab\there", false}, {L"Cr\r", false},          {L"   ", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsGlueableName(row.name), row.accepted) << testing::PrintToString(std::wstring(row.name));
        EXPECT_EQ(CanRenameWindow(row.name, L"Old", {L"Old"}), row.accepted)
            << testing::PrintToString(std::wstring(row.name));
    }
}

TEST(ClusterFileChanges, ARefusedOrFailedChangeLeavesTheFileAsItWas) {
    ScratchAppData appData;
    appData.WriteCluster(L"Work", "[Mail]\r\nTitle=Inbox");
    EXPECT_FALSE(RewriteClusterFile(L"Work", [](IniDocument& document) {
        document.Remove(L"Mail");
        return false;
    }));
    EXPECT_EQ(appData.ReadCluster(L"Work"), "[Mail]\r\nTitle=Inbox");
    // A sync client holding the file without sharing it.
    HANDLE held =
        CreateFileW(appData.ClusterFile(L"Work.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(RewriteClusterFile(L"Work", [](IniDocument& document) { return document.Remove(L"Mail"); }));
    CloseHandle(held);
    EXPECT_EQ(appData.ReadCluster(L"Work"), "[Mail]\r\nTitle=Inbox");
}

TEST(ClusterFileChanges, ANewClusterNeverReplacesAFileTheSystemTakesForItsName) {
    ScratchAppData appData;
    appData.WriteCluster(L"Work", "[Configuration]\r\nActivate on Startup=Yes");
    appData.WriteCluster(L"\u00C9mail", "[Configuration]\r\nActivate on Startup=Yes");
    IniDocument document;
    document.GetOrInsert(L"Configuration").GetOrInsert(L"Activate on Startup") = L"No";
    for (const wchar_t* taken : {L"Work", L"WORK", L"\u00E9mail"}) {
        EXPECT_FALSE(CreateClusterFile(taken, document)) << testing::PrintToString(std::wstring(taken));
    }
    EXPECT_EQ(appData.ReadCluster(L"Work"), "[Configuration]\r\nActivate on Startup=Yes");
    EXPECT_TRUE(CreateClusterFile(L"Home", document));
    EXPECT_EQ(appData.ReadCluster(L"Home"), "[Configuration]\r\nActivate on Startup=No");
}

}  // namespace
