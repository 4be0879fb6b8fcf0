// What identifies a top-level window (title, class, executable) and where its visible frame is.
#include "engine/window_identity.h"

#include <dwmapi.h>
#include <psapi.h>

#include <vector>

#include "base/win_handles.h"
#include "engine/engine.h"

namespace {

constexpr DWORD kPathBufferChars = 260;

// The system may refuse the limited query right (elevated or protected processes); the older
// query-and-read rights still work for some of those.
std::wstring PathFromLimitedQuery(HANDLE process) {
    wchar_t buffer[kPathBufferChars] = {};
    DWORD size = kPathBufferChars;
    if (QueryFullProcessImageNameW(process, 0, buffer, &size)) return std::wstring(buffer, size);
    const DWORD length = K32GetModuleFileNameExW(process, nullptr, buffer, kPathBufferChars);
    return std::wstring(buffer, length);
}

std::wstring PathFromModuleRead(HANDLE process) {
    wchar_t buffer[kPathBufferChars] = {};
    const DWORD length = K32GetModuleFileNameExW(process, nullptr, buffer, kPathBufferChars);
    return std::wstring(buffer, length);
}

}  // namespace

std::wstring ExecutablePathOfProcess(DWORD processId) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (process) return PathFromLimitedQuery(process.get());
    process.reset(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (process) return PathFromModuleRead(process.get());
    return {};
}

// The title as the system keeps it. GetWindowTextW would send WM_GETTEXT to a window of our
// own process, and a configuration window whose thread waits for the engine lock would then
// deadlock a re-stacking walk that holds it; this read sends nothing and waits for no one.
std::wstring GetWindowTitleText(HWND window) {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        const int size = static_cast<int>(buffer.size());
        const int copied = InternalGetWindowText(window, buffer.data(), size);
        if (copied <= 0) return {};
        if (copied < size - 1 || buffer.size() >= 65536)
            return std::wstring(buffer.data(), static_cast<size_t>(copied));
        buffer.resize(buffer.size() * 2);  // the title may have been cut: read it again with more room
    }
}

std::wstring GetWindowClassName(HWND window) {
    wchar_t buffer[260] = {};
    const int length = GetClassNameW(window, buffer, 260);
    return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring GetWindowExecutablePath(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return ExecutablePathOfProcess(processId);
}

HRESULT GetVisibleFrame(HWND window, RECT* frame) {
    const HRESULT result = DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, frame, sizeof(RECT));
    if (SUCCEEDED(result)) return result;
    // Without desktop composition (Wine, some remote and classic sessions) there are no
    // invisible resize borders: the window rectangle is exactly what the user sees.
    if (GetWindowRect(window, frame)) return S_OK;
    return result;
}

bool IsMaximizedOrMinimized(HWND window) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    return placement.showCmd == SW_SHOWMAXIMIZED || placement.showCmd == SW_MINIMIZE;
}

// Every location change of every window asks this, and so does every frame of a glide, so the
// cheapest read that can say no comes first: most windows have a caption or a sizing border.
bool IsFullscreenWindow(HWND window) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if ((style & (WS_CAPTION | WS_THICKFRAME)) != 0) return false;
    RECT rect = {};
    if (!GetWindowRect(window, &rect) || !EqualsAMonitor(rect)) return false;
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_WINDOWEDGE) == 0;
}
