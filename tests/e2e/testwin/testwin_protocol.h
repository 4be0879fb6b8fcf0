#pragma once
// The command protocol between the end-to-end driver and pnr_testwin.exe. The driver sends
// WM_COPYDATA (dwData = kTestWinCommand) to the helper's control window with one command
// as UTF-16 text, fields separated by tabs; the reply is the LRESULT (a window handle for
// "open", 1 for success, 0 for failure).
//
//   open    class title x y w h [flags] [owner]   -> new top-level window (outer rect)
//   move    hwnd x y w h      SetWindowPos, then a location-change event
//   drag    hwnd x y w h      move-size start, move, location change, move-size end
//   rename  hwnd title        SetWindowTextW, then a name-change event
//   minimize / maximize / restore / activate / close  hwnd
//   show    hwnd [event]      show a window opened hidden; event 1 raises the show event then
//   hang    hwnd ms           the window's thread stops answering for ms milliseconds
//   event   hwnd eventId      raise one window event for the window
//   desktop hwnd number       the desktop number the desktop-library stand-in reports
//   burst   hwnd count        rename and move in a tight loop, raising events each time
//   hotkey  modifiers vk      hold a hot key (RegisterHotKey), as another program would
//   quit                      close every window and end the helper
#include <cstdint>

constexpr uint32_t kTestWinCommand = 0x504E5254;  // "PNRT"
constexpr wchar_t kTestWinControlClass[] = L"PnrTestWinControl";

// Flags of "open".
constexpr unsigned kOpenRaiseCreateEvent = 1;  // raise EVENT_OBJECT_CREATE once the window is shown
constexpr unsigned kOpenBorderless = 2;        // WS_POPUP without caption or sizing border
constexpr unsigned kOpenToolWindow = 4;        // WS_EX_TOOLWINDOW
constexpr unsigned kOpenTopmost = 8;           // WS_EX_TOPMOST
constexpr unsigned kOpenNoActivate = 16;       // show without activating
constexpr unsigned kOpenHidden = 32;           // create it hidden, as programs do; "show" shows it later
