// Real programs nobody here wrote, opened one after another while Pinora runs: Wine's Notepad
// (20 times by default) and Regedit (5 times), each recognised by its executable name. Prints
// how many of them landed exactly at their saved frame, and where each one that did not ended.
// Usage: pnr_bench_real_programs <Pinora.exe> [Notepad runs] [Regedit runs]
// Writes its cluster file into this prefix's %APPDATA%\Pinora (run it in a bench prefix).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench/pinora_run.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Program {
    const wchar_t* exe;
    RECT saved;
};

// Neither program opens there by itself: Notepad opens where it was last closed (its values
// are deleted before each start) and Regedit at 0, 0.
constexpr Program kNotepad = {L"notepad.exe", {260, 180, 960, 680}};
constexpr Program kRegedit = {L"regedit.exe", {420, 140, 1320, 740}};

std::string EntryText(const char* section, const char* exe, const RECT& r) {
    return std::string("[") + section + "]\r\nTitle=" + section + "\r\nPosition=" + std::to_string(r.left) + " " +
           std::to_string(r.top) + "\r\nSize=" + std::to_string(r.right - r.left) + " " +
           std::to_string(r.bottom - r.top) + "\r\nRules=Executable name does match \"" + exe + "\"\r\n";
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

template <typename Fn>
bool WaitUntil(Fn&& condition, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!condition()) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// The program's standard streams go nowhere: a Wine program inherits them at the Unix level.
PROCESS_INFORMATION Launch(const wchar_t* exe) {
    STARTUPINFOW startup = {sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = exe;
    CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    return process;
}

HWND VisibleMainWindow(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Close(PROCESS_INFORMATION& process, HWND window) {
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

// One start of the program; true when its window sat at the saved frame within 5 seconds.
bool PlacedOnce(const Program& program, int run) {
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Notepad");
    PROCESS_INFORMATION process = Launch(program.exe);
    if (!process.hProcess) {
        std::printf("  run %d: %ls could not be started\n", run, program.exe);
        return false;
    }
    HWND window = nullptr;
    WaitUntil([&] { return (window = VisibleMainWindow(process.dwProcessId)) != nullptr; }, std::chrono::seconds(10));
    RECT rect = {};
    const bool placed =
        window && WaitUntil([&] { return GetWindowRect(window, &rect) && SameRect(rect, program.saved); },
                            std::chrono::seconds(5));
    if (!window) {
        std::printf("  run %d: no window appeared\n", run);
    } else if (!placed) {
        std::printf("  run %d: ended at (%ld, %ld, %ld x %ld)\n", run, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top);
    }
    Close(process, window);
    return placed;
}

void Count(const Program& program, int runs) {
    int placed = 0;
    for (int run = 1; run <= runs; ++run) {
        if (PlacedOnce(program, run)) ++placed;
        std::fflush(stdout);
    }
    const RECT& r = program.saved;
    std::printf("%ls: %d of %d placed at the saved frame (%ld, %ld, %ld x %ld)\n", program.exe, placed, runs, r.left,
                r.top, r.right - r.left, r.bottom - r.top);
    std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: pnr_bench_real_programs <Pinora.exe> [Notepad runs] [Regedit runs]\n");
        return 2;
    }
    const int notepadRuns = argc > 2 ? _wtoi(argv[2]) : 20;
    const int regeditRuns = argc > 3 ? _wtoi(argv[3]) : 5;
    WriteBenchCluster(L"Real", "[Configuration]\r\nActivate on Startup=Yes\r\n" +
                                   EntryText("Notepad", "notepad.exe", kNotepad.saved) +
                                   EntryText("Regedit", "regedit.exe", kRegedit.saved));
    PROCESS_INFORMATION pinora = {};
    if (!LaunchPinora(argv[1], &pinora)) {
        std::printf("could not start %ls\n", argv[1]);
        return 1;
    }
    HWND notifyWindow = WaitForNotifyWindow(pinora.dwProcessId);
    Count(kNotepad, notepadRuns);
    Count(kRegedit, regeditRuns);
    QuitPinora(pinora, notifyWindow);
    return 0;
}
