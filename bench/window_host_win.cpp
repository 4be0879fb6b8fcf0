#include "window_host.h"

#include <shellapi.h>

#include <vector>

#include "base/win_handles.h"

namespace {

constexpr wchar_t kHostSwitch[] = L"--host";

std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args(argv, argv + (argv ? count : 0));
    LocalFree(argv);
    return args;
}

// New windows bring the system a round of work (messages here, the display's own work behind
// them) that slows every window call on the desktop for a few hundred milliseconds with 200
// windows; the first figures measured would otherwise include it. Ready means this queue has
// stayed empty for 100 ms.
void SettleNewWindows() {
    constexpr DWORD kQuietMs = 100;
    for (DWORD quietSince = GetTickCount(); GetTickCount() - quietSince < kQuietMs;) {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
            quietSince = GetTickCount();
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
}

void HostWindows(int count, const std::wstring& readyEventName) {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PnrBenchWindow";
    RegisterClassExW(&wc);
    for (int i = 0; i < count; ++i) {
        const RECT r = HostedFrame(i);
        CreateWindowExW(0, wc.lpszClassName, HostedTitle(i).c_str(), WS_POPUP | WS_VISIBLE, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    }
    SettleNewWindows();
    UniqueHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, readyEventName.c_str()));
    if (ready) SetEvent(ready.get());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
}

}  // namespace

std::wstring HostedTitle(int index) {
    return L"Benchmark window " + std::to_wstring(index);
}

RECT HostedFrame(int index) {
    const int x = 10 + index % 40 * 10;
    const int y = 10 + index % 30 * 10;
    return RECT{x, y, x + 400, y + 300};
}

bool RanAsWindowHost() {
    const std::vector<std::wstring> args = CommandLineArguments();
    if (args.size() != 4 || args[1] != kHostSwitch) return false;
    HostWindows(std::stoi(args[2]), args[3]);
    return true;
}

WindowHost::WindowHost(int count) {
    const std::wstring eventName = L"PnrBenchWindowHostReady" + std::to_wstring(GetCurrentProcessId());
    UniqueHandle ready(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring commandLine =
        L"\"" + std::wstring(exe) + L"\" " + kHostSwitch + L" " + std::to_wstring(count) + L" " + eventName;
    STARTUPINFOW startup = {sizeof(startup)};
    if (CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
        HANDLE waitFor[] = {ready.get(), process_.hProcess};
        WaitForMultipleObjects(2, waitFor, FALSE, 60000);
    }
}

WindowHost::~WindowHost() {
    if (!process_.hProcess) return;
    PostThreadMessageW(process_.dwThreadId, WM_QUIT, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}
