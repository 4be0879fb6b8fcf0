// The Rules editor: a saved window's rule text as rows of boxes, one row per condition, with a
// joiner button between rows that steps through "AND", "OR" and a delete offer. It writes no
// files: the Cluster Management and Inspector windows read its rows back when they save.
// The window and its rows belong to the editor's own thread. Other threads reach it only by
// posting WM_PNR_LOAD_PROFILE with a heap copy of a record, which the editor then owns.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "base/diagnostics.h"
#include "base/ids.h"
#include "base/own_windows.h"
#include "base/process.h"
#include "engine/engine.h"
#include "engine/posted_profiles.h"
#include "ui/delete_offer.h"
#include "ui/rule_rows.h"
#include "ui/config_windows.h"

std::atomic<HWND> RulesWindowHandle{nullptr};
GuardedValue<std::vector<HWND>>& RulesEditorControls = *new GuardedValue<std::vector<HWND>>();

namespace {

const wchar_t kRulesWindowClass[] = L"PinoraRulesWindow";
constexpr int kWidth = 511;
constexpr int kCreatedWidth = 480;
constexpr int kOneRowHeight = 111;
constexpr int kRowPitch = 28;
// Every row costs seven windows, and more rows than this would not fit on any screen.
constexpr size_t kMaxRuleRows = 64;
constexpr int kJoinerChars = 4;  // "AND", "OR", "DEL", "?" and the terminator
constexpr int kValueChars = 256;

// ShowInInspector modes that concern the rows.
constexpr int kRefreshSuggestionsMode = -1;
constexpr int kEditorMode = 0;
constexpr int kFromClusterWindowMode = 2;
constexpr int kLocationChangeMode = 4;  // the Inspector's numbers only

struct ControlDescription {
    const wchar_t* className;
    DWORD style;
    int x, y, width, height;  // y from the top of the control's row, 28 pixels a row
};

constexpr DWORD kWordBox = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
const ControlDescription kOkButton = {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 393, 38, 91, 23};
// One row, in the order of the control list (offsets 1 to 7).
const std::array<ControlDescription, kRuleRowControls> kRowControls = {{
    {WC_COMBOBOXW, kWordBox, 41, 8, 135, 256},
    {WC_COMBOBOXW, kWordBox, 177, 8, 80, 256},
    {WC_COMBOBOXW, kWordBox, 258, 8, 89, 256},
    {WC_COMBOBOXW, WS_DISABLED | WS_CLIPSIBLINGS, 348, 8, 135, 24},  // the value box's frame
    {WC_EDITW, 0, 351, 11, 129, 1},                                  // hands the focus on
    {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, 351, 12, 129, 17},       // the value box
    {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 7, 35, 34, 26},         // the joiner
}};

// A joiner offering to delete the row below it, since when.
struct DeleteOffer {
    HWND joiner = nullptr;
    ULONGLONG startMs = 0;
};
constexpr UINT_PTR kDeleteOfferTimer = 1;

// The editor's own thread alone touches this; a new editor starts it afresh.
struct EditorState {
    HWND window = nullptr;
    WindowProfile record;      // RulesEditorRecord: what the editor shows
    WindowProfile rowsSource;  // the record the rows were last built from
    std::vector<DeleteOffer> deleteOffers;
};
thread_local EditorState Editor;

std::atomic<DWORD> EditorThreadId{0};

// Taken while an editor thread decides whether to create the window and while it stores what
// it created, and by a close request: a request made while the window is being created is
// not lost. Never destroyed: editor threads are detached.
std::mutex& EditorCreation = *new std::mutex;
// Under EditorCreation. Each close request ends every editor asked for before it, whether its
// window exists yet or not; an editor thread compares the count it was started with.
uint64_t EditorCloseRequests = 0;
bool EditorBeingCreated = false;

const ControlDescription& RowControl(size_t offset) {
    return kRowControls[offset - 1];
}

std::vector<HWND> Controls() {
    return RulesEditorControls.Snapshot();
}

HMENU ControlId(size_t index) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_RULES_OK + IDC_RULES_STEP * static_cast<int>(index)));
}

// In the system's dialog font, as the Inspector's controls: the longest words fit their boxes.
HWND CreateControl(const ControlDescription& control, const wchar_t* text, int rowTop, size_t index) {
    const HWND created = CreateWindowExW(0, control.className, text, WS_CHILD | WS_VISIBLE | control.style, control.x,
                                         rowTop + control.y, control.width, control.height, Editor.window,
                                         ControlId(index), AppInstance, nullptr);
    if (created) SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return created;
}

