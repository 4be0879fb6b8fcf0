#pragma once
// Programs that "Open Missing Windows" started, followed until their window has settled at its
// frame. Some programs put their window back where they last had it right after showing it: for
// the settle period after the window first reaches its frame, such a move is undone at once, as
// a user's drag is undone after the Time Delay. Main thread only.
#include <windows.h>

#include <chrono>
#include <string>

#include "storage/profile.h"

// How long a started program's window is kept at its frame once there, and how long a started
// program counts as starting while no window of it has appeared.
constexpr std::chrono::seconds kSettlePeriod{5};

// The program of the cluster's entry has just been started.
void NoteProgramStarted(const std::wstring& cluster, const WindowProfile& profile);
// True while the entry's program is followed: started less than the settle period ago with no
// window yet, or its window is on its way to its frame or settling there.
bool IsProgramStarting(const std::wstring& cluster, const std::wstring& entryName);
// The user took hold of the window: where it goes is theirs to choose.
void StopSettling(HWND window);
