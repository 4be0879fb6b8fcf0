#include <gtest/gtest.h>

#include <thread>

#include "engine/engine.h"
#include "storage/catalogue.h"
#include "unit/storage/storage_test_support.h"

namespace {

// A saved window entry recognising windows by exact title.
std::string Entry(const std::string& section, const std::string& title, int zLevel = 0) {
    return "[" + section + "]\r\nTitle=" + title +
           "\r\nPosition=10 20\r\nSize=300 200\r\nZ-Level=" + std::to_string(zLevel) +
           "\r\nRules=Window title does match \"" + title + "\"";
}

WindowProfile LiveRecord(uintptr_t handle, const std::wstring& title) {
    WindowProfile record;
    record.hwnd = reinterpret_cast<WindowHandle>(handle);
    record.title = title;
    return record;
}

// Each test gets an empty clusters folder of its own and empty engine containers.
class ClusterMaps : public testing::Test {
  protected:
    ClusterMaps() { ResetEngineState(); }
    ~ClusterMaps() override { ResetEngineState(); }

    static void ResetEngineState() {
        ClusterMap.Replace({});
        ActiveClusterMap.Replace({});
        LiveWindowList.Replace({});
    }

    static bool IsActive(const std::wstring& name) { return CopyClusterEntry(ClusterMap, name).active; }

    static std::vector<std::wstring> ActiveNames() {
        std::vector<std::wstring> names;
        for (const auto& [name, entry] : ActiveClusterMap.Snapshot()) names.push_back(name);
        return names;
    }

    static WindowProfile ActiveProfile(const std::wstring& cluster, const std::wstring& title) {
        const ClusterEntry entry = CopyClusterEntry(ActiveClusterMap, cluster);
        const auto found = entry.profiles.find(title);
        return found == entry.profiles.end() ? WindowProfile{} : found->second;
    }

    ScratchAppData appData_;
};

using Names = std::vector<std::wstring>;

}  // namespace

TEST_F(ClusterMaps, RebuildListsEveryClusterInactiveWithItsProfiles) {
    appData_.WriteCluster(L"Work", "[Configuration]\r\nActivate on Startup=Yes\r\n" + Entry("Mail", "Inbox"));
    appData_.WriteCluster(L"Chat", Entry("Talk", "Chat window"));
    UpdateClusterMap(L"", L"");

    const ClusterMapValue map = ClusterMap.Snapshot();
    ASSERT_EQ(map.size(), 2u);
    EXPECT_FALSE(map.at(L"Work").active);  // only start-up reads "Activate on Startup"
    EXPECT_FALSE(map.at(L"Chat").active);
    ASSERT_EQ(map.at(L"Work").profiles.count(L"Inbox"), 1u);
    EXPECT_EQ(map.at(L"Work").profiles.at(L"Inbox").sectionName, L"Mail");
    EXPECT_TRUE(ActiveClusterMap.Snapshot().empty());
}

TEST_F(ClusterMaps, CommandIdsFollowTheListingOrder) {
    appData_.WriteCluster(L"Work", Entry("Mail", "Inbox"));
    appData_.WriteCluster(L"Chat", Entry("Talk", "Chat window"));
    UpdateClusterMap(L"", L"");
    const std::vector<std::wstring> listing = ListClusterNames(AppDataPath, L"\\Pinora\\Clusters\\*.ini");
    ASSERT_EQ(listing.size(), 2u);
    EXPECT_EQ(CopyClusterEntry(ClusterMap, listing[0]).commandId, 1007);
    EXPECT_EQ(CopyClusterEntry(ClusterMap, listing[1]).commandId, 1008);
    EXPECT_EQ(CopyClusterEntry(ClusterMap, L"Absent").commandId, 0);
    EXPECT_FALSE(ContainsCluster(ClusterMap, L"Absent"));
    EXPECT_TRUE(ContainsCluster(ClusterMap, L"Work"));
}

TEST_F(ClusterMaps, ToggleTwiceReturnsToTheStartAndActivateAndDeactivateOnlySwitchOneWay) {
    appData_.WriteCluster(L"Work", Entry("Mail", "Inbox"));
    appData_.WriteCluster(L"Chat", Entry("Talk", "Chat window"));
    UpdateClusterMap(L"", L"");

    UpdateClusterMap(L"Work", L"toggle");
    EXPECT_TRUE(IsActive(L"Work"));
    EXPECT_EQ(ActiveNames(), Names{L"Work"});
    UpdateClusterMap(L"Work", L"toggle");
    EXPECT_FALSE(IsActive(L"Work"));
    EXPECT_TRUE(ActiveNames().empty());

    UpdateClusterMap(L"Chat", L"activate");
    UpdateClusterMap(L"Chat", L"activate");
    EXPECT_TRUE(IsActive(L"Chat"));
    EXPECT_FALSE(IsActive(L"Work"));
    EXPECT_EQ(ActiveNames(), Names{L"Chat"});

    UpdateClusterMap(L"Chat", L"deactivate");
    UpdateClusterMap(L"Chat", L"deactivate");
    EXPECT_TRUE(ActiveNames().empty());
}

TEST_F(ClusterMaps, ActiveFlagsSurviveRebuildsAndReloads) {
    appData_.WriteCluster(L"Work", Entry("Mail", "Inbox"));
    appData_.WriteCluster(L"Chat", Entry("Talk", "Chat window"));
    UpdateClusterMap(L"", L"");
    UpdateClusterMap(L"Work", L"activate");

    UpdateClusterMap(L"", L"");
    EXPECT_EQ(ActiveNames(), Names{L"Work"});
    UpdateClusterMap(L"", L"reload");
    EXPECT_EQ(ActiveNames(), Names{L"Work"});
    // A name that is not in the catalogue changes no flag.
    UpdateClusterMap(L"Gone", L"toggle");
    EXPECT_EQ(ActiveNames(), Names{L"Work"});
}

