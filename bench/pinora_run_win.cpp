#include "bench/pinora_run.h"

#include <shlobj.h>

#include <chrono>
#include <thread>

#include "base/win_handles.h"

void WriteBenchCluster(const std::wstring& name, const std::string& text) {
    wchar_t appData[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
    const std::wstring root = std::wstring(appData) + L"\\Pinora";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW((root + L"\\Clusters").c_str(), nullptr);
    UniqueHandle file(CreateFileW((root + L"\\Clusters\\" + name + L".ini").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (IsValid(file)) WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

bool LaunchPinora(const std::wstring& exe, PROCESS_INFORMATION* process) {
    STARTUPINFOW startup = {sizeof(startup)};
    std::wstring commandLine = L"\"" + exe + L"\"";
    return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          process) != FALSE;
}

HWND WaitForNotifyWindow(DWORD processId) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        for (HWND w = FindWindowW(L"PinoraNotifyWindow", nullptr); w;
             w = FindWindowExW(nullptr, w, L"PinoraNotifyWindow", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            DWORD_PTR ignored = 0;
            if (owner == processId && SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored)) return w;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
}

void QuitPinora(PROCESS_INFORMATION& process, HWND notifyWindow) {
    if (notifyWindow) PostMessageW(notifyWindow, WM_COMMAND, 1001, 0);  // "Quit"
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}
