// Damaged cluster files: reading never fails on them, valid entries still load, and a
// rewrite keeps every line that a rewrite keeps, or is not made when a line would be lost.
#include <gtest/gtest.h>

#include <random>

#include "storage/ini.h"
#include "storage/profile.h"
#include "storage_test_support.h"

namespace {

std::string Garbage(std::mt19937& random, size_t length) {
    std::string bytes(length, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

bool Contains(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

class BadInput : public testing::Test {
  protected:
    ScratchAppData appData_;
};

TEST_F(BadInput, GarbageAroundEntriesLeavesThemReadableAndKept) {
    std::mt19937 random(20240601);
    const std::string hugeComment = ";" + std::string(4 << 20, 'c');
    const std::string hugeValue(3 << 20, 'v');
    std::string file = "\xEF\xBB\xBF" + Garbage(random, 5000) + "\n";
    file += std::string("\0\0[nul]\0\0\n", 10);
    file += "[Good]\r\nPosition=1 2\r\nSize=3 4\r\nTitle=" + hugeValue + "\r\n";
    file += hugeComment + "\n";
    file += "; caf\xE9 invalid\r\n" + Garbage(random, 3000) + "\n";
    file += "lone\rcarriage\rreturns\n";
    file += "[Far]\nPosition=99999999999999999999999999 0\nSize=1 1\n";
    file += "[Also Good]\nPosition=-5 -6\nSize=7\nZ-Level=-99999999999999999999\n";
    file += Garbage(random, 2000);
    appData_.WriteCluster(L"Work", file);

    WindowProfileList profiles = LoadWindowProfiles(L"Work");
    ASSERT_GE(profiles.size(), 2u);
    // Random bytes may happen to form a header; the named entries come through regardless.
    const auto find = [&](const wchar_t* name) {
        for (const WindowProfile& p : profiles) {
            if (p.sectionName == name) return &p;
        }
        return static_cast<const WindowProfile*>(nullptr);
    };
    ASSERT_TRUE(find(L"Good"));
    EXPECT_EQ(find(L"Good")->title, std::wstring(hugeValue.begin(), hugeValue.end()));
    ASSERT_TRUE(find(L"Also Good"));
    EXPECT_EQ(find(L"Also Good")->size, (FrameSize{7, 7}));
    EXPECT_FALSE(find(L"Far"));

    // Lines that are not UTF-8 text would be blanked by a rewrite, so the file is left alone.
    WriteClusterValue(L"Work", L"Good", L"Corners", L"Sharp");
    EXPECT_EQ(appData_.ReadCluster(L"Work"), file);

    // Without those lines, a rewrite keeps everything a rewrite keeps.
    file = "[Good]\r\nPosition=1 2\r\nSize=3 4\r\nTitle=" + hugeValue + "\r\n" + hugeComment + "\n";
    file += "lone\rcarriage\rreturns\n[Far]\nPosition=99999999999999999999999999 0\nSize=1 1\n";
    file += "[Also Good]\nPosition=-5 -6\nSize=7\nZ-Level=-99999999999999999999\n";
    appData_.WriteCluster(L"Work", file);
    WriteClusterValue(L"Work", L"Good", L"Corners", L"Sharp");
    const std::string rewritten = appData_.ReadCluster(L"Work");
    EXPECT_TRUE(Contains(rewritten, "[Good]\r\nPosition=1 2\r\nSize=3 4\r\nTitle=" + hugeValue +
                                        "\r\nCorners=Sharp\r\n" + hugeComment + "\r\n[Far]\r\n"));
    EXPECT_TRUE(Contains(rewritten, "\r\n[Far]\r\nPosition=99999999999999999999999999 0\r\nSize=1 1\r\n"));
    EXPECT_TRUE(Contains(rewritten, "[Also Good]\r\nPosition=-5 -6\r\nSize=7\r\nZ-Level=-99999999999999999999"));
    EXPECT_EQ(LoadWindowProfiles(L"Work").size(), 2u);
}

TEST_F(BadInput, ThousandsOfSectionsLoadInOrder) {
    std::string file;
    for (int i = 0; i < 5000; ++i) {
        file += "[E" + std::to_string(i) + "]\nPosition=" + std::to_string(i) + " 0\nSize=1 1\n";
    }
    appData_.WriteCluster(L"Many", file);
    const WindowProfileList profiles = LoadWindowProfiles(L"Many");
    ASSERT_EQ(profiles.size(), 5000u);
    EXPECT_EQ(profiles[4999].sectionName, L"E4999");
    EXPECT_EQ(profiles[4999].position.x, 4999);

    DeleteClusterSection(L"Many", L"E0");
    WriteClusterValue(L"Many", L"E2500", L"Title", L"middle");
    const WindowProfileList after = LoadWindowProfiles(L"Many");
    ASSERT_EQ(after.size(), 4999u);
    EXPECT_EQ(after[2499].title, L"middle");
}

TEST_F(BadInput, LinesWithoutLineFeedsAndOnlyCarriageReturns) {
    appData_.WriteCluster(L"Cr", "[A]\rPosition=1 2\rSize=3 4\r");
    // One line: the header swallows the rest, so no entry has geometry.
    EXPECT_TRUE(LoadWindowProfiles(L"Cr").empty());
    WriteClusterValue(L"Cr", L"B", L"k", L"v");
    EXPECT_EQ(appData_.ReadCluster(L"Cr"), "[A]\rPosition=1 2\rSize=3 4\r\n[B]\r\nk=v");
}

}  // namespace