std::wstring TextOf(HWND control, int chars) {
    std::vector<wchar_t> buffer(static_cast<size_t>(chars), L'\0');
    GetWindowTextW(control, buffer.data(), chars);
    return buffer.data();
}

size_t SelectionOf(HWND box) {
    const LRESULT selection = SendMessageW(box, CB_GETCURSEL, 0, 0);
    return selection == CB_ERR ? 0 : static_cast<size_t>(selection);
}

template <size_t N>
void FillWords(HWND box, const std::array<const wchar_t*, N>& words) {
    for (const wchar_t* word : words) SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word));
}

void ShowRow(const std::vector<HWND>& controls, size_t row, const RuleRow& words) {
    const auto at = [&](size_t offset) { return controls[RuleControlIndex(row, offset)]; };
    SendMessageW(at(kFieldBoxOffset), CB_SETCURSEL, words.field, 0);
    SendMessageW(at(kNegationBoxOffset), CB_SETCURSEL, words.negation, 0);
    SendMessageW(at(kComparisonBoxOffset), CB_SETCURSEL, words.comparison, 0);
    SetWindowTextW(at(kValueBoxOffset), words.value.c_str());
    SetWindowTextW(at(kJoinerOffset), words.joiner.c_str());
}

// A new row below the last one, appended to the control list; a row that cannot be created
// whole is not added.
bool AddRow(const RuleRow& words) {
    std::vector<HWND> controls = Controls();
    const size_t row = RuleRowCount(controls.size());
    if (controls.empty() || row >= kMaxRuleRows) return false;
    std::array<HWND, kRuleRowControls> created = {};
    for (size_t offset = kFieldBoxOffset; offset <= kJoinerOffset; ++offset) {
        HWND& control = created[offset - 1];
        control =
            CreateControl(RowControl(offset), L"", kRowPitch * static_cast<int>(row), controls.size() + offset - 1);
        if (!control) {
            for (HWND made : created) {
                if (made) DestroyWindow(made);
            }
            return false;
        }
    }
    FillWords(created[kFieldBoxOffset - 1], kRuleFields);
    FillWords(created[kNegationBoxOffset - 1], kRuleNegations);
    FillWords(created[kComparisonBoxOffset - 1], kRuleComparisons);
    // The value box is drawn inside its frame, so the frame goes below every other control.
    SetWindowPos(created[kValueFrameOffset - 1], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    controls.insert(controls.end(), created.begin(), created.end());
    RulesEditorControls.Replace(controls);
    ShowRow(controls, row, words);
    return true;
}

// The window fits its rows, and the OK button sits below the last one.
void FitRows(size_t rows) {
    const std::vector<HWND> controls = Controls();
    if (controls.empty() || rows == 0) return;
    const int below = kRowPitch * static_cast<int>(rows - 1);  // RuleRowsHeight − 28
    SetWindowPos(Editor.window, nullptr, 0, 0, kWidth, kOneRowHeight + below,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(controls[0], nullptr, kOkButton.x, kOkButton.y + below, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Editor.window, nullptr, TRUE);
}

// Centred for one row, once per process; the window grows downwards from there.
void PlaceOnTop(HWND window) {
    static const POINT origin = ScreenCenteredOrigin(kWidth, kOneRowHeight);
    const size_t rows = std::max<size_t>(RuleRowCount(Controls().size()), 1);
    SetWindowPos(window, HWND_TOPMOST, origin.x, origin.y, kWidth,
                 kOneRowHeight + kRowPitch * static_cast<int>(rows - 1), SWP_NOACTIVATE);
}

std::wstring CueOf(HWND edit) {
    std::array<wchar_t, kValueChars> cue = {};
    SendMessageW(edit, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue.data()), kValueChars);
    cue.back() = L'\0';
    return cue.data();
}

// Every row shows the value the editor proposes for its field and comparison as its cue
// banner. Taking them, a row whose value is empty or still the one proposed to it before takes
// the new proposal; any other value is the user's, typed or loaded from the saved rule, and stays.
void ShowSuggestions(const WindowProfile& record, bool take) {
    const std::vector<HWND> controls = Controls();
    for (size_t row = 0; row < RuleRowCount(controls.size()); ++row) {
        const auto at = [&](size_t offset) { return controls[RuleControlIndex(row, offset)]; };
        const std::wstring suggestion =
            SuggestedRuleValue(SelectionOf(at(kFieldBoxOffset)), SelectionOf(at(kComparisonBoxOffset)), record);
        const HWND valueBox = at(kValueBoxOffset);
        const std::wstring value = TextOf(valueBox, kValueChars);
        if (take && (value.empty() || value == CueOf(valueBox))) SetWindowTextW(valueBox, suggestion.c_str());
        SendMessageW(valueBox, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(suggestion.c_str()));
        InvalidateRect(valueBox, nullptr, TRUE);  // the cue paints only after a redraw
    }
}

bool SameRowsSource(const WindowProfile& a, const WindowProfile& b) {
    return a.hwnd == b.hwnd && a.sectionName == b.sectionName && a.rules == b.rules;
}

// The rows of the record's rule text replace the rows shown; the first row stays and takes
// the first condition.
void RebuildRows(const WindowProfile& record) {
    Editor.rowsSource = record;
    std::vector<HWND> controls = Controls();
    constexpr size_t kFirstRowEnd = RuleControlIndex(0, kJoinerOffset) + 1;
    if (controls.size() < kFirstRowEnd) return;
    for (size_t i = kFirstRowEnd; i < controls.size(); ++i) DestroyWindow(controls[i]);
    controls.resize(kFirstRowEnd);
    RulesEditorControls.Replace(controls);

    const std::vector<RuleRow> rows = RuleRowsOf(record.rules, kMaxRuleRows);
    ShowRow(controls, 0, rows[0]);
    size_t shown = 1;
    while (shown < rows.size() && AddRow(rows[shown])) ++shown;
    // A row that could not be created ends the rows where they are.
    if (shown < rows.size()) SetWindowTextW(Controls().back(), L"+");
    FitRows(shown);
    ShowSuggestions(record, false);
}

void PostToEditor(const WindowProfile& record, int mode) {
    const HWND editor = RulesWindowHandle;
    if (!editor) return;
    PostProfileCopy(editor, record, mode);
}

void FreePostedProfile(const MSG& message) {
    TakePostedProfile(message.wParam);
}

// Records posted to the editor that it will never handle: the receiver owns them. PeekMessage
// hands out WM_QUIT whatever the filter; the one OnDestroy posted goes back into the queue, or
// the thread's message loop would never end.
void FreeQueuedProfiles(HWND window) {
    MSG message;
    while (PeekMessageW(&message, window, WM_PNR_LOAD_PROFILE, WM_PNR_LOAD_PROFILE, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        FreePostedProfile(message);
    }
}

// ---- Commands ---------------------------------------------------------------------------------

void OnOk() {
    ShowWindow(Editor.window, SW_HIDE);
    // An editor on a window without rules stays, hidden, so that its rows can still be read.
    if (!Editor.record.rules.empty()) PostMessageW(Editor.window, WM_CLOSE, 0, 0);
}

void OnAddRow(HWND plus) {
    if (!AddRow(RuleRow{})) return;
    SetWindowTextW(plus, L"AND");
    RulesWindowHandle = Editor.window;
    FitRows(RuleRowCount(Controls().size()));
    ShowInInspector(Editor.record, kRefreshSuggestionsMode);
}

void ForgetDeleteOffer(HWND joiner) {
    auto& offers = Editor.deleteOffers;
    offers.erase(std::remove_if(offers.begin(), offers.end(),
                                [joiner](const DeleteOffer& offer) { return offer.joiner == joiner; }),
                 offers.end());
}

// The joiner offers its delete for about three seconds, driven by the editor's own timer, so
// that the offer's last word can never land in a joiner the rows were rebuilt into meanwhile.
void StartDeleteOffer(HWND button) {
    Diag(L"Handling delete animation.\n");
    ForgetDeleteOffer(button);
    if (!SetTimer(Editor.window, kDeleteOfferTimer, kDeleteOfferTickMs, nullptr)) {
        SetWindowTextW(button, L"AND");  // no offer without its timer
        return;
    }
    Editor.deleteOffers.push_back({button, GetTickCount64()});
}

// An offer ends when it runs out, or as soon as its joiner is gone or shows another word.
bool StepDeleteOffer(const DeleteOffer& offer, const std::vector<HWND>& controls) {
    if (std::find(controls.begin(), controls.end(), offer.joiner) == controls.end()) return false;
    const std::wstring shown = TextOf(offer.joiner, kJoinerChars);
    const auto next = DeleteOfferText(shown, GetTickCount64() - offer.startMs);
    if (!next) return false;
    if (*next != shown) SetWindowTextW(offer.joiner, std::wstring(*next).c_str());
    return *next != L"AND";
}

LRESULT OnDeleteOfferTick() {
    const std::vector<HWND> controls = Controls();
    auto& offers = Editor.deleteOffers;
    for (auto offer = offers.begin(); offer != offers.end();) {
        if (StepDeleteOffer(*offer, controls)) {
            ++offer;
            continue;
        }
        offer = offers.erase(offer);
        Diag(L"Delete animation finished.\n");
    }
    if (offers.empty()) KillTimer(Editor.window, kDeleteOfferTimer);
    return 0;
}

// The joiner and the first six controls of the row below it go: the row below's joiner takes
// this joiner's place, and every control further down moves up one row.
void DeleteRowBelow(size_t joiner) {
    std::vector<HWND> controls = Controls();
    if (joiner + kRuleRowControls >= controls.size()) return;
    const auto first = controls.begin() + static_cast<ptrdiff_t>(joiner);
    std::for_each(first, first + kRuleRowControls, [](HWND control) { DestroyWindow(control); });
    controls.erase(first, first + kRuleRowControls);
    RulesEditorControls.Replace(controls);
    for (size_t i = joiner; i < controls.size(); ++i) {
        RECT place = {};
        GetWindowRect(controls[i], &place);
        MapWindowPoints(nullptr, Editor.window, reinterpret_cast<POINT*>(&place), 2);
        SetWindowPos(controls[i], nullptr, place.left, place.top - kRowPitch, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowLongPtrW(controls[i], GWLP_ID, reinterpret_cast<LONG_PTR>(ControlId(i)));
    }
    FitRows(RuleRowCount(controls.size()));
}

void OnJoiner(size_t index, HWND button) {
    const std::wstring text = TextOf(button, kJoinerChars);
    if (text == L"AND") {
        SetWindowTextW(button, L"OR");
    } else if (text == L"OR") {
        SetWindowTextW(button, L"DEL");
        StartDeleteOffer(button);
    } else if (text == L"DEL" || text == L"?") {
        DeleteRowBelow(index);
    }
}

// Each row's one-pixel edit hands the focus to the value box of its own row.
void ForwardFocusFromDecoy(HWND decoy) {
    const std::vector<HWND> controls = Controls();
    for (size_t row = 0; decoy && row < RuleRowCount(controls.size()); ++row) {
        if (controls[RuleControlIndex(row, kFocusDecoyOffset)] != decoy) continue;
        SetFocus(controls[RuleControlIndex(row, kValueBoxOffset)]);
        Diag(L"Moved focus to real input box\n");
        return;
    }
}

LRESULT OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND from = reinterpret_cast<HWND>(lParam);
    const std::vector<HWND> controls = Controls();
    const auto found = std::find(controls.begin(), controls.end(), from);
    if (!from || found == controls.end()) return 0;
    const auto index = static_cast<size_t>(found - controls.begin());
    const int code = HIWORD(wParam);
    if (index == 0) {
        if (code == BN_CLICKED) OnOk();
        return 0;
    }
    const size_t offset = RuleOffsetOf(index);
    if (code == CBN_SELCHANGE && offset <= kComparisonBoxOffset) {
        ShowInInspector(Editor.record, kRefreshSuggestionsMode);
    } else if (code == EN_SETFOCUS && offset == kFocusDecoyOffset) {
        ForwardFocusFromDecoy(from);
    } else if (code == BN_CLICKED && offset == kJoinerOffset) {
        if (index + 1 == controls.size()) {
            OnAddRow(from);
        } else {
            OnJoiner(index, from);
        }
    }
    return 0;
}

// ---- Life of the window -------------------------------------------------------------------------

LRESULT OnCreate(HWND window) {
    Editor = EditorState{};
    Editor.window = window;
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_THICKFRAME));
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    const HWND ok = CreateControl(kOkButton, L"OK", 0, 0);
    if (!ok) return -1;
    RulesEditorControls.Replace({ok});
    if (!AddRow(RuleRow{})) return -1;
    PlaceOnTop(window);
    Editor.record = LiveWindowAt(0);
    ShowInInspector(Editor.record, kEditorMode);
    ShowWindow(window, SW_SHOW);
    return 0;
}

