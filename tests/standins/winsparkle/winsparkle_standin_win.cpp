// Test stand-in for the update library (never shipped). It records every call with its
// arguments, one line each, in "winsparkle-calls.log" beside this DLL (UTF-8, fields
// separated by tabs). Like the real library it works on a thread of its own once
// initialised: when the test sets the named event "PnrWinSparkleShutdown-<process id>", that
// thread records "shutdown_request" and calls the program's shutdown-request callback.
#include <windows.h>

#include <cstdlib>
#include <mutex>
#include <string>

#include "standin_log.h"

namespace {

using ShutdownRequestCallback = void(__cdecl*)();

std::mutex LogMutex;
ShutdownRequestCallback ShutdownCallback = nullptr;
HANDLE WatcherThread = nullptr;
HANDLE StopEvent = nullptr;
HANDLE RequestEvent = nullptr;

std::string Utf8(const wchar_t* text) {
    if (!text) return "(null)";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return "";
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

void Record(const std::string& line) {
    static const std::wstring logPath =
        PathBesideModule(reinterpret_cast<const void*>(&Record), L"winsparkle-calls.log");
    std::lock_guard<std::mutex> lock(LogMutex);
    AppendLine(logPath, line);
}

DWORD CleanupMilliseconds() {
    const std::wstring path = PathBesideModule(reinterpret_cast<const void*>(&Record), L"winsparkle-cleanup-ms.txt");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    char text[16] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof(text) - 1, &read, nullptr);
    CloseHandle(file);
    return static_cast<DWORD>(std::strtoul(text, nullptr, 10));
}

DWORD WINAPI WatchForShutdownRequest(void*) {
    const HANDLE events[] = {StopEvent, RequestEvent};
    if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        Record("shutdown_request");
        if (ShutdownCallback) ShutdownCallback();
    }
    return 0;
}

}  // namespace

extern "C" {

__declspec(dllexport) void __cdecl win_sparkle_set_app_details(const wchar_t* company, const wchar_t* app,
                                                               const wchar_t* version) {
    Record("set_app_details\t" + Utf8(company) + "\t" + Utf8(app) + "\t" + Utf8(version));
}

__declspec(dllexport) void __cdecl win_sparkle_set_appcast_url(const char* url) {
    Record(std::string("set_appcast_url\t") + (url ? url : "(null)"));
}

__declspec(dllexport) int __cdecl win_sparkle_set_eddsa_public_key(const char* key) {
    Record(std::string("set_eddsa_public_key\t") + (key ? key : "(null)"));
    return 1;
}

__declspec(dllexport) void __cdecl win_sparkle_set_shutdown_request_callback(ShutdownRequestCallback callback) {
    ShutdownCallback = callback;
    Record(std::string("set_shutdown_request_callback\t") + (callback ? "set" : "null"));
}

__declspec(dllexport) void __cdecl win_sparkle_init() {
    Record("init");
    if (WatcherThread) return;
    const std::wstring name = L"PnrWinSparkleShutdown-" + std::to_wstring(GetCurrentProcessId());
    StopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    RequestEvent = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
    WatcherThread = CreateThread(nullptr, 0, WatchForShutdownRequest, nullptr, 0, nullptr);
}

__declspec(dllexport) void __cdecl win_sparkle_check_update_without_ui() {
    Record("check_update_without_ui");
}

__declspec(dllexport) void __cdecl win_sparkle_check_update_with_ui() {
    Record("check_update_with_ui");
}

// Stops the watcher before the program unloads the library. The real library waits for its
// own threads here; a test makes that take a while by putting the milliseconds into
// "winsparkle-cleanup-ms.txt" beside this DLL.
__declspec(dllexport) void __cdecl win_sparkle_cleanup() {
    Record("cleanup");
    Sleep(CleanupMilliseconds());
    if (WatcherThread) {
        SetEvent(StopEvent);
        WaitForSingleObject(WatcherThread, INFINITE);
        CloseHandle(WatcherThread);
        WatcherThread = nullptr;
    }
    for (HANDLE* event : {&StopEvent, &RequestEvent}) {
        if (*event) CloseHandle(*event);
        *event = nullptr;
    }
}

}  // extern "C"
