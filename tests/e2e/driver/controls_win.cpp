#include "controls.h"

#include <commctrl.h>

#include <cstring>

namespace pnrtest {

HWND WaitForWindowOf(DWORD processId, const wchar_t* className, Millis timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindowsOf(processId, className)) {
                if (IsWindowVisible(window)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

HWND Control(HWND window, int id) {
    return GetDlgItem(window, id);
}

std::wstring RemoteText(HWND control, UINT message, WPARAM wParam, size_t chars, bool bufferInWParam) {
    DWORD processId = 0;
    GetWindowThreadProcessId(control, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return L"";
    const size_t bytes = chars * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    std::wstring text;
    if (remote) {
        std::vector<wchar_t> local(chars, L'\0');
        WriteProcessMemory(process, remote, local.data(), bytes, nullptr);
        DWORD_PTR ignored = 0;
        const WPARAM w = bufferInWParam ? reinterpret_cast<WPARAM>(remote) : wParam;
        const LPARAM l = bufferInWParam ? static_cast<LPARAM>(wParam) : reinterpret_cast<LPARAM>(remote);
        SendMessageTimeoutW(control, message, w, l, SMTO_ABORTIFHUNG, 2000, &ignored);
        ReadProcessMemory(process, remote, local.data(), bytes, nullptr);
        local.back() = L'\0';
        text = local.data();
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
}

std::wstring CueBanner(HWND edit) {
    return RemoteText(edit, EM_GETCUEBANNER, 256, 256, /*bufferInWParam=*/true);
}

void SetText(HWND control, const std::wstring& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000,
                        &ignored);
}

void SyncWindow(HWND window, Millis timeout) {
    DWORD_PTR ignored = 0;
    // A sent message overtakes posted ones; a few round trips let those ahead be handled.
    for (int i = 0; i < 5; ++i) {
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(timeout.count()), &ignored);
        Sleep(5);
    }
}

void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
    SyncWindow(button);
}

int CheckState(HWND button) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return static_cast<int>(state);
}

bool IsEnabled(HWND control) {
    return control && IsWindowEnabled(control);
}

bool IsShown(HWND control) {
    return control && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::vector<std::wstring> ListItems(HWND listBox) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

int ListSelection(HWND listBox) {
    return static_cast<int>(SendMessageW(listBox, LB_GETCURSEL, 0, 0));
}

void SelectListItem(HWND listBox, int index) {
    SendMessageW(listBox, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    const HWND parent = GetParent(listBox);
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(listBox), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(listBox));
    SyncWindow(parent);
}

std::wstring ComboSelectionText(HWND comboBox) {
    const LRESULT index = SendMessageW(comboBox, CB_GETCURSEL, 0, 0);
    if (index < 0) return L"";
    wchar_t text[512] = {};
    SendMessageW(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

void SelectComboItem(HWND comboBox, int index) {
    SendMessageW(comboBox, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    const HWND parent = GetParent(comboBox);
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(comboBox), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(comboBox));
    SyncWindow(parent);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

RECT RectInParent(HWND control) {
    RECT rect = WindowRect(control);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> ChildrenTopFirst(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

HWND FocusedControl(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

void Paste(HWND edit, const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(edit, WM_PASTE, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

void FocusControl(HWND control) {
    const DWORD self = GetCurrentThreadId(), owner = GetWindowThreadProcessId(control, nullptr);
    if (!AttachThreadInput(self, owner, TRUE)) return;
    SetFocus(control);
    AttachThreadInput(self, owner, FALSE);
    SyncWindow(control);
}

void ClickAt(HWND control, POINT clientPoint) {
    ClientToScreen(control, &clientPoint);
    const int width = GetSystemMetrics(SM_CXSCREEN) - 1, height = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = (clientPoint.x * 65535 + width / 2) / width;
        input.mi.dy = (clientPoint.y * 65535 + height / 2) / height;
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
    }
    inputs[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof(INPUT));
    SyncWindow(control);
}

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND w, LPARAM found) -> BOOL {
            if (IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

namespace {

// Wine keeps its key state in step with the X server's keyboard, which never holds the keys
// sent here: when a window takes the X focus, its thread resets that state to X's, and a
// modifier held down by these keys is dropped before the next key goes (Alt + the key left of
// 1 then reaches the window as a plain key, and no hot key fires). An activation is carried
// out on the window's own thread after SetForegroundWindow returns, so the keys wait until
// that thread has taken it and has gone round its message loop, reading X's answer.
void WaitUntilFrontWindowSettled() {
    HWND front = GetForegroundWindow();
    if (!front) return;
    const DWORD thread = GetWindowThreadProcessId(front, nullptr);
    WaitUntil(
        [&] {
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            return GetGUIThreadInfo(thread, &info) && info.hwndActive == front;
        },
        2000ms);
    SyncWindow(front);
}

}  // namespace

void PressKeys(const std::vector<WORD>& keys) {
    WaitUntilFrontWindowSettled();
    std::vector<INPUT> inputs;
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < keys.size(); ++i) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = keys[pass == 0 ? i : keys.size() - 1 - i];
            input.ki.dwFlags = pass == 0 ? 0 : KEYEVENTF_KEYUP;
            inputs.push_back(input);
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void StepUpDown(HWND buddy, int steps) {
    const WPARAM key = steps > 0 ? VK_UP : VK_DOWN;
    for (int i = 0; i < (steps > 0 ? steps : -steps); ++i) {
        PostMessageW(buddy, WM_KEYDOWN, key, 1);
        PostMessageW(buddy, WM_KEYUP, key, 1 | (3u << 30));
    }
    SyncWindow(buddy);
}

namespace {

// The tool's text is copied into a buffer that, with the tool record, lives in the tooltip's
// process.
std::vector<std::wstring> ToolTextsOf(HWND tooltip) {
    std::vector<std::wstring> texts;
    DWORD processId = 0;
    GetWindowThreadProcessId(tooltip, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return texts;
    constexpr size_t kChars = 1024;
    const size_t bytes = sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t);
    auto* remote =
        static_cast<char*>(VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    const LRESULT count = remote ? SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0) : 0;
    for (LRESULT i = 0; i < count; ++i) {
        TTTOOLINFOW info = {};
        info.cbSize = sizeof(info);
        info.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof(TTTOOLINFOW));
        std::vector<wchar_t> text(kChars, L'\0');
        WriteProcessMemory(process, remote, &info, sizeof(info), nullptr);
        WriteProcessMemory(process, remote + sizeof(TTTOOLINFOW), text.data(), kChars * sizeof(wchar_t), nullptr);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote),
                            SMTO_ABORTIFHUNG, 2000, &ignored);
        ReadProcessMemory(process, remote + sizeof(TTTOOLINFOW), text.data(), kChars * sizeof(wchar_t), nullptr);
        text.back() = L'\0';
        texts.emplace_back(text.data());
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return texts;
}

}  // namespace

std::vector<std::wstring> TrayTooltipTexts() {
    std::vector<std::wstring> texts;
    HWND tooltip = nullptr;
    while ((tooltip = FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(tooltip, &owner);
        if (owner == GetCurrentProcessId()) continue;
        for (std::wstring& text : ToolTextsOf(tooltip)) texts.push_back(std::move(text));
    }
    return texts;
}

}  // namespace pnrtest