LRESULT OnLoadProfile(WPARAM wParam, LPARAM lParam) {
    const std::unique_ptr<WindowProfile> record = TakePostedProfile(wParam);
    if (!record) return 0;
    Editor.record = *record;
    if (!record->title.empty()) ShowInInspector(*record, static_cast<int>(lParam));
    return 0;
}

LRESULT OnDestroy(HWND window) {
    HWND self = window;
    RulesWindowHandle.compare_exchange_strong(self, nullptr);
    RulesEditorControls.Replace({});
    Editor = EditorState{};
    PostQuitMessage(0);
    return 0;
}

void RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // A record posted in the last moments of the window, where the system keeps it queued
        // after the window is gone: no window procedure is left to free it.
        if (message.message == WM_PNR_LOAD_PROFILE && !IsWindow(message.hwnd)) {
            FreePostedProfile(message);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Two quick "Rules" clicks start two threads: the second finds the first one's editor, made or
// in the making. An editor closed before its thread got here is not made at all.
bool MayCreateEditor(uint64_t closeRequestsBefore) {
    std::lock_guard<std::mutex> lock(EditorCreation);
    if (EditorCloseRequests != closeRequestsBefore || EditorBeingCreated) return false;
    if (FindOwnWindow(kRulesWindowClass)) return false;
    EditorBeingCreated = true;
    EditorThreadId = GetCurrentThreadId();
    return true;
}

// The window is created without the lock held: creating and showing it may send messages to
// the windows of other threads, and the thread that asked for it may be waiting for the lock in
// its close request. A close asked for meanwhile closes the new window.
void StoreCreatedEditor(HWND window, uint64_t closeRequestsBefore) {
    std::lock_guard<std::mutex> lock(EditorCreation);
    EditorBeingCreated = false;
    if (!window) return;
    RulesWindowHandle = window;
    if (EditorCloseRequests != closeRequestsBefore) PostMessageW(window, WM_CLOSE, 0, 0);
}

void RulesEditorThreadBody(uint64_t closeRequestsBefore) {
    NameCurrentThread(L"Pinora Rules Window Thread");
    Diag(L"Opening Pinora Rules window.\n");
    if (!MayCreateEditor(closeRequestsBefore)) return;
    const HWND window = CreateWindowExW(
        WS_EX_OVERLAPPEDWINDOW, kRulesWindowClass, L"Rules", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX,
        CW_USEDEFAULT, CW_USEDEFAULT, kCreatedWidth, kOneRowHeight, nullptr, nullptr, AppInstance, nullptr);
    StoreCreatedEditor(window, closeRequestsBefore);
    if (window) RunMessageLoop();
    DWORD self = GetCurrentThreadId();
    EditorThreadId.compare_exchange_strong(self, 0);
}

}  // namespace

