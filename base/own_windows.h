#pragma once
// Looking up this process's own top-level windows by class name. A window of another
// program may carry one of our class names; it must never be mistaken for ours.
#include <windows.h>

// The first top-level window of the class that belongs to this process, or null.
HWND FindOwnWindow(const wchar_t* className);
