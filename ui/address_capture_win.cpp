#include "ui/address_capture.h"

#include "ui/clipboard_snapshot.h"

namespace {

constexpr DWORD kSettleMs = 100;

INPUT KeyInput(WORD key, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

// Presses the modifier (none when 0) and the key, and releases both.
void PressKeys(WORD modifier, WORD key) {
    INPUT inputs[4];
    UINT count = 0;
    if (modifier) inputs[count++] = KeyInput(modifier, true);
    inputs[count++] = KeyInput(key, true);
    inputs[count++] = KeyInput(key, false);
    if (modifier) inputs[count++] = KeyInput(modifier, false);
    SendInput(count, inputs, sizeof(INPUT));
}

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!OpenClipboardPatiently(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

std::wstring CaptureAddress(HWND program, HWND owner) {
    SetForegroundWindow(program);
    Sleep(kSettleMs);
    PressKeys(VK_MENU, 'D');
    Sleep(kSettleMs);
    // The clipboard is emptied before the copy, so any text found after it is the address,
    // even when the user had copied that same address before.
    ClipboardSnapshot before;
    const bool borrowed = before.TakeAndEmpty(owner);
    PressKeys(VK_CONTROL, 'C');
    Sleep(kSettleMs);
    PressKeys(0, VK_ESCAPE);
    const std::wstring address = borrowed ? ClipboardText(owner) : std::wstring();
    before.Restore(owner);
    return address;
}
