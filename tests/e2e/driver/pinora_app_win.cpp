// Runs the real Pinora.exe for one test, from a folder of the test's own.
#include <atomic>

#include "driver/driver.h"

namespace pnrtest {

namespace {

constexpr UINT kQuitCommand = 1001;
constexpr int kSyncRounds = 6;

HWND FindNotifyWindow(DWORD processId) {
    auto windows = TopLevelWindowsOf(processId, L"PinoraNotifyWindow");
    return windows.empty() ? nullptr : windows.front();
}

// A Pinora left running by an earlier, failed test would refuse our start.
void EndStrayPinora() {
    HWND stray;
    while ((stray = FindWindowW(L"PinoraNotifyWindow", nullptr)) != nullptr) {
        if (!EndProcessOfWindow(stray, 99)) break;
    }
}

std::wstring NewRunFolder() {
    static std::atomic<int> counter{0};
    CreateDirectoryW(L"C:\\pnr-e2e", nullptr);
    std::wstring folder =
        L"C:\\pnr-e2e\\run-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
    RemoveTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

PROCESS_INFORMATION Launch(const std::wstring& exePath, const std::wstring& currentFolder) {
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + exePath + L"\"";
    CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &process);
    return process;
}

// Start-up names its main thread last, right before the message loop. True when the thread
// carries that name, and when the system cannot tell (no thread names): then the answers to
// Sync are all there is to go by.
bool StartUpFinished(DWORD mainThreadId) {
    using GetThreadDescriptionFn = HRESULT(WINAPI*)(HANDLE, PWSTR*);
    static const auto getDescription = reinterpret_cast<GetThreadDescriptionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetThreadDescription")));
    if (!getDescription) return true;
    HANDLE thread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, mainThreadId);
    if (!thread) return true;
    PWSTR name = nullptr;
    const HRESULT read = getDescription(thread, &name);
    CloseHandle(thread);
    const bool finished = FAILED(read) || (name && wcscmp(name, L"Main Pinora Thread") == 0);
    if (name) LocalFree(name);
    return finished;
}

}  // namespace

PinoraApp::PinoraApp(PinoraOptions options) : options_(std::move(options)) {
    EndStrayPinora();
    if (options_.resetData) RemoveTree(PinoraDataFolder());
    folder_ = NewRunFolder();
    exePath_ = folder_ + L"\\Pinora.exe";
    CopyFileW((BuildBinFolder() + L"\\Pinora.exe").c_str(), exePath_.c_str(), FALSE);
    for (const auto& file : options_.besideExe) {
        const std::wstring name = file.substr(file.find_last_of(L'\\') + 1);
        const std::wstring source = file.find(L'\\') == std::wstring::npos ? BuildBinFolder() + L"\\" + file : file;
        CopyFileW(source.c_str(), (folder_ + L"\\" + name).c_str(), FALSE);
    }
    for (const auto& [source, name] : options_.copiedAs) {
        CopyFileW(source.c_str(), (folder_ + L"\\" + name).c_str(), FALSE);
    }
}

PinoraApp::~PinoraApp() {
    Kill();
    if (process_.hProcess) CloseHandle(process_.hProcess);
    if (process_.hThread) CloseHandle(process_.hThread);
    RemoveTree(folder_);
}

bool PinoraApp::Start() {
    // The first answers may come while start-up still waits for the shell to add the tray icon.
    return StartUntilFirstAnswer() && WaitUntil([&] { return StartUpFinished(process_.dwThreadId); }, 10000ms, 1ms) &&
           Sync(10000ms);
}

bool PinoraApp::StartUntilFirstAnswer() {
    process_ = Launch(exePath_, options_.currentFolder);
    if (!process_.hProcess) return false;
    return WaitUntil(
        [&] {
            DWORD_PTR ignored = 0;
            notifyWindow_ = FindNotifyWindow(process_.dwProcessId);
            return notifyWindow_ &&
                   SendMessageTimeoutW(notifyWindow_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
        },
        10000ms, 1ms);
}

PROCESS_INFORMATION PinoraApp::StartAnother() {
    return Launch(exePath_, options_.currentFolder);
}

bool PinoraApp::IsRunning() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> PinoraApp::WaitForExit(Millis timeout) {
    if (!process_.hProcess) return std::nullopt;
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

bool PinoraApp::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
    return PostMessageW(notifyWindow_, message, wParam, lParam) != FALSE;
}

bool PinoraApp::Sync(Millis timeout) const {
    // A sent message is handled before any posted one, so one round trip only proves the loop
    // runs. Each further round trip lets at least one posted message be dispatched in full.
    for (int round = 0; round < kSyncRounds; ++round) {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(notifyWindow_, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()),
                                 &ignored)) {
            return false;
        }
    }
    return true;
}

void PinoraApp::Quit() {
    if (!IsRunning()) return;
    Command(kQuitCommand);
    WaitForExit(5000ms);
}

void PinoraApp::Kill() {
    if (!IsRunning()) return;
    TerminateProcess(process_.hProcess, 98);
    WaitForSingleObject(process_.hProcess, 5000);
}

}  // namespace pnrtest
