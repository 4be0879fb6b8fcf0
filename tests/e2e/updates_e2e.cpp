// The update library: set-up at start, "Check for Updates", its shutdown request, and a
// program that runs on as usual when the library is missing or incomplete. The stand-in
// library (tests/standins/winsparkle) records every call in a log beside the program.
#include <gtest/gtest.h>

#include <sstream>

#include "driver/driver.h"

using namespace pnrtest;

namespace {

constexpr UINT kCheckForUpdates = 1005;

std::wstring StandinPath() {
    return BuildBinFolder() + L"\\standins\\WinSparkle.dll";
}

std::wstring ProgramFolder(const PinoraApp& app) {
    return app.ExePath().substr(0, app.ExePath().find_last_of(L'\\'));
}

std::vector<std::string> LoggedCalls(const PinoraApp& app) {
    std::vector<std::string> lines;
    std::istringstream log(ReadFileBytes(ProgramFolder(app) + L"\\winsparkle-calls.log").value_or(""));
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    return lines;
}

// The key text as the program file carries it, read from the source tree.
std::string PublicKeyText() {
    std::wstring path = L"" PNR_EDDSA_KEY_FILE;
    if (!path.empty() && path.front() == L'/') path = L"Z:" + path;  // the Linux tree under Wine
    return ReadFileBytes(path).value_or("<unreadable key file>");
}

// Sent rather than posted: a sent message overtakes posted ones, so a later Sync() would not
// prove that a posted command has been handled.
bool SendCommand(const PinoraApp& app, UINT id) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(app.NotifyWindow(), WM_COMMAND, id, 0, SMTO_NORMAL, 5000, &ignored) != 0;
}

bool SetShutdownRequest(const PinoraApp& app) {
    const std::wstring name = L"PnrWinSparkleShutdown-" + std::to_wstring(app.ProcessId());
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name.c_str());
    if (!event) return false;
    const bool set = SetEvent(event) != FALSE;
    CloseHandle(event);
    return set;
}

}  // namespace

TEST(Updates, LibraryIsSetUpInOrderAndChecksSilentlyAtStart) {
    PinoraApp app({/*resetData=*/true, {StandinPath()}});
    ASSERT_TRUE(app.Start());
    const std::vector<std::string> expected = {
        "set_app_details\tQuendal\tPinora\t" PNR_PROJECT_VERSION,
        "set_appcast_url\t" PNR_UPDATE_FEED_URL,
        "set_eddsa_public_key\t" + PublicKeyText(),
        "set_shutdown_request_callback\tset",
        "init",
        "check_update_without_ui",
    };
    EXPECT_EQ(LoggedCalls(app), expected);
    app.Quit();
}

TEST(Updates, CheckForUpdatesAsksTheLibraryForAnInteractiveCheck) {
    PinoraApp app({/*resetData=*/true, {StandinPath()}});
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(SendCommand(app, kCheckForUpdates));
    const std::vector<std::string> calls = LoggedCalls(app);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "check_update_with_ui");
    app.Quit();
    EXPECT_EQ(LoggedCalls(app).back(), "cleanup");
}

TEST(Updates, ShutdownRequestOfTheLibraryEndsTheProgram) {
    PinoraApp app({/*resetData=*/true, {StandinPath()}});
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(SetShutdownRequest(app));
    EXPECT_EQ(app.WaitForExit(5000ms), 0u);
    const std::vector<std::string> calls = LoggedCalls(app);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "shutdown_request");
    EXPECT_EQ(calls.back(), "cleanup");
}

TEST(Updates, WithoutTheLibraryTheProgramRunsAsUsual) {
    PinoraApp app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(SendCommand(app, kCheckForUpdates));
    EXPECT_TRUE(app.IsRunning());
    EXPECT_TRUE(TrayIconExists(app.NotifyWindow(), 1000));
    app.Command(1001);
    EXPECT_EQ(app.WaitForExit(5000ms), 0u);
}

TEST(Updates, LibraryMissingAnEntryPointIsLeftAlone) {
    PinoraApp app;
    // A DLL of that name without the update functions: the desktop-library stand-in.
    ASSERT_TRUE(CopyFileW((BuildBinFolder() + L"\\standins\\VDA_Win10.dll").c_str(),
                          (ProgramFolder(app) + L"\\WinSparkle.dll").c_str(), FALSE));
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(SendCommand(app, kCheckForUpdates));
    EXPECT_TRUE(app.IsRunning());
    app.Command(1001);
    EXPECT_EQ(app.WaitForExit(5000ms), 0u);
}
