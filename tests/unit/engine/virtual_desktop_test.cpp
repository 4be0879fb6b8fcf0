// Desktop names and moves through the test stand-in of the desktop library, with desktop
// lists written into this prefix's registry.
#include <gtest/gtest.h>

#include "engine/desktop_names.h"
#include "engine/engine.h"
#include "unit/engine/test_window_thread.h"

namespace {

constexpr wchar_t kDesktopsKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VirtualDesktops\\Desktops";
constexpr wchar_t kProperty[] = L"PnrDesktopNumber";

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

// The library is loaded only from beside the program, so the stand-in is put there for each
// test and removed after it.
std::wstring StandinBesideProgram() {
    return ProgramFolder() + L"\\VDA_Win10.dll";
}

// Desktop subkeys in enumeration order; a null name leaves the "Name" value out.
void WriteDesktops(const std::vector<const wchar_t*>& names) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kDesktopsKey);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::wstring subkey = std::wstring(kDesktopsKey) + L"\\{0000000" + std::to_wstring(i) + L"-PNR}";
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        if (names[i]) {
            RegSetValueExW(key, L"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(names[i]),
                           static_cast<DWORD>((wcslen(names[i]) + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(key);
    }
}

int StandinDesktopOf(HWND window) {
    return static_cast<int>(reinterpret_cast<intptr_t>(GetPropW(window, kProperty))) - 1;
}

class VirtualDesktops : public ::testing::Test {
  protected:
    void SetUp() override {
        CopyFileW((ProgramFolder() + L"\\standins\\VDA_Win10.dll").c_str(), StandinBesideProgram().c_str(), FALSE);
        OsVersion = {10, 0, 19045};
        LoadDesktopLibrary();
        window_ = windows_.Open({L"Desktop test window"});
    }
    void TearDown() override {
        FreeDesktopLibrary();
        DeleteFileW(StandinBesideProgram().c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, kDesktopsKey);
    }
    void PutOnDesktop(int number) { SetPropW(window_, kProperty, reinterpret_cast<HANDLE>(number + 1LL)); }
    WindowProfile Record() const {
        WindowProfile record;
        record.hwnd = window_;
        return record;
    }

    TestWindowThread windows_;
    HWND window_ = nullptr;
};

}  // namespace

TEST(DesktopLibraryChoice, FollowsTheSystemBuild) {
    EXPECT_STREQ(DesktopLibraryFileFor(22621), L"VDA_Win11.dll");
    EXPECT_STREQ(DesktopLibraryFileFor(22000), L"VDA_Win11.dll");
    EXPECT_STREQ(DesktopLibraryFileFor(26099), L"VDA_Win11.dll");
    EXPECT_STREQ(DesktopLibraryFileFor(26100), L"VDA_Win11_24H2.dll");
    EXPECT_STREQ(DesktopLibraryFileFor(19045), L"VDA_Win10.dll");
    EXPECT_STREQ(DesktopLibraryFileFor(0), L"VDA_Win10.dll");
}

TEST_F(VirtualDesktops, ADesktopIsCalledByItsNameOrElseByItsNumber) {
    WriteDesktops({L"Mail", nullptr, L""});
    PutOnDesktop(0);
    EXPECT_EQ(DesktopNameOf(window_), L"Mail");
    PutOnDesktop(1);
    EXPECT_EQ(DesktopNameOf(window_), L"Desktop 2");
    PutOnDesktop(2);
    EXPECT_EQ(DesktopNameOf(window_), L"Desktop 3");
    PutOnDesktop(7);  // beyond the registry's list
    EXPECT_EQ(DesktopNameOf(window_), L"");
    SetPropW(window_, kProperty, nullptr);  // the library cannot tell
    EXPECT_EQ(DesktopNameOf(window_), L"");
}

TEST_F(VirtualDesktops, AMoveGoesToTheFirstDesktopOfThatName) {
    WriteDesktops({L"Desktop 3", L"Chat", L"Chat", nullptr});
    PutOnDesktop(3);
    EXPECT_TRUE(MoveWindowToDesktopByName(Record(), L"Chat"));
    EXPECT_EQ(StandinDesktopOf(window_), 1);
    // A desktop without a name of its own answers to "Desktop " + its number, even when an
    // earlier desktop carries that text as its user-given name.
    MoveWindowToDesktopByName(Record(), L"Desktop 4");
    EXPECT_EQ(StandinDesktopOf(window_), 3);
    MoveWindowToDesktopByName(Record(), L"Desktop 3");
    EXPECT_EQ(StandinDesktopOf(window_), 0);
}

TEST_F(VirtualDesktops, ANameThatMatchesNoDesktopLeavesTheWindowWhereItIs) {
    WriteDesktops({L"Work", nullptr});
    PutOnDesktop(1);
    EXPECT_FALSE(MoveWindowToDesktopByName(Record(), L"Games"));
    EXPECT_FALSE(MoveWindowToDesktopByName(Record(), L"work"));  // names compare case-sensitively
    EXPECT_EQ(StandinDesktopOf(window_), 1);
}

TEST_F(VirtualDesktops, WithoutTheLibraryEveryDesktopOperationDoesNothing) {
    WriteDesktops({L"Work", L"Chat"});
    PutOnDesktop(0);
    FreeDesktopLibrary();
    EXPECT_EQ(DesktopNameOf(window_), L"");
    EXPECT_FALSE(MoveWindowToDesktopByName(Record(), L"Chat"));
    EXPECT_EQ(StandinDesktopOf(window_), 0);
    UnregisterDesktopHook(window_);  // must not crash
}
