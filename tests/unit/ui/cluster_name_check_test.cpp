#include "ui/cluster_name_check.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::wstring> kClusters{L"Work", L"Games"};
const std::vector<std::wstring> kWindows{L"Editor", L"Mail"};

NameBoxState Typed(const std::wstring& typed, ClusterPane pane, const std::wstring& current) {
    return {typed, current, kClusters, kWindows, pane};
}

}  // namespace

TEST(ClusterNameCheck, NewClusterNamesMustBeFreshFileNamesInTheFolder) {
    for (const wchar_t* name : {L"Home", L"work2", L"Café", L"Work.INI"}) {
        EXPECT_TRUE(CanCreateCluster(name, kClusters)) << name;
    }
    // Another cluster in any case, brackets, line breaks, file-name characters, paths, devices,
    // dots, and an ".ini" ending (the value operations would take it for another cluster's file).
    for (const wchar_t* name : {L"", L"work", L"GAMES", L"[x", L"x]", L"a:b", L"..\\x", L"a/b", L"CON", L"nul.txt",
                                L"..", L"  ", L"Work.", L"Work.ini", L"a|b", L"Two\nlines", L"Tab\t"}) {
        EXPECT_FALSE(CanCreateCluster(name, kClusters)) << name;
    }
}

TEST(ClusterNameCheck, ARenamedClusterMayChangeItsOwnCaseButNeverTakeAnotherClustersName) {
    EXPECT_TRUE(CanRenameCluster(L"", L"Work", kClusters));
    EXPECT_TRUE(CanRenameCluster(L"Work", L"Work", kClusters));
    EXPECT_TRUE(CanRenameCluster(L"WORK", L"Work", kClusters));
    EXPECT_TRUE(CanRenameCluster(L"Office", L"Work", kClusters));
    EXPECT_FALSE(CanRenameCluster(L"games", L"Work", kClusters));
    EXPECT_FALSE(CanRenameCluster(L"Games", L"Work", kClusters));
    EXPECT_FALSE(CanRenameCluster(L"a*b", L"Work", kClusters));
    EXPECT_FALSE(CanRenameCluster(L"Work\r\n", L"Work", kClusters));
}

TEST(ClusterNameCheck, ARenamedWindowKeepsItsOwnSectionAndReadsBackUnderItsName) {
    EXPECT_TRUE(CanRenameWindow(L"", L"Editor", kWindows));
    EXPECT_TRUE(CanRenameWindow(L"Editor", L"Editor", kWindows));
    EXPECT_TRUE(CanRenameWindow(L"editor", L"Editor", kWindows));  // sections differ by case
    EXPECT_TRUE(CanRenameWindow(L"a:b", L"Editor", kWindows));     // not a file name
    for (const wchar_t* name : {L"Mail", L" Mail ", L"   ", L"[x]", L"a;b", L"Configuration"}) {
        EXPECT_FALSE(CanRenameWindow(name, L"Editor", kWindows)) << name;
    }
    EXPECT_EQ(WindowSectionName(L"  Chat \t"), L"Chat");
}

TEST(ClusterNameCheck, NewAndApplyFollowTheTypedNameInEachPane) {
    struct Case {
        std::wstring typed;
        ClusterPane pane;
        bool newEnabled;
        ApplyButton apply;
    };
    const Case cases[] = {
        {L"", ClusterPane::Clusters, false, ApplyButton::Disable},
        {L"Home", ClusterPane::Clusters, true, ApplyButton::Enable},
        {L"Work", ClusterPane::Clusters, false, ApplyButton::Keep},      // the selected cluster's own name
        {L"Games", ClusterPane::Clusters, false, ApplyButton::Disable},  // another cluster's
        {L"games", ClusterPane::Clusters, false, ApplyButton::Disable},
        {L"a]", ClusterPane::Windows, false, ApplyButton::Disable},
        {L"a:b", ClusterPane::Clusters, false, ApplyButton::Disable},
        {L"a:b", ClusterPane::Windows, false, ApplyButton::Enable},
        {L"Games", ClusterPane::Windows, false, ApplyButton::Keep},
        {L"Mail", ClusterPane::Windows, true, ApplyButton::Disable},
    };
    for (const Case& c : cases) {
        const std::wstring current = c.pane == ClusterPane::Clusters ? L"Work" : L"Editor";
        const NameButtons buttons = ButtonsForTypedName(Typed(c.typed, c.pane, current));
        EXPECT_EQ(buttons.newEnabled, c.newEnabled) << c.typed;
        EXPECT_EQ(buttons.apply, c.apply) << c.typed;
    }
    NameBoxState noClusters = Typed(L"Home", ClusterPane::Clusters, L"New Cluster");
    noClusters.clusterNames.clear();
    EXPECT_EQ(ButtonsForTypedName(noClusters).apply, ApplyButton::Disable);
    EXPECT_TRUE(ButtonsForTypedName(noClusters).newEnabled);
}
