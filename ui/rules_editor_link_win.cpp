// The two operations the Cluster Management and Inspector windows share with the Rules
// editor: opening it and reading its rows back as a rule text.
#include <windows.h>
#include <commctrl.h>

#include "base/diagnostics.h"
#include "base/own_windows.h"
#include "ui/rule_text_capture.h"
#include "ui/config_windows.h"

namespace {

constexpr int kTextChars = 256;
constexpr UINT kReadTimeoutMs = 1000;

// The editor's controls belong to its own thread: they are read by messages, and a hung
// editor costs at most the timeout instead of stalling the caller.
std::wstring ControlTextOrCue(HWND control) {
    wchar_t buffer[kTextChars] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, kTextChars, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        kReadTimeoutMs, &ignored);
    if (buffer[0] == L'\0') {
        SendMessageTimeoutW(control, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(buffer), kTextChars, SMTO_ABORTIFHUNG,
                            kReadTimeoutMs, &ignored);
    }
    buffer[kTextChars - 1] = L'\0';
    return buffer;
}

}  // namespace

void OpenRulesEditor() {
    Diag(L"Handling Rules Window button interaction.\n");
    if (const HWND editor = FindOwnWindow(L"PinoraRulesWindow")) {
        RulesWindowHandle = editor;
        ShowWindow(editor, SW_SHOW);
        return;
    }
    StartRulesEditorThread();
}

std::wstring CaptureRuleText() {
    const std::vector<HWND> controls = RulesEditorControls.Snapshot();
    std::vector<std::wstring> texts;
    texts.reserve(controls.size());
    for (HWND control : controls) texts.push_back(ControlTextOrCue(control));
    return CapturedRuleText(texts);
}
