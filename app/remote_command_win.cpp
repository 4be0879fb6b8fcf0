#include "app/remote_command.h"

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <memory>
#include <thread>

#include "app/command_message.h"
#include "app/console_output.h"
#include "base/win_handles.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr wchar_t kNotifyClass[] = L"PinoraNotifyWindow";
constexpr wchar_t kNotifyTitle[] = L"Pinora Notification Handler";
constexpr wchar_t kRunningMutex[] = L"PNRRunningMutex";
constexpr wchar_t kStartMutex[] = L"PNRCommandStartMutex";
constexpr auto kAnswerTimeout = 10s;
constexpr auto kStartTimeout = 20s;  // a first start after sign-in may read a cold disk
constexpr auto kRetryInterval = 100ms;
constexpr auto kPollInterval = 10ms;

DWORD Milliseconds(Clock::duration duration) {
    const auto count = std::chrono::duration_cast<std::chrono::milliseconds>(duration).count();
    return count > 0 ? static_cast<DWORD>(count) : 0;
}

HWND FindRunningCopy() {
    return FindWindowW(kNotifyClass, kNotifyTitle);
}

// The running copy holds its mutex for its whole life. The handle opened here is closed at
// once: held, it would keep the mutex alive past that copy's end and make the next start
// refuse. A mutex of an elevated copy refuses us, and counts as running too.
bool CopyIsRunning() {
    const UniqueHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, kRunningMutex));
    return mutex || GetLastError() == ERROR_ACCESS_DENIED;
}

bool HasEnded(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

std::wstring OwnExePath() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    return path;
}

// A normal start, detached: it does not hold the output of whoever runs this command (a
// script reading it would wait for Pinora's end), nor the folder the command ran in.
UniqueHandle StartCopy() {
    const std::wstring exe = OwnExePath();
    if (exe.empty()) return {};
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return {};
    }
    CloseHandle(process.hThread);
    return UniqueHandle(process.hProcess);
}

bool WaitUntilRunning(HANDLE process) {
    const auto deadline = Clock::now() + kStartTimeout;
    while (!CopyIsRunning()) {
        if (HasEnded(process) || Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

// Two commands at once must not start two copies (the second would show the "already
// running" box): one commanding copy at a time looks and starts, and holds the others back
// until the copy it started holds its own mutex.
bool MakeSureACopyRuns(UniqueHandle& started) {
    const UniqueHandle gate(CreateMutexW(nullptr, FALSE, kStartMutex));
    const DWORD wait = gate ? WaitForSingleObject(gate.get(), Milliseconds(kStartTimeout)) : WAIT_FAILED;
    const bool held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    bool running = CopyIsRunning();
    if (!running) {
        started = StartCopy();
        running = started && WaitUntilRunning(started.get());
    }
    if (held) ReleaseMutex(gate.get());
    return running;
}

UniqueHandle ProcessOfWindow(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return UniqueHandle(OpenProcess(SYNCHRONIZE, FALSE, processId));
}

// A script that quits Pinora and starts it again must find the old copy gone.
CommandResult WaitForEnd(const UniqueHandle& process) {
    if (!process || WaitForSingleObject(process.get(), Milliseconds(kAnswerTimeout)) == WAIT_OBJECT_0) return {};
    return {CommandExit::NoAnswer, CommandDetail::NotEnded};
}

// The running copy answers "not ready" until its start-up is over, and while it carries out
// another command: the command is sent again until an answer comes or the time is up.
CommandResult SendCommand(const ParsedCommandLine& command) {
    const CommandPayload payload = EncodeCommand(command);
    COPYDATASTRUCT data = {payload.id, static_cast<DWORD>(payload.data.size()),
                           const_cast<unsigned char*>(payload.data.data())};
    auto deadline = Clock::now() + kAnswerTimeout;
    UniqueHandle started;
    for (;;) {
        if (const HWND window = FindRunningCopy()) {
            const UniqueHandle process = command.kind == CommandKind::Quit ? ProcessOfWindow(window) : UniqueHandle();
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                    Milliseconds(deadline - Clock::now()), &answer)) {
                const std::optional<CommandResult> result = DecodeAnswer(static_cast<std::intptr_t>(answer));
                if (result && command.kind == CommandKind::Quit && result->exit == CommandExit::Done) {
                    return WaitForEnd(process);
                }
                if (result) return *result;
            } else if (GetLastError() == ERROR_TIMEOUT) {
                return {CommandExit::NoAnswer};
            }
        } else if (!started && !CopyIsRunning()) {
            if (command.kind == CommandKind::Quit) return {CommandExit::NoAnswer, CommandDetail::NotRunning};
            if (!MakeSureACopyRuns(started)) return {CommandExit::NoAnswer, CommandDetail::NotStarted};
            deadline = Clock::now() + kStartTimeout;
        } else if (started && HasEnded(started.get())) {
            return {CommandExit::NoAnswer, CommandDetail::NotStarted};
        }
        if (Clock::now() >= deadline) return {CommandExit::NoAnswer};
        std::this_thread::sleep_for(kRetryInterval);
    }
}

struct LocalFreeDeleter {
    void operator()(wchar_t** words) const noexcept { LocalFree(words); }
};

}  // namespace

std::vector<std::wstring> ProgramArguments() {
    int count = 0;
    const std::unique_ptr<wchar_t*, LocalFreeDeleter> words(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::wstring> arguments;
    for (int i = 1; words && i < count; ++i) arguments.emplace_back(words.get()[i]);
    return arguments;
}

int RunCommandLine(const ParsedCommandLine& command) {
    if (command.kind == CommandKind::Help) {
        WriteCommandOutput(std::wstring(UsageText()), false);
        return static_cast<int>(CommandExit::Done);
    }
    const CommandResult result =
        command.kind == CommandKind::Malformed ? CommandResult{CommandExit::Malformed} : SendCommand(command);
    bool toErrors = false;
    WriteCommandOutput(ResultText(command, result, &toErrors), toErrors);
    return static_cast<int>(result.exit);
}
