#pragma once
// Copying the current address out of a browser's or File Explorer's address bar, the way a
// user would (Alt+D, Ctrl+C, Escape), while keeping the user's clipboard as it was.
#include <windows.h>

#include <string>

// The copied address, or empty when the copy produced no text. Nothing is pressed when the
// clipboard cannot be taken or the program does not come to the front within a second.
// `owner` is the window that borrows the clipboard. Takes about 300 ms.
std::wstring CaptureAddress(HWND program, HWND owner);
