// The command line's speed: from the start of `Pinora.exe --toggle Bench` until the running
// copy's tray tooltip shows the change (20 runs, every run printed), next to the time the
// commanding copy takes until it exits, to the second copy's own start-up (`Pinora.exe --help`,
// start to exit) and to a start without a command (a quarter as many runs).
// Usage: pnr_bench_command_line [runs]   (20). Runs in a bench prefix: it rewrites %APPDATA%\Pinora.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "driver/controls.h"
#include "driver/driver.h"

using namespace pnrtest;

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

PROCESS_INFORMATION StartCommand(const std::wstring& exe, const std::wstring& arguments) {
    STARTUPINFOW startup = {sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;  // the bench's own output is no place for its lines
    startup.hStdInput = startup.hStdOutput = startup.hStdError = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION process = {};
    std::wstring line = L"\"" + exe + L"\" " + arguments;
    CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    return process;
}

DWORD WaitForExitCode(PROCESS_INFORMATION& process) {
    DWORD code = 0xFFFF;
    if (process.hProcess && WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    }
    if (process.hProcess) CloseHandle(process.hProcess);
    if (process.hThread) CloseHandle(process.hThread);
    return code;
}

bool TooltipShows(const std::wstring& text) {
    const std::vector<std::wstring> shown = TrayTooltipTexts();
    return std::find(shown.begin(), shown.end(), text) != shown.end();
}

void PrintSummary(const char* what, std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::printf("%-44s median %7.1f ms (min %.1f, max %.1f, %zu runs)\n", what, values[values.size() / 2],
                values.front(), values.back(), values.size());
}

// A start without a command, for comparison: process start until its tray icon is there.
std::vector<double> FullStarts(int runs) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        PinoraApp app({/*resetData=*/false});
        const auto start = Clock::now();
        if (!app.StartUntilFirstAnswer()) continue;
        WaitUntil([&] { return TrayIconExists(app.NotifyWindow(), 1000); }, 20000ms, 1ms);
        times.push_back(MillisecondsSince(start));
        app.Quit();
    }
    return times;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 20;
    RemoveTree(PinoraDataFolder());
    WriteClusterFile(L"Bench", "[Configuration]\nActivate on Startup=No\n");
    PinoraApp app({/*resetData=*/false});
    if (!app.Start()) {
        std::printf("Pinora did not start\n");
        return 1;
    }
    std::vector<double> toTooltip, toExit, helpRuns;
    for (int run = 0; run < runs; ++run) {
        const std::wstring expected = run % 2 == 0 ? L"Pinora (active)\nBench" : L"Pinora";
        const auto start = Clock::now();
        PROCESS_INFORMATION command = StartCommand(app.ExePath(), L"--toggle Bench");
        const bool shown = WaitUntil([&] { return TooltipShows(expected); }, 20000ms, 1ms);
        toTooltip.push_back(MillisecondsSince(start));
        const DWORD exitCode = WaitForExitCode(command);
        toExit.push_back(MillisecondsSince(start));
        // Taken in turns with the toggles, so that both meet the same load on the machine.
        const auto helpStart = Clock::now();
        PROCESS_INFORMATION help = StartCommand(app.ExePath(), L"--help");
        WaitForExitCode(help);
        helpRuns.push_back(MillisecondsSince(helpStart));
        std::printf("run %2d: tooltip changed after %6.1f ms, command exited (%lu) after %6.1f ms%s; --help %6.1f ms\n",
                    run + 1, toTooltip.back(), static_cast<unsigned long>(exitCode), toExit.back(),
                    shown ? "" : " [NO CHANGE]", helpRuns.back());
    }
    app.Quit();
    const std::vector<double> fullStarts = FullStarts(runs / 4 > 0 ? runs / 4 : 1);
    std::printf("\n");
    PrintSummary("--toggle: start to tooltip change", toTooltip);
    PrintSummary("--toggle: start to the command's exit", toExit);
    PrintSummary("second copy's own start-up (--help to exit)", helpRuns);
    PrintSummary("a start without a command, to its tray icon", fullStarts);
    return 0;
}
