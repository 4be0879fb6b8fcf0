// The Rules editor window. Until the editor is built its thread creates nothing.
#include "base/process.h"
#include "ui/windows.h"

std::atomic<HWND> RulesWindowHandle{nullptr};
GuardedValue<std::vector<HWND>>& RulesEditorControls = *new GuardedValue<std::vector<HWND>>();

void RulesEditorThreadBody() {
    NameCurrentThread(L"Pinora Rules Window Thread");  // stub: the editor is not built yet
}

void ShowInRulesEditor(const WindowProfile&, int) {}

LRESULT CALLBACK RulesWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}
