#pragma once
// New top-level windows that their program creates hidden and shows later. Windows reports the
// show with an event of its own; Wine reports nothing, so such a window is watched for a short
// while until it is visible. Main thread only, like the window events that start each watch.
#include <windows.h>

// Watches a hidden new top-level window until it is visible (it then gets the reaction to a new
// window), destroyed, or five seconds have passed.
void WatchHiddenNewWindow(HWND window);
// Stops watching a window whose appearance is being handled already.
void StopWatchingNewWindow(HWND window);
// True while any window is watched; only then does the watch's timer run.
bool WatchingHiddenNewWindows();
