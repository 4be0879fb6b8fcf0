#include "ui/address_capture.h"

#include "ui/clipboard_snapshot.h"

namespace {

constexpr DWORD kSettleMs = 100;
constexpr DWORD kCopyPollMs = 10;
constexpr int kCopyPolls = 90;  // with the first pause, a program gets a second to answer the copy

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

// The keys reach the program through its message queue, which may be behind: the copy is
// done once the clipboard has changed, or never when it does not change within the limit.
void WaitForClipboardChange(DWORD sequenceBefore) {
    for (int poll = 0; poll < kCopyPolls && GetClipboardSequenceNumber() == sequenceBefore; ++poll) {
        PauseAnsweringSentMessages(kCopyPollMs);
    }
}

}  // namespace

std::wstring CaptureAddress(HWND program, HWND owner) {
    // The clipboard is emptied before the copy, so any text found after it is the address,
    // even when the user had copied that same address before.
    ClipboardSnapshot before;
    const bool borrowed = before.TakeAndEmpty(owner);
    SetForegroundWindow(program);
    PauseAnsweringSentMessages(kSettleMs);
    PressKeys(VK_MENU, 'D');
    PauseAnsweringSentMessages(kSettleMs);
    const DWORD sequence = GetClipboardSequenceNumber();
    PressKeys(VK_CONTROL, 'C');
    PauseAnsweringSentMessages(kSettleMs);
    WaitForClipboardChange(sequence);
    PressKeys(0, VK_ESCAPE);
    const std::wstring address = borrowed ? ClipboardText(owner) : std::wstring();
    before.Restore(owner);
    return address;
}
