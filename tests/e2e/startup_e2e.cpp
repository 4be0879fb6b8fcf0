// Start-up, the single-instance guard, the settings file and the autostart value.
#include <gtest/gtest.h>

#include "driver/driver.h"

using namespace pnrtest;

namespace {

const std::wstring kSettingsFile = L"\\config.ini";

std::wstring SettingsPath() {
    return PinoraDataFolder() + kSettingsFile;
}

std::wstring ReadSetting(const wchar_t* key) {
    wchar_t value[256] = {};
    GetPrivateProfileStringW(L"Settings", key, L"<missing>", value, 256, SettingsPath().c_str());
    return value;
}

void WriteSettings(const wchar_t* timeDelay, const wchar_t* startWithWindows) {
    CreateDirectoryW(PinoraDataFolder().c_str(), nullptr);
    WritePrivateProfileStringW(L"Settings", L"Time Delay", timeDelay, SettingsPath().c_str());
    WritePrivateProfileStringW(L"Settings", L"Start with Windows", startWithWindows, SettingsPath().c_str());
}

std::optional<std::wstring> RunValue() {
    return ReadRegistryString(HKEY_CURRENT_USER, kRunKey, L"Pinora");
}

}  // namespace

TEST(Startup, FirstStartCreatesTheDataFoldersAndDefaultSettingsWithoutAutostart) {
    DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, L"Pinora");
    PinoraApp app;
    ASSERT_FALSE(DirectoryExists(PinoraDataFolder()));
    ASSERT_TRUE(app.Start());

    EXPECT_TRUE(DirectoryExists(PinoraDataFolder()));
    EXPECT_TRUE(DirectoryExists(ClusterFolderPath()));
    EXPECT_EQ(ReadSetting(L"Time Delay"), L"2");
    EXPECT_EQ(ReadSetting(L"Start with Windows"), L"No");
    EXPECT_FALSE(RunValue().has_value());
}

TEST(Startup, RunValueFollowsStartWithWindowsAtEveryStart) {
    WriteSettings(L"2", L"Yes");
    {
        PinoraApp app({/*resetData=*/false});
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(RunValue(), L"\"" + app.ExePath() + L"\"");
        app.Quit();
    }
    WriteSettings(L"2", L"No");
    {
        PinoraApp app({/*resetData=*/false});
        ASSERT_TRUE(app.Start());
        EXPECT_FALSE(RunValue().has_value());
        app.Quit();
    }
    // Only the exact word turns autostart on.
    WriteSettings(L"2", L"yes");
    {
        PinoraApp app({/*resetData=*/false});
        ASSERT_TRUE(app.Start());
        EXPECT_FALSE(RunValue().has_value());
    }
}

TEST(Startup, ASecondCopyShowsTheAlreadyRunningBoxAndLeavesTheFirstAlone) {
    PinoraApp app;
    ASSERT_TRUE(app.Start());
    const auto settingsBefore = ReadFileBytes(SettingsPath());
    ASSERT_TRUE(TrayIconExists(app.NotifyWindow(), 1000));

    PROCESS_INFORMATION second = app.StartAnother();
    ASSERT_NE(second.hProcess, nullptr);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(second.dwProcessId, L"Error")) != nullptr; }, 10000ms));
    EXPECT_EQ(MessageBoxText(box), L"Application is already running.\nOpen the tray to find the Pinora icon.");
    CloseMessageBox(box);
    ASSERT_EQ(WaitForSingleObject(second.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(second.hProcess, &exitCode);
    CloseHandle(second.hProcess);
    CloseHandle(second.hThread);

    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(app.IsRunning());
    EXPECT_TRUE(app.Sync());
    EXPECT_EQ(ReadFileBytes(SettingsPath()), settingsBefore);
    EXPECT_TRUE(TrayIconExists(app.NotifyWindow(), 1000));
}

// A copy running elevated holds a mutex that a normal copy may not open. The test holds it
// with an empty access list, which lets no one open it.
TEST(Startup, AMutexThatCannotBeOpenedCountsAsACopyAlreadyRunning) {
    ACL emptyList = {};
    InitializeAcl(&emptyList, sizeof(emptyList), ACL_REVISION);
    SECURITY_DESCRIPTOR descriptor = {};
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, &emptyList, FALSE);
    SECURITY_ATTRIBUTES attributes = {sizeof(attributes), &descriptor, FALSE};
    PinoraApp app;
    const HANDLE mutex = CreateMutexW(&attributes, FALSE, L"PNRRunningMutex");
    ASSERT_NE(mutex, nullptr);
    // What a second copy sees.
    ASSERT_EQ(CreateMutexW(nullptr, TRUE, L"PNRRunningMutex"), nullptr);
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    PROCESS_INFORMATION copy = app.StartAnother();
    ASSERT_NE(copy.hProcess, nullptr);
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (box = FindMessageBox(copy.dwProcessId, L"Error")) != nullptr; }, 10000ms));
    EXPECT_TRUE(TopLevelWindowsOf(copy.dwProcessId, L"PinoraNotifyWindow").empty()) << "a second copy runs";
    if (box) CloseMessageBox(box);
    if (WaitForSingleObject(copy.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(copy.hProcess, 1);
    CloseHandle(copy.hProcess);
    CloseHandle(copy.hThread);
    CloseHandle(mutex);
    EXPECT_FALSE(DirectoryExists(PinoraDataFolder())) << "the refused copy wrote its data folder";
}

TEST(Startup, ADirectoryNamedLikeTheSettingsFileDoesNotStopStartUp) {
    CreateDirectoryW(PinoraDataFolder().c_str(), nullptr);
    CreateDirectoryW(SettingsPath().c_str(), nullptr);
    PinoraApp app({/*resetData=*/false});
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(DirectoryExists(ClusterFolderPath()));
    EXPECT_FALSE(RunValue().has_value());
    app.Quit();
    EXPECT_EQ(app.WaitForExit(1000ms), 0u);
    RemoveTree(SettingsPath());
}
