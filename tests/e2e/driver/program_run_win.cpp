// Programs that Wine ships, run the way a user starts them.
#include "driver/driver.h"

namespace pnrtest {

ProgramRun::ProgramRun(const std::wstring& commandLine) {
    // A Wine program inherits the caller's standard streams at the Unix level and would keep
    // the test runner waiting for it; it gets none.
    STARTUPINFOW startup = {sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = INVALID_HANDLE_VALUE;
    std::wstring line = commandLine;
    CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_);
}

ProgramRun::~ProgramRun() {
    if (!process_.hProcess) return;
    if (mainWindow_) PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

HWND ProgramRun::WaitForMainWindow(Millis timeout) {
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindowsOf(process_.dwProcessId)) {
                if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) mainWindow_ = window;
            }
            return mainWindow_ != nullptr;
        },
        timeout);
    return mainWindow_;
}

}  // namespace pnrtest
