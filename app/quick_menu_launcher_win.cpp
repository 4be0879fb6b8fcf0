// Starts one saved window's program for the Quick Menu; the new window is placed later by
// the window-event reaction once its cluster is active.
#include "app/launch_command.h"
#include "app/shell.h"
#include "base/win_handles.h"
#include "storage/profile.h"

namespace {

bool StartProcess(std::wstring commandLine) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    // Not waited for and not tracked.
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    return true;
}

}  // namespace

bool LaunchWindowProfile(const WindowProfile& profile) {
    const LaunchCommand command = BuildLaunchCommand(profile);
    if (command.kind != LaunchCommand::Kind::ShellOpen) return StartProcess(command.commandLine);
    // Values above 32 mean success.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", command.file.c_str(), command.parameters.c_str(), nullptr, SW_SHOWDEFAULT));
    return result > 32;
}