void StartRulesEditorThread() {
    uint64_t closeRequests = 0;
    {
        std::lock_guard<std::mutex> lock(EditorCreation);
        closeRequests = EditorCloseRequests;
    }
    try {
        std::thread(RulesEditorThreadBody, closeRequests).detach();
    } catch (const std::system_error&) {
        // No thread, no editor: the request is dropped quietly.
    }
}

void CloseRulesEditor() {
    std::lock_guard<std::mutex> lock(EditorCreation);
    ++EditorCloseRequests;
    if (const HWND editor = FindOwnWindow(kRulesWindowClass)) PostMessageW(editor, WM_CLOSE, 0, 0);
}

// The rows change only on the editor's thread: a call from any other thread posts the record.
void ShowInRulesEditor(const WindowProfile& record, int mode) {
    if (mode == kLocationChangeMode) return;
    if (RulesEditorControls.Read([](const std::vector<HWND>& controls) { return controls.empty(); })) return;
    if (GetCurrentThreadId() != EditorThreadId) {
        PostToEditor(record, mode);
        return;
    }
    const bool rebuild = mode == kFromClusterWindowMode || (!record.rules.empty() && mode != kRefreshSuggestionsMode);
    if (!rebuild) {
        // Rows that follow another window are no longer the rows of the saved rule.
        if (!SameRowsSource(record, Editor.rowsSource)) Editor.rowsSource = WindowProfile{};
        ShowSuggestions(record, true);
    } else if (mode == kFromClusterWindowMode || !SameRowsSource(record, Editor.rowsSource)) {
        // The same record shown again (a window that moved, say) keeps what the user edited.
        RebuildRows(record);
    }
}

LRESULT CALLBACK RulesWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsFrequentMessage(message, lParam)) Diag(L"Rules Window callback triggered.\n");
    switch (message) {
        case WM_CREATE:
            return OnCreate(window);
        case WM_SHOWWINDOW:
            if (wParam) PlaceOnTop(window);
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_COMMAND:
            return OnCommand(wParam, lParam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            ForwardFocusFromDecoy(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_TIMER:
            if (wParam != kDeleteOfferTimer) return DefWindowProcW(window, message, wParam, lParam);
            return OnDeleteOfferTick();
        case WM_PNR_LOAD_PROFILE:
            return OnLoadProfile(wParam, lParam);
        case WM_DESTROY:
            return OnDestroy(window);
        case WM_NCDESTROY:
            // The last moment the window's posted messages can be taken: the system drops
            // them with the window.
            FreeQueuedProfiles(window);
            return DefWindowProcW(window, message, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
