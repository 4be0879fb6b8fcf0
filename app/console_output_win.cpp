#include "app/console_output.h"

#include <windows.h>

#include "base/win_handles.h"

namespace {

std::string Utf8Of(const std::wstring& text) {
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr,
                            nullptr);
    }
    return utf8;
}

bool IsFileOrPipe(HANDLE handle) {
    if (!handle || handle == INVALID_HANDLE_VALUE) return false;
    const DWORD type = GetFileType(handle);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

// A program of the windows subsystem gets no console of its own; the one of the shell that
// started it is borrowed once, for the rest of the process.
bool ParentConsoleAttached() {
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
    return attached;
}

}  // namespace

void WriteCommandOutput(const std::wstring& text, bool toErrors) {
    // Sent to a file or a pipe (a script reading it): UTF-8, whatever the console's code page.
    const HANDLE redirected = GetStdHandle(toErrors ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (IsFileOrPipe(redirected)) {
        const std::string bytes = Utf8Of(text);
        DWORD written = 0;
        WriteFile(redirected, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        return;
    }
    if (!ParentConsoleAttached()) return;
    const UniqueHandle console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, 0, nullptr));
    if (!IsValid(console)) return;
    DWORD written = 0;
    WriteConsoleW(console.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
