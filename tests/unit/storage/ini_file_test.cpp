#include <gtest/gtest.h>

#include "base/win_handles.h"
#include "storage/ini_file.h"
#include "storage_test_support.h"

namespace {

class IniFileOnDisk : public testing::Test {
  protected:
    IniFileOnDisk() : path_(scratch_.File(L"c.ini")) {}

    bool WriteValue(const wchar_t* value) const {
        const IniFile file(path_);
        IniDocument document;
        file.read(document);
        document.GetOrInsert(L"S").GetOrInsert(L"k") = value;
        return file.write(document);
    }

    UniqueHandle Hold(DWORD share) const {
        return UniqueHandle(CreateFileW(path_.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr));
    }

    uint64_t FileIdentity() const {
        const UniqueHandle file = Hold(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        BY_HANDLE_FILE_INFORMATION info{};
        GetFileInformationByHandle(file.get(), &info);
        return (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    }

    std::vector<std::wstring> FolderContents() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found{};
        const UniqueFindHandle search(FindFirstFileW(scratch_.File(L"*").c_str(), &found));
        if (!search || search.get() == INVALID_HANDLE_VALUE) return names;
        do {
            if (found.cFileName[0] != L'.') names.push_back(found.cFileName);
        } while (FindNextFileW(search.get(), &found));
        return names;
    }

    ScratchFolder scratch_;
    std::wstring path_;
};

TEST_F(IniFileOnDisk, RewriteReplacesTheFileAndLeavesNoTemporaryFile) {
    WriteBytes(path_, "[S]\r\nk=old");
    const uint64_t before = FileIdentity();
    ASSERT_TRUE(WriteValue(L"new"));
    EXPECT_NE(FileIdentity(), before) << "the file was overwritten, not replaced";
    EXPECT_EQ(ReadBytes(path_), "[S]\r\nk=new");
    EXPECT_EQ(FolderContents(), std::vector<std::wstring>{L"c.ini"});
}

TEST_F(IniFileOnDisk, FileHeldOpenByAnotherProgramIsStillRewritten) {
    for (const DWORD share :
         {FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE}) {
        WriteBytes(path_, "[S]\r\nk=old");
        const UniqueHandle holder = Hold(share);
        ASSERT_TRUE(IsValid(holder));
        EXPECT_TRUE(WriteValue(L"new"));
        EXPECT_EQ(ReadBytes(path_), "[S]\r\nk=new");
        EXPECT_EQ(FolderContents(), std::vector<std::wstring>{L"c.ini"});
    }
}

TEST_F(IniFileOnDisk, FileThatCannotBeWrittenStaysUntouched) {
    WriteBytes(path_, "[S]\nk=old\n");
    {
        const UniqueHandle holder = Hold(FILE_SHARE_READ);
        EXPECT_FALSE(WriteValue(L"new"));
    }
    EXPECT_EQ(ReadBytes(path_), "[S]\nk=old\n");
    EXPECT_EQ(FolderContents(), std::vector<std::wstring>{L"c.ini"});
}

TEST_F(IniFileOnDisk, FileThatCannotBeReadIsNeitherReadNorWritten) {
    WriteBytes(path_, "[S]\nk=old\n");
    const UniqueHandle holder = Hold(0);
    ASSERT_TRUE(IsValid(holder));
    IniDocument document;
    document.GetOrInsert(L"stale");
    EXPECT_FALSE(IniFile(path_).read(document));
    EXPECT_EQ(document.size(), 0u);
    EXPECT_FALSE(IniFile(path_).readForRewrite(document));
    EXPECT_FALSE(WriteValue(L"new"));
}

// A file saved in a legacy code page, or as UTF-16, would lose every such line to a rewrite.
TEST_F(IniFileOnDisk, FileWithALineThatIsNotUtf8IsReadButNeverRewritten) {
    const std::string legacy = "[Work]\r\nTitle=Mail\r\n[Caf\xE9]\r\nTitle=Tea";
    const std::string utf16("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0v\0", 20);
    const std::string utf16WithoutMark("[\0S\0]\0\r\0\n\0k\0=\0v\0", 18);
    for (const std::string& bytes : {legacy, utf16, utf16WithoutMark}) {
        WriteBytes(path_, bytes);
        IniDocument document;
        EXPECT_FALSE(IniFile(path_).readForRewrite(document));
        EXPECT_FALSE(WriteValue(L"new"));
        EXPECT_EQ(ReadBytes(path_), bytes);
    }
    // Reading goes on as ever: the line that does not decode reads as empty.
    WriteBytes(path_, legacy);
    IniDocument document;
    ASSERT_TRUE(IniFile(path_).read(document));
    EXPECT_TRUE(document.Has(L"Work"));
}

TEST_F(IniFileOnDisk, EmptyPathMissingFileAndFolderAtThePath) {
    IniDocument document;
    EXPECT_FALSE(IniFile(L"").read(document));
    EXPECT_FALSE(IniFile(L"").write(document));
    EXPECT_FALSE(IniFile(path_).read(document));
    // A file yet to be made is an empty document to build on.
    EXPECT_TRUE(IniFile(path_).readForRewrite(document));
    CreateDirectoryW(path_.c_str(), nullptr);
    EXPECT_FALSE(IniFile(path_).readForRewrite(document));
    EXPECT_FALSE(IniFile(path_).write(document));
}

TEST_F(IniFileOnDisk, EmptyFileReadsAsEmptyDocument) {
    WriteBytes(path_, "");
    IniDocument document;
    EXPECT_TRUE(IniFile(path_).read(document));
    EXPECT_EQ(document.size(), 0u);
}

}  // namespace
