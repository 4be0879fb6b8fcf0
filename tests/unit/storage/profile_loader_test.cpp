#include <gtest/gtest.h>

#include "storage/profile.h"
#include "storage_test_support.h"

namespace {

class ProfileLoader : public testing::Test {
  protected:
    // Loads one entry whose other keys are valid, with extraLines added at its end.
    WindowProfileList LoadEntry(const std::string& geometryLines, const std::string& extraLines = "") {
        appData_.WriteCluster(L"Work", "[Entry]\r\nPath=C:\\app.exe\r\n" + geometryLines + extraLines);
        return LoadWindowProfiles(L"Work");
    }

    ScratchAppData appData_;
};

TEST_F(ProfileLoader, FullEntryLoadsEveryField) {
    appData_.WriteCluster(L"Work",
                          "[Configuration]\nActivate on Startup=Yes\n"
                          "[Mail]\nTitle=Inbox - Mail\nClass=MailWnd\nPath=C:\\mail.exe\nDesktop=Desk 2\n"
                          "Move to Desktop=Yes\nLaunch with QuickMenu=Yes\nSuperGlue=Yes\nCorners=Dull\n"
                          "Position=-1920 0\nSize=800 600\nZ-Level=3\nURL=https://mail\nRules=r\n");
    const WindowProfileList profiles = LoadWindowProfiles(L"Work");
    ASSERT_EQ(profiles.size(), 1u);
    const WindowProfile& p = profiles[0];
    EXPECT_EQ(p.sectionName, L"Mail");
    EXPECT_EQ(p.title, L"Inbox - Mail");
    EXPECT_EQ(p.className, L"MailWnd");
    EXPECT_EQ(p.exePath, L"C:\\mail.exe");
    EXPECT_EQ(p.desktop, L"Desk 2");
    EXPECT_TRUE(p.moveToDesktop && p.launchWithQuickMenu && p.superGlue);
    EXPECT_EQ(p.corners, CornerStyle::Dull);
    EXPECT_EQ(p.position, (FramePosition{-1920, 0}));
    EXPECT_EQ(p.size, (FrameSize{800, 600}));
    EXPECT_EQ(p.zLevel, 3);
    EXPECT_EQ(p.url, L"https://mail");
    EXPECT_EQ(p.rules, L"r");
    EXPECT_EQ(p.hwnd, nullptr);
}

TEST_F(ProfileLoader, MissingKeysReadAsTheirDefaults) {
    const WindowProfileList profiles = LoadEntry("Position=1 2\r\nSize=3 4\r\n", "Title=\r\nURL=\r\nSuperGlue=yes\r\n");
    ASSERT_EQ(profiles.size(), 1u);
    const WindowProfile& p = profiles[0];
    EXPECT_EQ(p.title, L"Error");
    EXPECT_EQ(p.className, L"Error");
    EXPECT_EQ(p.rules, L"Error");
    EXPECT_EQ(p.desktop, L"");
    EXPECT_EQ(p.url, L"C:\\app.exe");
    EXPECT_FALSE(p.moveToDesktop || p.launchWithQuickMenu || p.superGlue);
    EXPECT_EQ(p.corners, CornerStyle::Round);
    EXPECT_EQ(p.zLevel, 0);
}

TEST_F(ProfileLoader, PositionAndSizeNumberSyntax) {
    struct Row {
        const char* lines;
        FramePosition position;
        FrameSize size;
    };
    const Row rows[] = {
        {"Position=-1920 0\nSize=800 600\n", {-1920, 0}, {800, 600}},
        {"Position=-1920  0\nSize=800\t600 \n", {-1920, 0}, {800, 800}},
        {"Position=10px 20px\nSize=+300 -400 extra\n", {10, 20}, {300, -400}},
        {"Position=7\nSize=500\n", {7, 7}, {500, 500}},
        {"Position=-2147483648 2147483647\nSize=1 1\n", {INT32_MIN, INT32_MAX}, {1, 1}},
    };
    for (const Row& row : rows) {
        const WindowProfileList profiles = LoadEntry(row.lines);
        ASSERT_EQ(profiles.size(), 1u) << row.lines;
        EXPECT_EQ(profiles[0].position, row.position) << row.lines;
        EXPECT_EQ(profiles[0].size, row.size) << row.lines;
    }
}

TEST_F(ProfileLoader, UnreadableGeometryDropsOnlyThatEntry) {
    const char* badGeometry[] = {
        "Size=1 1\n",
        "Position=1 2\n",
        "Position=\nSize=1 1\n",
        "Position=Error\nSize=1 1\n",
        "Position=1 x\nSize=1 1\n",
        "Position=2147483648 0\nSize=1 1\n",
        "Position=1 2\nSize=1 -99999999999\n",
    };
    for (const char* lines : badGeometry) {
        appData_.WriteCluster(L"Work", std::string("[Bad]\n") + lines + "[Good]\nPosition=1 2\nSize=3 4\n");
        const WindowProfileList profiles = LoadWindowProfiles(L"Work");
        ASSERT_EQ(profiles.size(), 1u) << lines;
        EXPECT_EQ(profiles[0].sectionName, L"Good") << lines;
    }
}

TEST_F(ProfileLoader, BrokenZLevelReadsAsZero) {
    for (const char* level : {"high", "99999999999", "-"}) {
        const WindowProfileList profiles = LoadEntry("Position=1 2\r\nSize=3 4\r\n", std::string("Z-Level=") + level);
        ASSERT_EQ(profiles.size(), 1u) << level;
        EXPECT_EQ(profiles[0].zLevel, 0) << level;
    }
    EXPECT_EQ(LoadEntry("Position=1 2\r\nSize=3 4\r\n", "Z-Level=-5 ")[0].zLevel, -5);
}

TEST_F(ProfileLoader, CornersMapOnlyExactRoundAndDull) {
    const std::pair<const char*, CornerStyle> rows[] = {
        {"Round", CornerStyle::Round}, {"Dull", CornerStyle::Dull},   {"Sharp", CornerStyle::Sharp},
        {"sharp", CornerStyle::Sharp}, {"round", CornerStyle::Sharp}, {"whatever", CornerStyle::Sharp},
    };
    for (const auto& [word, style] : rows) {
        const WindowProfileList profiles = LoadEntry("Position=1 2\r\nSize=3 4\r\n", std::string("Corners=") + word);
        ASSERT_EQ(profiles.size(), 1u) << word;
        EXPECT_EQ(profiles[0].corners, style) << word;
    }
}

TEST_F(ProfileLoader, EntriesComeInFileOrderOnceEachWithTheirLastValues) {
    appData_.WriteCluster(L"Work",
                          "[B]\nPosition=1 1\nSize=1 1\nTitle=first\n[configuration]\nPosition=2 2\nSize=2 2\n"
                          "[Configuration]\nPosition=3 3\nSize=3 3\n[A]\nPosition=4 4\nSize=4 4\n[B]\nTitle=last\n");
    const WindowProfileList profiles = LoadWindowProfiles(L"Work");
    ASSERT_EQ(profiles.size(), 3u);
    EXPECT_EQ(profiles[0].sectionName, L"B");
    EXPECT_EQ(profiles[0].title, L"last");
    EXPECT_EQ(profiles[1].sectionName, L"configuration");
    EXPECT_EQ(profiles[2].sectionName, L"A");
}

TEST_F(ProfileLoader, ClusterWithoutEntriesOrFileLoadsNothing) {
    appData_.WriteCluster(L"Empty", "[Configuration]\nActivate on Startup=Yes\n");
    EXPECT_TRUE(LoadWindowProfiles(L"Empty").empty());
    EXPECT_TRUE(LoadWindowProfiles(L"Missing").empty());
}

// Entries are listed from "<name>.ini" but their values come from the file the value
// operations use, which for a name ending in ".ini" is the file of that very name.
TEST_F(ProfileLoader, NameEndingInIniListsOneFileAndReadsTheOther) {
    appData_.WriteCluster(L"Work.ini", "[Mail]\nTitle=listed file");
    appData_.WriteCluster(L"Work", "[Mail]\nTitle=value file\nPosition=1 2\nSize=3 4");
    const WindowProfileList profiles = LoadWindowProfiles(L"Work.ini");
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_EQ(profiles[0].title, L"value file");
}

}  // namespace
