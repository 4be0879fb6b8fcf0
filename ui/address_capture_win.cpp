#include "ui/address_capture.h"

#include "ui/clipboard_snapshot.h"

namespace {

constexpr DWORD kSettleMs = 100;
constexpr DWORD kPollMs = 10;
constexpr int kCopyPolls = 90;    // with the first pause, a program gets a second to answer the copy
constexpr int kFrontPolls = 100;  // a program gets a second to come to the front

INPUT KeyInput(WORD key, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

// Synthesized keys go to whichever window is in front, so they are pressed only while that is
// the program: the modifier (none when 0) and the key, both released again. False, with nothing
// pressed, when another window has come to the front.
bool PressKeysInto(HWND program, WORD modifier, WORD key) {
    if (GetForegroundWindow() != program) return false;
    INPUT inputs[4];
    UINT count = 0;
    if (modifier) inputs[count++] = KeyInput(modifier, true);
    inputs[count++] = KeyInput(key, true);
    inputs[count++] = KeyInput(key, false);
    if (modifier) inputs[count++] = KeyInput(modifier, false);
    SendInput(count, inputs, sizeof(INPUT));
    return true;
}

// The program may take a while to activate itself (it does so on its own thread).
bool BringToFront(HWND program) {
    SetForegroundWindow(program);
    for (int poll = 0; poll < kFrontPolls && GetForegroundWindow() != program; ++poll) {
        PauseAnsweringSentMessages(kPollMs);
    }
    return GetForegroundWindow() == program;
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
        PauseAnsweringSentMessages(kPollMs);
    }
}

// Alt+D, Ctrl+C, Escape into the program in front; the clipboard's text afterwards.
std::wstring CopyAddress(HWND program, HWND owner) {
    PauseAnsweringSentMessages(kSettleMs);
    if (!PressKeysInto(program, VK_MENU, 'D')) return {};
    PauseAnsweringSentMessages(kSettleMs);
    const DWORD sequence = GetClipboardSequenceNumber();
    if (!PressKeysInto(program, VK_CONTROL, 'C')) return {};
    PauseAnsweringSentMessages(kSettleMs);
    WaitForClipboardChange(sequence);
    PressKeysInto(program, 0, VK_ESCAPE);
    return ClipboardText(owner);
}

}  // namespace

std::wstring CaptureAddress(HWND program, HWND owner) {
    // The clipboard is emptied before the copy, so any text found after it is the address,
    // even when the user had copied that same address before. A clipboard that cannot be
    // taken is left alone: the copy would replace what it holds for good.
    ClipboardSnapshot before;
    if (!before.TakeAndEmpty(owner)) return {};
    const std::wstring address = BringToFront(program) ? CopyAddress(program, owner) : std::wstring();
    // An empty clipboard is emptied again too: the next capture then starts as this one did.
    before.Restore(owner);
    return address;
}
