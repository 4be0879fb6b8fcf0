#pragma once
// Records handed to the Rules editor with WM_PNR_LOAD_PROFILE. The message carries a pointer
// to a heap copy that the receiver owns. Every copy is registered when it is posted, so the
// receiver takes only what this process allocated: a message of that number posted by
// another program carries no pointer of ours and is ignored.
#include <windows.h>

#include <memory>

#include "storage/profile.h"

// Posts a copy of the record to the window; a copy that cannot be posted is freed at once.
bool PostProfileCopy(HWND target, const WindowProfile& record, LPARAM code);
// The posted copy behind a message's wParam, or null when this process never posted it.
std::unique_ptr<WindowProfile> TakePostedProfile(WPARAM wParam);
