#include <gtest/gtest.h>

#include "app/tray_menu_model.h"

namespace {

// One line for a whole menu: "text=id", "*" for a check mark, "|" for a column break and
// "Name{...}" for a submenu.
std::wstring Outline(const std::vector<TrayMenuItem>& items) {
    std::wstring text;
    for (const TrayMenuItem& item : items) {
        if (!text.empty()) text += L" ";
        switch (item.kind) {
            case TrayMenuItem::Kind::ColumnBreak:
                text += L"|";
                break;
            case TrayMenuItem::Kind::Command:
                text += item.text + L"=" + std::to_wstring(item.id) + (item.checked ? L"*" : L"");
                break;
            case TrayMenuItem::Kind::Submenu:
                text += item.text + L"{" + Outline(item.children) + L"}";
                break;
        }
    }
    return text;
}

const std::wstring kSave = L"Save Open Windows\u2026=2000";
const std::wstring kOptionsAndQuit =
    L"| Options{Help=1003 About=1004 Check for Updates=1005 | Configure=1002} Quit=1001";

std::vector<TrayMenuItem> Menu(const std::vector<Cluster>& clusters, const std::vector<std::wstring>& listed,
                               const ClusterMenuStates& map) {
    return AssembleTrayMenu(BuildQuickMenuSection(clusters), BuildClusterSubmenuSection(listed, map));
}

// Catalogue, listing and cluster map as they agree after a rebuild.
struct Clusters {
    std::vector<Cluster> records;
    std::vector<std::wstring> listed;
    ClusterMenuStates map;

    Clusters& Add(const std::wstring& name, bool quickMenu, bool active = false) {
        records.push_back({name, false, quickMenu});
        listed.push_back(name);
        map[name] = {static_cast<int32_t>(1006 + listed.size()), active};
        return *this;
    }
    std::vector<TrayMenuItem> Menu() const { return ::Menu(records, listed, map); }
};

}  // namespace

TEST(TrayMenuModel, WithoutClustersTheMenuHoldsOnlyManageOptionsAndQuit) {
    EXPECT_EQ(Outline(Menu({}, {}, {})), L"Clusters{Manage=1006 " + kSave + L"} " + kOptionsAndQuit);
    EXPECT_FALSE(BuildQuickMenuSection({}).hasIds);
}

TEST(TrayMenuModel, QuickMenuEntriesAreNumberedByListingAndShownByName) {
    const Clusters clusters = Clusters().Add(L"B", true).Add(L"A", true);
    const QuickMenuSection section = BuildQuickMenuSection(clusters.records);
    EXPECT_EQ(section.ids, (QuickMenuIds{{L"A", 1502}, {L"B", 1501}}));
    EXPECT_EQ(Outline(clusters.Menu()), L"Clusters{Manage=1006 " + kSave +
                                            L" Open Missing Windows{A=2002 B=2001} | A=1008 B=1007} | A=1502 B=1501 " +
                                            kOptionsAndQuit);
}

TEST(TrayMenuModel, ClustersOutsideTheQuickMenuStillUseUpTheirNumber) {
    const Clusters clusters = Clusters().Add(L"One", true).Add(L"Two", false).Add(L"Three", true);
    const QuickMenuSection section = BuildQuickMenuSection(clusters.records);
    EXPECT_EQ(section.ids, (QuickMenuIds{{L"One", 1501}, {L"Three", 1503}}));
    EXPECT_EQ(Outline(section.entries), L"| One=1501 Three=1503");
}

TEST(TrayMenuModel, NoQuickMenuSectionWhenNoClusterIsMarked) {
    const Clusters clusters = Clusters().Add(L"Work", false);
    const QuickMenuSection section = BuildQuickMenuSection(clusters.records);
    EXPECT_TRUE(section.hasIds);
    EXPECT_TRUE(section.ids.empty());
    EXPECT_EQ(Outline(clusters.Menu()),
              L"Clusters{Manage=1006 " + kSave + L" Open Missing Windows{Work=2001} | Work=1007} " + kOptionsAndQuit);
}

TEST(TrayMenuModel, OnlyActiveClustersCarryACheckMark) {
    const Clusters clusters = Clusters().Add(L"Chat", true, true).Add(L"Work", true, false);
    EXPECT_EQ(Outline(clusters.Menu()),
              L"Clusters{Manage=1006 " + kSave +
                  L" Open Missing Windows{Chat=2001 Work=2002} | Chat=1007* Work=1008} | Chat=1501 Work=1502 " +
                  kOptionsAndQuit);
}

TEST(TrayMenuModel, EmptyClusterNamesAreLeftOutAndCountedAsProblems) {
    const Clusters clusters = Clusters().Add(L"", true).Add(L"Work", true);
    const QuickMenuSection quick = BuildQuickMenuSection(clusters.records);
    const ClusterSubmenuSection submenu = BuildClusterSubmenuSection(clusters.listed, clusters.map);
    EXPECT_EQ(quick.emptyNameCount, 1);
    EXPECT_EQ(submenu.emptyNameCount, 1);
    EXPECT_EQ(Outline(quick.entries), L"| Work=1502");
    EXPECT_EQ(Outline(submenu.entries), L"| Work=1008");

    // An empty name not in the Quick Menu warns only in the Clusters submenu.
    const Clusters hidden = Clusters().Add(L"", false);
    EXPECT_EQ(BuildQuickMenuSection(hidden.records).emptyNameCount, 0);
    EXPECT_EQ(BuildClusterSubmenuSection(hidden.listed, hidden.map).emptyNameCount, 1);
    EXPECT_EQ(Outline(hidden.Menu()), L"Clusters{Manage=1006 " + kSave + L"} " + kOptionsAndQuit);
}

TEST(TrayMenuModel, ClusterIdsFollowTheListingAndSkipFilesTheMapDoesNotKnow) {
    // "New" appeared on disk after the last rebuild; "Gone" was deleted.
    const ClusterMenuStates map = {{L"Gone", {1007, true}}, {L"Work", {1008, true}}};
    const ClusterSubmenuSection section = BuildClusterSubmenuSection({L"New", L"Work"}, map);
    EXPECT_EQ(Outline(section.entries), L"| Work=1008*");
    EXPECT_FALSE(ClusterMapMatchesListing({L"New", L"Work"}, map));
    EXPECT_TRUE(ClusterMapMatchesListing({L"Gone", L"Work"}, map));
    EXPECT_FALSE(ClusterMapMatchesListing({L"Work", L"Gone"}, map));
    EXPECT_TRUE(ClusterMapMatchesListing({}, {}));
}

TEST(TrayMenuModel, EntriesBeyondTheirIdRangeAreLeftOut) {
    Clusters clusters;
    for (int n = 1; n <= 500; ++n) clusters.Add(L"C" + std::to_wstring(1000 + n), true);
    const ClusterSubmenuSection submenu = BuildClusterSubmenuSection(clusters.listed, clusters.map);
    const QuickMenuSection quick = BuildQuickMenuSection(clusters.records);
    ASSERT_EQ(submenu.entries.size(), 1u + 493u);
    EXPECT_EQ(submenu.entries.back().id, 1499u);
    ASSERT_EQ(quick.entries.size(), 1u + 499u);
    EXPECT_EQ(quick.entries.back().id, 1999u);
}
