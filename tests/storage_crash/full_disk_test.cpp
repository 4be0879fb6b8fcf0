#include <gtest/gtest.h>

#include <algorithm>

#include "base/win_handles.h"
#include "storage/ini_file.h"
#include "storage_test_support.h"

namespace {

// The 16 KiB file system that full_disk.sh mounts, as Wine's drive Z: shows it.
std::wstring SmallDiskFolder() {
    std::string unixPath = PNR_FULL_DISK_DIR;
    std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
    return L"Z:" + std::wstring(unixPath.begin(), unixPath.end());
}

void FillDisk(const std::wstring& path) {
    const UniqueHandle filler(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const char block[4096] = {};
    DWORD written = 0;
    while (WriteFile(filler.get(), block, sizeof(block), &written, nullptr) && written == sizeof(block)) {
    }
}

}  // namespace

TEST(FullDisk, RewriteThatRunsOutOfSpaceLeavesTheFileAsItWas) {
    const std::wstring folder = SmallDiskFolder();
    if (!FileExists(folder + L"\\small-disk")) GTEST_SKIP() << "no small file system mounted at " << PNR_FULL_DISK_DIR;
    const std::wstring path = folder + L"\\Work.ini";
    const std::string before = "[S]\r\nk=" + std::string(7993, 'a');
    WriteBytes(path, before);
    FillDisk(folder + L"\\filler");

    const IniFile file(path);
    IniDocument document;
    ASSERT_TRUE(file.read(document));
    document.GetOrInsert(L"S").GetOrInsert(L"k") = std::wstring(8993, L'b');
    EXPECT_FALSE(file.write(document));
    EXPECT_EQ(ReadBytes(path), before) << ReadBytes(path).size() << " bytes left";

    DeleteFileW((folder + L"\\filler").c_str());
    DeleteFileW(path.c_str());
}
