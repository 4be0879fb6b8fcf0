#include <gtest/gtest.h>

#include "base/diagnostics.h"
#include "base/process.h"
#include "storage/ini.h"
#include "storage_test_support.h"

namespace {

class ClusterValues : public testing::Test {
  protected:
    ScratchAppData appData_;
};

TEST_F(ClusterValues, FirstValueCreatesTheFoldersAndATwoLineFile) {
    RemoveDirectoryW(ClusterFolder().c_str());
    RemoveDirectoryW(AppDataRoot().c_str());
    WriteClusterValue(L"Work", L"Mail", L"Title", L"Inbox");
    EXPECT_EQ(appData_.ReadCluster(L"Work"), "[Mail]\r\nTitle=Inbox");
}

TEST_F(ClusterValues, NewClusterIsThreeLines) {
    WriteClusterValue(L"Work", L"Configuration", L"Show in Quick Menu", L"No");
    WriteClusterValue(L"Work", L"Configuration", L"Activate on Startup", L"Yes");
    EXPECT_EQ(appData_.ReadCluster(L"Work"), "[Configuration]\r\nShow in Quick Menu=No\r\nActivate on Startup=Yes");
}

TEST_F(ClusterValues, RewritingAnEntryKeepsItsOtherKeys) {
    appData_.WriteCluster(L"Work", "[Mail]\r\nTitle=Old\r\nURL=https://mail\r\nRules=r");
    WriteClusterValue(L"Work", L"Mail", L"Title", L"New");
    WriteClusterValue(L"Work", L"Mail", L"Corners", L"Dull");
    EXPECT_EQ(appData_.ReadCluster(L"Work"), "[Mail]\r\nTitle=New\r\nURL=https://mail\r\nRules=r\r\nCorners=Dull");
}

TEST_F(ClusterValues, NamesFromEditBuffersAreCutAtTheirFirstNul) {
    WriteClusterValue(std::wstring(L"Work\0\0\0", 7), std::wstring(L"Mail\0junk", 9), L"k", L"v");
    EXPECT_EQ(appData_.ReadCluster(L"Work"), "[Mail]\r\nk=v");
    DeleteClusterSection(L"Work", std::wstring(L"Mail\0\0", 6));
    EXPECT_EQ(appData_.ReadCluster(L"Work"), "");
}

TEST_F(ClusterValues, NameEndingInIniNamesTheFileItself) {
    WriteClusterValue(L"Work.ini", L"S", L"k", L"v");
    EXPECT_TRUE(FileExists(appData_.ClusterFile(L"Work.ini")));
    EXPECT_FALSE(FileExists(appData_.ClusterFile(L"Work.ini.ini")));
    EXPECT_EQ(ReadClusterValue(L"Work.ini", L"S", L"k", L"d"), L"v");
    EXPECT_EQ(ReadClusterValue(L"Work", L"S", L"k", L"d"), L"v");
}

TEST_F(ClusterValues, ReadingFallsBackForMissingFileSectionKeyOrEmptyValue) {
    EXPECT_EQ(ReadClusterValue(L"None", L"S", L"k", L"d"), L"d");
    appData_.WriteCluster(L"Work", "[S]\nempty=\nk=v");
    EXPECT_EQ(ReadClusterValue(L"Work", L"S", L"k", L"d"), L"v");
    EXPECT_EQ(ReadClusterValue(L"Work", L"S", L"empty", L"d"), L"d");
    EXPECT_EQ(ReadClusterValue(L"Work", L"S", L"other", L"d"), L"d");
    EXPECT_EQ(ReadClusterValue(L"Work", L"s", L"k", L"d"), L"d");
}

TEST_F(ClusterValues, ValuesKeepEqualsSignsSemicolonsAndEveryPlane) {
    const std::wstring url = L"https://x/?a=b;c";
    const std::wstring title = L"Caf\u00E9 \u4E2D \xD83D\xDE00";
    WriteClusterValue(L"Work", L"Web", L"URL", url);
    WriteClusterValue(L"Work", L"Web", L"Title", title);
    WriteClusterValue(L"Work", L"Web", L"a=b", L"1");
    EXPECT_EQ(ReadClusterValue(L"Work", L"Web", L"URL", L""), url);
    EXPECT_EQ(ReadClusterValue(L"Work", L"Web", L"Title", L""), title);
    EXPECT_EQ(ReadClusterValue(L"Work", L"Web", L"a=b", L""), L"1");
}

TEST_F(ClusterValues, DeletingFromAMissingFileLeavesAnEmptyFile) {
    DeleteClusterSection(L"Fresh", L"Anything");
    EXPECT_TRUE(FileExists(appData_.ClusterFile(L"Fresh.ini")));
    EXPECT_EQ(appData_.ReadCluster(L"Fresh"), "");
}

TEST_F(ClusterValues, DeletingASectionWithoutUtf8FormChangesNothing) {
    const std::string original = "\xEF\xBB\xBF[A]\nk=v\n";
    appData_.WriteCluster(L"Work", original);
    DeleteClusterSection(L"Work", std::wstring(1, wchar_t(0xD800)));
    EXPECT_EQ(appData_.ReadCluster(L"Work"), original);
    DeleteClusterSection(L"Work", L"A");
    EXPECT_EQ(appData_.ReadCluster(L"Work"), "");
}

}  // namespace
