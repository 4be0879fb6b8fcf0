#pragma once
// Engine-internal reads of a window's identity, shared by the eligibility test and the live
// window list so that one refresh reads each window only once.
#include <windows.h>

#include <string>

// What the eligibility test has read of a window that passed it.
struct EligibleWindow {
    std::wstring title;
    std::wstring className;
    RECT frame = {};  // the visible frame
};

class KnownWindowCache;

// The eligibility test, keeping what it read. False (and out unspecified) for a window that
// may not be managed.
bool ReadEligibleWindow(HWND window, EligibleWindow* out);
// The same test for a window that the enumeration of the desktop's top level has just found,
// with what never changes for the window served from the known windows.
bool ReadEligibleTopLevelWindow(HWND window, KnownWindowCache& known, EligibleWindow* out);

// Full image path of a process, or empty when it cannot be read.
std::wstring ExecutablePathOfProcess(DWORD processId);
