#include <gtest/gtest.h>

#include <algorithm>

#include "base/diagnostics.h"
#include "base/process.h"
#include "storage/catalogue.h"
#include "storage/cluster_paths.h"
#include "storage/ini.h"
#include "storage/profile.h"
#include "storage_test_support.h"

namespace {

class Catalogue : public testing::Test {
  protected:
    std::vector<std::wstring> SortedClusterNames() const {
        std::vector<std::wstring> names = ListClusterNames(AppDataPath, L"\\Pinora\\Clusters\\*.ini");
        std::sort(names.begin(), names.end());
        return names;
    }

    ScratchAppData appData_;
};

TEST_F(Catalogue, ClustersAreTheIniFilesOfTheFolder) {
    appData_.WriteCluster(L"Work", "");
    appData_.WriteCluster(L"", "");  // ".ini": the cluster with the empty name
    WriteBytes(appData_.ClusterFile(L"notes.txt"), "");
    WriteBytes(appData_.ClusterFile(L"Upper.INI"), "");
    // An editor's backup: its short name ends in ".INI", so the "*.ini" search finds it.
    WriteBytes(appData_.ClusterFile(L"Mail.ini~"), "");
    WriteBytes(appData_.ClusterFile(L"Dot..ini"), "");  // "Dot." is no usable name
    CreateDirectoryW(appData_.ClusterFile(L"Folder.ini").c_str(), nullptr);
    EXPECT_EQ(SortedClusterNames(), (std::vector<std::wstring>{L"", L"Upper", L"Work"}));
}

TEST_F(Catalogue, MissingFolderListsNoClusters) {
    RemoveDirectoryW(ClusterFolder().c_str());
    EXPECT_TRUE(ListClusterNames(AppDataPath, L"\\Pinora\\Clusters\\*.ini").empty());
    EXPECT_TRUE(LoadClusterList().empty());
}

TEST_F(Catalogue, FlagsAreTrueOnlyForExactlyYes) {
    appData_.WriteCluster(L"Both", "[Configuration]\nActivate on Startup=Yes\nShow in Quick Menu=Yes");
    appData_.WriteCluster(L"Lower", "[Configuration]\nActivate on Startup=yes\nShow in Quick Menu=YES");
    appData_.WriteCluster(L"Bare", "[Entry]\nActivate on Startup=Yes");
    std::vector<Cluster> clusters = LoadClusterList();
    std::sort(clusters.begin(), clusters.end(), [](const Cluster& a, const Cluster& b) { return a.name < b.name; });
    ASSERT_EQ(clusters.size(), 3u);
    EXPECT_EQ(clusters[0].name, L"Bare");
    EXPECT_FALSE(clusters[0].activateOnStartup || clusters[0].showInQuickMenu);
    EXPECT_EQ(clusters[1].name, L"Both");
    EXPECT_TRUE(clusters[1].activateOnStartup && clusters[1].showInQuickMenu);
    EXPECT_EQ(clusters[2].name, L"Lower");
    EXPECT_FALSE(clusters[2].activateOnStartup || clusters[2].showInQuickMenu);
}

TEST_F(Catalogue, SectionsComeInFileOrderWithoutConfiguration) {
    appData_.WriteCluster(L"Work", "[Mail]\n[Configuration]\n[configuration]\n[Chat]\n[Mail]\n");
    EXPECT_EQ(ListClusterSections(appData_.ClusterFile(L"Work.ini")),
              (std::vector<std::wstring>{L"Mail", L"configuration", L"Chat"}));
    EXPECT_TRUE(ListClusterSections(appData_.ClusterFile(L"None.ini")).empty());
}

TEST_F(Catalogue, RenameNeverReplacesAnotherClusterAndSaysWhetherItHappened) {
    appData_.WriteCluster(L"Old", "old");
    appData_.WriteCluster(L"Taken", "taken");
    EXPECT_FALSE(RenameClusterFile(L"Old", L"Taken"));
    EXPECT_EQ(appData_.ReadCluster(L"Old"), "old");
    EXPECT_EQ(appData_.ReadCluster(L"Taken"), "taken");
    EXPECT_TRUE(RenameClusterFile(L"Old", L"New"));
    EXPECT_FALSE(FileExists(appData_.ClusterFile(L"Old.ini")));
    EXPECT_EQ(appData_.ReadCluster(L"New"), "old");
}

TEST_F(Catalogue, DeleteRemovesTheClusterFile) {
    appData_.WriteCluster(L"Work", "x");
    DeleteClusterFile(L"Work");
    DeleteClusterFile(L"Missing");
    EXPECT_FALSE(FileExists(appData_.ClusterFile(L"Work.ini")));
}

// Names typed into a window, or read from elsewhere, never reach a file outside the folder.
TEST_F(Catalogue, NamesThatWouldLeaveTheFolderReachNoFile) {
    const std::wstring outside = AppDataRoot() + L"\\Outside.ini";
    const std::string outsideBytes =
        "[Configuration]\r\nActivate on Startup=Yes\r\n[Entry]\r\nPosition=1 2\r\nSize=3 4";
    WriteBytes(outside, outsideBytes);
    appData_.WriteCluster(L"Work", "w");
    const std::wstring escape = L"..\\Outside";

    EXPECT_EQ(ReadClusterValue(escape, L"Configuration", L"Activate on Startup", L"No"), L"No");
    EXPECT_TRUE(LoadWindowProfiles(escape).empty());
    WriteClusterValue(escape, L"Configuration", L"Activate on Startup", L"No");
    WriteClusterValue(L"..\\Written", L"S", L"k", L"v");
    DeleteClusterSection(escape, L"Entry");
    DeleteClusterFile(escape);
    EXPECT_FALSE(RenameClusterFile(escape, L"Inside"));
    EXPECT_FALSE(RenameClusterFile(L"Work", L"..\\Moved"));
    EXPECT_EQ(ReadBytes(outside), outsideBytes);
    EXPECT_FALSE(FileExists(AppDataRoot() + L"\\Written.ini"));
    EXPECT_FALSE(FileExists(AppDataRoot() + L"\\Moved.ini"));
    EXPECT_FALSE(FileExists(appData_.ClusterFile(L"Inside.ini")));
    EXPECT_EQ(appData_.ReadCluster(L"Work"), "w");
    // Devices are refused at the same step; so is an edit buffer's name once cut at its NUL.
    EXPECT_EQ(ClusterFilePath(L"C:\\F", L"COM1"), L"");
    EXPECT_EQ(ClusterValueFilePath(L"C:\\F", L"nul"), L"");
    EXPECT_EQ(ClusterValueFilePath(L"C:\\F", std::wstring(L"Work\0\0", 6)), L"C:\\F\\Work.ini");
    EXPECT_EQ(ClusterFilePath(L"C:\\F", L""), L"C:\\F\\.ini");
}

}  // namespace
