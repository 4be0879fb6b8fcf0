#pragma once
// Reading and driving the controls of Pinora's configuration windows from the test process,
// as a user would see and use them.
#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"

namespace pnrtest {

// Waits for a visible top-level window of the class in the process; null on time-out.
HWND WaitForWindowOf(DWORD processId, const wchar_t* className, Millis timeout = 5000ms);
HWND Control(HWND window, int id);  // GetDlgItem

// A message whose buffer must live in the receiver's address space (EM_GETCUEBANNER and the
// like): the buffer is allocated in the window's process, the message sent, the result read back.
std::wstring RemoteText(HWND control, UINT message, WPARAM wParam, size_t chars = 256, bool bufferInWParam = false);
std::wstring CueBanner(HWND edit);  // EM_GETCUEBANNER

// Types text into a control the way a user's edit would change it: WM_SETTEXT, which makes
// an edit send EN_CHANGE to its parent.
void SetText(HWND control, const std::wstring& text);
// BM_CLICK posted, then waits until the window's thread has handled it.
void Click(HWND button);
int CheckState(HWND button);  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
bool IsEnabled(HWND control);
bool IsShown(HWND control);

std::vector<std::wstring> ListItems(HWND listBox);
int ListSelection(HWND listBox);
// Selects an item as a click would: LB_SETCURSEL, then LBN_SELCHANGE to the parent.
void SelectListItem(HWND listBox, int index);
std::wstring ComboSelectionText(HWND comboBox);
// Selects a combo-box item as a user would: CB_SETCURSEL, then CBN_SELCHANGE to the parent.
void SelectComboItem(HWND comboBox, int index);

// Waits until the thread that owns the window has handled what was posted to it before.
void SyncWindow(HWND window, Millis timeout = 3000ms);

std::wstring ClassOf(HWND window);  // GetClassNameW
// The control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND control);
// The window's child controls, topmost in the sibling order first.
std::vector<HWND> ChildrenTopFirst(HWND window);
// The control that has the keyboard focus on the window's thread; null when none.
HWND FocusedControl(HWND window);
// Pastes text into an edit as Ctrl+V would: the text goes onto the clipboard, then WM_PASTE.
void Paste(HWND edit, const std::wstring& text);
// Gives the control the keyboard focus, as a click on it would, through the input state its
// thread shares with the test's for the moment: no pointer position takes part.
void FocusControl(HWND control);
// A real left click (SendInput) at a point of the control's client area.
void ClickAt(HWND control, POINT clientPoint);
// Every visible top-level window on the desktop, of any process.
std::vector<HWND> VisibleTopLevelWindows();
// The tool texts of the tooltip windows of every other process. Wine's shell gives each
// tray icon a tooltip window of its own, so a program's tray tooltip is among them.
std::vector<std::wstring> TrayTooltipTexts();

// Presses the keys in order and releases them in reverse through SendInput, as a user's
// keyboard would: they reach the foreground window, and a hot key fires. They go once the
// foreground window has taken its activation.
void PressKeys(const std::vector<WORD>& keys);
// Steps an up-down control as the arrow keys in its buddy field would (steps > 0: up).
void StepUpDown(HWND buddy, int steps);

}  // namespace pnrtest