TEST_F(ClusterMaps, UnknownCommandDoesNothingAtAll) {
    appData_.WriteCluster(L"Work", Entry("Mail", "Inbox"));
    UpdateClusterMap(L"", L"");
    appData_.WriteCluster(L"Chat", Entry("Talk", "Chat window"));

    for (const wchar_t* command : {L"Activate", L"TOGGLE", L"reload ", L"Deactivate"}) {
        UpdateClusterMap(L"Work", command);
        EXPECT_FALSE(IsActive(L"Work")) << command;
        EXPECT_FALSE(ContainsCluster(ClusterMap, L"Chat")) << command;  // not even rebuilt
    }
}

TEST_F(ClusterMaps, RebuildPicksUpChangedAddedAndRemovedFiles) {
    appData_.WriteCluster(L"Work", Entry("Mail", "Inbox", 1));
    appData_.WriteCluster(L"Old", Entry("Thing", "Thing"));
    UpdateClusterMap(L"", L"");
    UpdateClusterMap(L"Work", L"activate");

    appData_.WriteCluster(L"Work", Entry("Mail", "Inbox", 4) + "\r\n" + Entry("Notes", "Notes"));
    DeleteFileW(appData_.ClusterFile(L"Old.ini").c_str());
    appData_.WriteCluster(L"New", Entry("Fresh", "Fresh"));
    UpdateClusterMap(L"", L"");

    EXPECT_FALSE(ContainsCluster(ClusterMap, L"Old"));
    EXPECT_TRUE(ContainsCluster(ClusterMap, L"New"));
    EXPECT_FALSE(IsActive(L"New"));
    EXPECT_EQ(ActiveProfile(L"Work", L"Inbox").zLevel, 4);
    EXPECT_EQ(ActiveProfile(L"Work", L"Notes").sectionName, L"Notes");
}

TEST_F(ClusterMaps, ProfilesWithTheSameTitleKeepOnlyTheFirst) {
    appData_.WriteCluster(L"Work", Entry("First", "Inbox", 1) + "\r\n" + Entry("Second", "Inbox", 2) + "\r\n" +
                                       "[No title]\r\nPosition=1 1\r\nSize=1 1\r\n" +
                                       "[No title either]\r\nPosition=2 2\r\nSize=2 2\r\n");
    UpdateClusterMap(L"", L"");
    const ClusterEntry entry = CopyClusterEntry(ClusterMap, L"Work");
    ASSERT_EQ(entry.profiles.size(), 2u);
    EXPECT_EQ(entry.profiles.at(L"Inbox").sectionName, L"First");
    EXPECT_EQ(entry.profiles.at(L"Error").sectionName, L"No title");  // a missing Title loads as "Error"
}

TEST_F(ClusterMaps, ActiveProfilesAreBoundToTheLastMatchingLiveWindowExceptOnReload) {
    appData_.WriteCluster(L"Work", Entry("Mail", "Inbox") + "\r\n" + Entry("Notes", "Notes"));
    appData_.WriteCluster(L"Chat", Entry("Mail again", "Inbox"));
    LiveWindowList.Replace({LiveRecord(0x100, L"Inbox"), LiveRecord(0, L"Notes"), LiveRecord(0x200, L"Inbox"),
                            LiveRecord(0x300, L"Other")});
    UpdateClusterMap(L"", L"");
    UpdateClusterMap(L"Chat", L"activate");
    UpdateClusterMap(L"Work", L"activate");

    EXPECT_EQ(ActiveProfile(L"Work", L"Inbox").hwnd, reinterpret_cast<WindowHandle>(0x200));
    EXPECT_EQ(ActiveProfile(L"Chat", L"Inbox").hwnd, reinterpret_cast<WindowHandle>(0x200));
    EXPECT_EQ(ActiveProfile(L"Work", L"Notes").hwnd, nullptr);  // its window has no handle
    // The full map keeps the profiles exactly as loaded.
    EXPECT_EQ(CopyClusterEntry(ClusterMap, L"Work").profiles.at(L"Inbox").hwnd, nullptr);

    UpdateClusterMap(L"", L"reload");
    EXPECT_EQ(ActiveNames(), (Names{L"Chat", L"Work"}));
    EXPECT_EQ(ActiveProfile(L"Work", L"Inbox").hwnd, nullptr);
    EXPECT_EQ(ActiveProfile(L"Chat", L"Inbox").hwnd, nullptr);
}

TEST_F(ClusterMaps, NoClusterFilesEmptyBothMaps) {
    appData_.WriteCluster(L"Work", Entry("Mail", "Inbox"));
    UpdateClusterMap(L"", L"");
    UpdateClusterMap(L"Work", L"activate");
    DeleteFileW(appData_.ClusterFile(L"Work.ini").c_str());
    UpdateClusterMap(L"", L"");
    EXPECT_TRUE(ClusterMap.Snapshot().empty());
    EXPECT_TRUE(ActiveClusterMap.Snapshot().empty());
}

// The tray toggles while a configuration window's thread rebuilds: no toggle is undone.
TEST_F(ClusterMaps, NoToggleIsLostToARebuildOnAnotherThread) {
    appData_.WriteCluster(L"Work", Entry("Mail", "Inbox"));
    std::thread rebuilds([] {
        for (int i = 0; i < 200; ++i) UpdateClusterMap(L"", L"");
    });
    for (int i = 0; i < 201; ++i) UpdateClusterMap(L"Work", L"toggle");
    rebuilds.join();
    EXPECT_EQ(ActiveNames(), Names{L"Work"});  // toggled an odd number of times
}
