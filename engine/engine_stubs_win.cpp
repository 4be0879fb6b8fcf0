// Placeholders for the engine operations that start-up and the notification window call,
// until each one is built. They behave as a system with no clusters and no windows.
#include "engine/engine.h"

void LoadDesktopLibrary() {}
void FreeDesktopLibrary() {}
void UnregisterDesktopHook(HWND) {}
std::wstring DesktopNameOf(HWND) {
    return {};
}
void MoveWindowToDesktopByName(const WindowProfile&, const std::wstring&) {}
