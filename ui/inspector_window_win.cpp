// The Inspector window: shows the window the user works in, lets them pick a cluster, name the
// entry, set its options and nudge its frame, and on "Glue" writes the entry into the cluster
// file. It runs on a thread of its own; other threads reach it only by posting.
#include <windows.h>
#include <commctrl.h>
#include <dwmapi.h>

#include <algorithm>
#include <array>
#include <system_error>
#include <thread>

#include "base/diagnostics.h"
#include "base/ids.h"
#include "base/own_windows.h"
#include "base/process.h"
#include "engine/corner_preference.h"
#include "engine/engine.h"
#include "engine/process_arguments.h"
#include "storage/cluster_paths.h"
#include "storage/ini.h"
#include "storage/ini_file.h"
#include "ui/address_capture.h"
#include "ui/inspector_text.h"
#include "ui/config_windows.h"

std::atomic<bool> InspectorOpen{false};

namespace {

constexpr int kTextChars = 256;
constexpr int kGeometryChars = 16;  // 15 characters and the terminator
constexpr size_t kMaxPendingShows = 32;
constexpr wchar_t kNameTakenNote[] = L"Another window of this cluster has this name.";
constexpr wchar_t kNotSavedText[] = L"The entry could not be saved: the cluster file could not be written.";

// The geometry fields in the order they are read and moved by: X, Y, width, height, z-level.
enum Geometry { kX, kY, kWidth, kHeight, kZ, kGeometryCount };
constexpr std::array<int, kGeometryCount> kGeometryIds = {IDC_INSPECTOR_X, IDC_INSPECTOR_Y, IDC_INSPECTOR_WIDTH,
                                                          IDC_INSPECTOR_HEIGHT, IDC_INSPECTOR_Z};

struct ControlSpec {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int x, y, width, height;
    int id;  // 0: a control nobody addresses
};

constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | BS_RIGHT | WS_TABSTOP;
constexpr DWORD kLabel = SS_RIGHT;
constexpr DWORD kGeometryField = WS_BORDER | ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP;

std::vector<ControlSpec> ControlTable(bool withCornerBox) {
    std::vector<ControlSpec> table = {
        {WC_BUTTONW, L"", BS_GROUPBOX, 8, 0, 273, 198, 0},
        {WC_STATICW, L" Inspector ", SS_CENTER, 82, 0, 65, 20, 0},
        {WC_BUTTONW, L"", BS_GROUPBOX, 280, 0, 90, 143, 0},
        {WC_STATICW, L"", 0, 278, 9, 4, 132, 0},
        {WC_STATICW, L"Cluster:", SS_LEFT | SS_CENTERIMAGE, 17, 56, 50, 20, 0},
        {WC_EDITW, L"", WS_BORDER | ES_READONLY | ES_LEFT | ES_AUTOHSCROLL, 69, 54, 125, 22, IDC_INSPECTOR_CLUSTER},
        {UPDOWN_CLASSW, L"", UDS_WRAP | UDS_ARROWKEYS, 195, 53, 24, 24, IDC_INSPECTOR_CHOOSER},
        {WC_BUTTONW, L"Launch with QuickMenu", kCheckBox, 18, 84, 254, 20, IDC_INSPECTOR_LAUNCH},
        {WC_BUTTONW, L"SuperGlue (disabled)", kCheckBox | WS_DISABLED, 18, 112, 254, 20, IDC_INSPECTOR_SUPERGLUE},
    };
    if (withCornerBox) {
        table.push_back({WC_BUTTONW, L"Sharp Corners", BS_AUTO3STATE | BS_RIGHT | WS_TABSTOP, 18, 140, 254, 20,
                         IDC_INSPECTOR_CORNERS});
    }
    table.insert(table.end(),
                 {
                     {WC_BUTTONW, L"", kCheckBox, 18, withCornerBox ? 168 : 140, 254, 20, IDC_INSPECTOR_DESKTOP},
                     {WC_STATICW, L"Z:", kLabel, 286, 10, 20, 20, 0},
                     {WC_EDITW, L"", kGeometryField, 307, 9, 44, 20, IDC_INSPECTOR_Z},
                     {WC_STATICW, L"X:", kLabel, 286, 38, 20, 20, 0},
                     {WC_EDITW, L"", kGeometryField, 307, 37, 44, 20, IDC_INSPECTOR_X},
                     {WC_STATICW, L"Y:", kLabel, 286, 66, 20, 20, 0},
                     {WC_EDITW, L"", kGeometryField, 307, 65, 44, 20, IDC_INSPECTOR_Y},
                     {WC_STATICW, L"W:", kLabel, 286, 94, 20, 20, 0},
                     {WC_EDITW, L"", kGeometryField | ES_NUMBER, 307, 93, 44, 20, IDC_INSPECTOR_WIDTH},
                     {WC_STATICW, L"H:", kLabel, 286, 122, 20, 19, 0},
                     {WC_EDITW, L"", kGeometryField | ES_NUMBER, 307, 121, 44, 20, IDC_INSPECTOR_HEIGHT},
                     {WC_BUTTONW, L"Glue", BS_PUSHBUTTON | WS_TABSTOP, 288, 174, 82, 23, IDC_INSPECTOR_GLUE},
                     {WC_BUTTONW, L"Rules", BS_PUSHBUTTON | WS_TABSTOP, 288, 149, 82, 23, IDC_INSPECTOR_RULES},
                     {WC_STATICW, L"Name:", SS_LEFT | SS_CENTERIMAGE, 17, 28, 42, 20, 0},
                     // No automatic scrolling: a name can be only as long as the field is wide.
                     {WC_EDITW, L"", WS_BORDER | ES_CENTER | WS_TABSTOP, 61, 27, 150, 22, IDC_INSPECTOR_NAME},
                     {WC_STATICW, L"", SS_LEFT, 17, 201, 353, 15, IDC_INSPECTOR_NOTE},
                 });
    return table;
}

// What the window shows. Touched only on the Inspector window's thread; reset when it closes.
struct InspectorState {
    HWND window = nullptr;
    WindowProfile record;                             // the inspected record
    bool recordShown = false;                         // the controls show `record`
    std::array<int32_t, kGeometryCount> values = {};  // the inspector values: what an empty field stands for
    size_t clusterIndex = 0;
    IniDocument clusterRules;  // the chosen cluster's entries with their rules: whose names are taken
    bool filling = false;      // the program itself is changing the geometry texts
    bool gluing = false;       // "Glue" is under way: messages sent meanwhile must not start it again
};
// Never destroyed: the process may end while the window's detached thread still runs.
InspectorState& State = *new InspectorState;

// The window for other threads to post to, and the records they asked it to show.
std::atomic<HWND> InspectorWindowHandle{nullptr};
struct PendingShow {
    WindowProfile record;
    int mode;
};
GuardedValue<std::vector<PendingShow>>& PendingShows = *new GuardedValue<std::vector<PendingShow>>;

HWND ControlOf(int id) {
    return GetDlgItem(State.window, id);
}

std::wstring TextOf(int id, int chars = kTextChars) {
    std::vector<wchar_t> buffer(chars, L'\0');
    GetWindowTextW(ControlOf(id), buffer.data(), chars);
    return buffer.data();
}

std::wstring CueOf(int id, int chars = kTextChars) {
    std::vector<wchar_t> buffer(chars, L'\0');
    SendMessageW(ControlOf(id), EM_GETCUEBANNER, reinterpret_cast<WPARAM>(buffer.data()), chars);
    buffer.back() = L'\0';
    return buffer.data();
}

// An empty field stands for its cue banner.
std::wstring TextOrCue(int id, int chars = kTextChars) {
    std::wstring text = TextOf(id, chars);
    return text.empty() ? CueOf(id, chars) : text;
}

void SetText(int id, const std::wstring& text) {
    SetWindowTextW(ControlOf(id), text.c_str());
}

void SetCue(int id, const std::wstring& cue) {
    SendMessageW(ControlOf(id), EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue.c_str()));
    InvalidateRect(ControlOf(id), nullptr, TRUE);  // the cue paints only after the edit is redrawn
}

int CheckOf(int id) {
    return static_cast<int>(SendMessageW(ControlOf(id), BM_GETCHECK, 0, 0));
}

std::vector<std::wstring> ClusterNames() {
    return ClusterMap.Read([](const ClusterMapValue& map) {
        std::vector<std::wstring> names;
        for (const auto& entry : map) names.push_back(entry.first);
        return names;
    });
}

// The window the Inspector works on: the first live window, as the engine sees it now; the
// inspected record when the list has none.
WindowProfile TargetRecord() {
    WindowProfile record = LiveWindowAt(0);
    return record.hwnd ? record : State.record;
}

std::wstring DesktopBoxText(const WindowProfile& record) {
    return L"Move to \"" + record.desktop + L"\" desktop";
}

// The three-state corner box: checked sharp, indeterminate dull, unchecked round.
int CheckFor(CornerStyle style) {
    if (style == CornerStyle::Sharp) return BST_CHECKED;
    return style == CornerStyle::Dull ? BST_INDETERMINATE : BST_UNCHECKED;
}

CornerStyle CornerStyleOf(int check) {
    if (check == BST_CHECKED) return CornerStyle::Sharp;
    return check == BST_INDETERMINATE ? CornerStyle::Dull : CornerStyle::Round;
}

const wchar_t* CornerWord(CornerStyle style) {
    if (style == CornerStyle::Sharp) return L"Sharp";
    return style == CornerStyle::Dull ? L"Dull" : L"Round";
}

// The window manager's corner preference: do not round (1), round small (3), anything else round.
CornerStyle CornerStyleOfPreference(DWORD preference) {
    if (preference == 1) return CornerStyle::Sharp;
    return preference == 3 ? CornerStyle::Dull : CornerStyle::Round;
}

using GeometryValues = std::array<int32_t, kGeometryCount>;

void ShowGeometryCues(const GeometryValues& values) {
    for (int i = 0; i < kGeometryCount; ++i) {
        State.values[i] = values[i];
        SetCue(kGeometryIds[i], std::to_wstring(values[i]));
    }
}

std::array<std::wstring, kGeometryCount> GeometryTexts() {
    std::array<std::wstring, kGeometryCount> texts;
    for (int i = 0; i < kGeometryCount; ++i) texts[i] = TextOrCue(kGeometryIds[i], kGeometryChars);
    return texts;
}

void ReadClusterRules(const std::wstring& cluster) {
    State.clusterRules.clear();
    IniFile(ClusterValueFilePath(ClusterFolder(), cluster))
        .read(State.clusterRules, [](std::wstring_view, std::wstring_view key) { return key == L"Rules"; });
}

// "Glue" is offered only for what the cluster file can hold and load again (a name it can read
// back as a section, a frame of numbers with a size), and never over another window's entry:
// the note under the frame says when that is why.
void UpdateGlueButton() {
    const std::wstring name = TextOrCue(IDC_INSPECTOR_NAME);
    const bool taken = BelongsToAnotherWindow(State.clusterRules, name, TargetRecord());
    if (TextOf(IDC_INSPECTOR_NOTE).empty() == taken) SetText(IDC_INSPECTOR_NOTE, taken ? kNameTakenNote : L"");
    EnableWindow(ControlOf(IDC_INSPECTOR_GLUE), !taken && IsGlueableName(name) && IsGlueableGeometry(GeometryTexts()));
}

template <typename Fn>
void StartDetached(Fn&& body) {
    try {
        std::thread(std::forward<Fn>(body)).detach();
    } catch (const std::system_error&) {
        // No thread: the request is dropped quietly.
    }
}

// ---- Showing a record (ShowInInspector, from any thread, arrives here by post) ------------------

void ShowRecord(const WindowProfile& record, int mode) {
    const std::wstring name = DisplayName(record);
    SetCue(IDC_INSPECTOR_NAME, name);
    State.filling = true;
    if (!State.recordShown || record.hwnd != State.record.hwnd || record.title != State.record.title) {
        State.record = record;
        State.recordShown = true;
        SetText(IDC_INSPECTOR_NAME, name);
        for (int id : kGeometryIds) SetText(id, L"");
        SendMessageW(ControlOf(IDC_INSPECTOR_CORNERS), BM_SETCHECK, CheckFor(record.corners), 0);
        SetText(IDC_INSPECTOR_DESKTOP, DesktopBoxText(record));
    }
    RECT frame = {};
    if (mode != 2 && record.hwnd && SUCCEEDED(GetVisibleFrame(record.hwnd, &frame))) {
        ShowGeometryCues({static_cast<int32_t>(frame.left), static_cast<int32_t>(frame.top),
                          static_cast<int32_t>(frame.right - frame.left),
                          static_cast<int32_t>(frame.bottom - frame.top), record.zLevel});
    }
    State.filling = false;
    UpdateGlueButton();
}

LRESULT OnInspect() {
    std::vector<PendingShow> pending;
    PendingShows.Update([&pending](std::vector<PendingShow>& queue) { pending.swap(queue); });
    for (const PendingShow& show : pending) ShowRecord(show.record, show.mode);
    return 0;
}

// ---- Creation ---------------------------------------------------------------------------------

void CreateControls(HWND window) {
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlSpec& spec : ControlTable(IsWindows11)) {
        HWND control = CreateWindowExW(0, spec.className, spec.text, WS_CHILD | WS_VISIBLE | spec.style, spec.x, spec.y,
                                       spec.width, spec.height, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), AppInstance, nullptr);
        SendMessageW(control, WM_SETFONT, font, FALSE);
    }
}

void FillClusterChooser(const std::vector<std::wstring>& names) {
    const HWND field = ControlOf(IDC_INSPECTOR_CLUSTER);
    SendMessageW(field, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(8, 0));
    SetText(IDC_INSPECTOR_CLUSTER, names[State.clusterIndex]);
    EnableWindow(field, names.size() != 1);
    const HWND chooser = ControlOf(IDC_INSPECTOR_CHOOSER);
    SendMessageW(chooser, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field), 0);
    SendMessageW(chooser, UDM_SETRANGE32, 0, static_cast<LPARAM>(names.size() - 1));
    SendMessageW(chooser, UDM_SETPOS32, 0, 0);
}

void ShowCornerPreference(HWND inspected) {
    DWORD preference = 0;
    if (FAILED(DwmGetWindowAttribute(inspected, kCornerPreferenceAttribute, &preference, sizeof(preference)))) {
        preference = 0;
    }
    SendMessageW(ControlOf(IDC_INSPECTOR_CORNERS), BM_SETCHECK, CheckFor(CornerStyleOfPreference(preference)), 0);
}

void ShowInspectedRecord(const WindowProfile& record) {
    State.record = record;
    State.recordShown = true;
    SetText(IDC_INSPECTOR_DESKTOP, DesktopBoxText(record));
    if (IsWindows11) ShowCornerPreference(record.hwnd);
    ShowGeometryCues({record.position.x, record.position.y, record.size.width, record.size.height, record.zLevel});
    const std::wstring name = DisplayName(record).substr(0, MAX_PATH - 1);
    SetText(IDC_INSPECTOR_NAME, name);
    SetCue(IDC_INSPECTOR_NAME, name);
    UpdateGlueButton();
}

void PlaceWindow(HWND window) {
    static const POINT origin = ScreenCenteredOrigin(kInspectorWindowWidth, kInspectorWindowHeight);
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_THICKFRAME));
    SetWindowPos(window, HWND_TOPMOST, origin.x, origin.y, kInspectorWindowWidth, kInspectorWindowHeight,
                 SWP_FRAMECHANGED);
}

// A window that has nothing to inspect refuses its creation: the thread then ends, and the
// next hot key or tray click can open the Inspector again.
LRESULT OnCreate(HWND window) {
    const std::vector<std::wstring> clusters = ClusterNames();
    if (clusters.empty()) {
        MessageBoxW(nullptr,
                    L"There are no clusters, create one in the Cluster Management window!\n(Clusters > Manage)",
                    L"Pinora", MB_TOPMOST);
        return -1;
    }
    // Read afresh: the list may predate the window the user is in now, or hold windows closed since.
    RefreshLiveWindowList();
    const WindowProfile inspected = LiveWindowAt(0);
    if (!inspected.hwnd) {
        MessageBoxW(nullptr, L"There are no windows to manage!", L"Pinora", MB_TOPMOST);
        return -1;
    }
    State = InspectorState{};
    State.window = window;
    PlaceWindow(window);
    CreateControls(window);
    FillClusterChooser(clusters);
    ReadClusterRules(clusters[State.clusterIndex]);
    ShowInspectedRecord(inspected);
    PendingShows.Replace({});
    InspectorWindowHandle = window;
    ShowWindow(window, SW_SHOW);
    InspectorOpen = true;
    return 0;
}

// ---- Commands -------------------------------------------------------------------------------

LRESULT OnChooserStep(const NMUPDOWN& step) {
    SetFocus(State.window);
    const std::vector<std::wstring> names = ClusterNames();
    if (names.empty()) return 0;
    const auto count = static_cast<long long>(names.size());
    const long long index = ((static_cast<long long>(step.iPos) + step.iDelta) % count + count) % count;
    State.clusterIndex = static_cast<size_t>(index);
    SetText(IDC_INSPECTOR_CLUSTER, names[State.clusterIndex]);
    ReadClusterRules(names[State.clusterIndex]);
    UpdateGlueButton();
    return 0;
}

// The inspected window follows the numbers a second after each change. A field that does not
// read as a number yet (a "-" on the way to a negative one, say) holds the move back.
void OnGeometryChanged() {
    UpdateGlueButton();
    if (State.filling) return;
    std::array<std::wstring, kGeometryCount> texts;
    bool allEmpty = true;
    for (int i = 0; i < kGeometryCount; ++i) {
        texts[i] = TextOf(kGeometryIds[i], kGeometryChars);
        allEmpty = allEmpty && texts[i].empty();
    }
    if (allEmpty) return;
    GeometryValues values = {};
    for (int i = 0; i < kGeometryCount; ++i) {
        if (texts[i].empty()) {
            values[i] = State.values[i];
            continue;
        }
        const std::optional<int32_t> number = ParseGeometryNumber(texts[i]);
        if (!number) return;
        values[i] = *number;
    }
    ShowGeometryCues(values);
    WindowProfile target = TargetRecord();
    if (!target.hwnd) return;
    target.zLevel = values[kZ];
    StartDetached([target, x = values[kX], y = values[kY], w = values[kWidth], h = values[kHeight]] {
        ScheduleMove(target, x, y, w, h, 1, 33, 7);
    });
}

void OnCornerBoxClicked() {
    const WindowProfile target = TargetRecord();
    if (!target.hwnd) return;
    const auto preference = static_cast<DWORD>(CornerPreferenceFor(CornerStyleOf(CheckOf(IDC_INSPECTOR_CORNERS))));
    DwmSetWindowAttribute(target.hwnd, kCornerPreferenceAttribute, &preference, sizeof(preference));
}

std::wstring ArgumentsOfWindow(HWND window) {
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(window, &processId)) return {};
    return ReadProcessArguments(processId);
}

const wchar_t* YesNo(int id) {
    return CheckOf(id) == BST_CHECKED ? L"Yes" : L"No";
}

using EntryKeys = std::vector<std::pair<const wchar_t*, std::wstring>>;

// The entry as the controls show it, for the window `target`, in the order of a new section.
EntryKeys EntryFromControls(const WindowProfile& target) {
    const std::array<std::wstring, kGeometryCount> geometry = GeometryTexts();
    const bool editorOpen = RulesEditorControls.Read([](const std::vector<HWND>& c) { return !c.empty(); });
    const std::wstring rules = editorOpen ? CaptureRuleText() : TitleRuleText(target.title);
    EntryKeys keys = {
        {L"Title", target.title},
        {L"Class", target.className},
        {L"Path", target.exePath},
        {L"Desktop", target.desktop},
        {L"Move to Desktop", YesNo(IDC_INSPECTOR_DESKTOP)},
        {L"Launch with QuickMenu", YesNo(IDC_INSPECTOR_LAUNCH)},
        {L"SuperGlue", YesNo(IDC_INSPECTOR_SUPERGLUE)},
        {L"Corners", CornerWord(IsWindows11 ? CornerStyleOf(CheckOf(IDC_INSPECTOR_CORNERS)) : CornerStyle::Round)},
        {L"Position", geometry[kX] + L" " + geometry[kY]},
        {L"Size", geometry[kWidth] + L" " + geometry[kHeight]},
        {L"Z-Level", geometry[kZ]},
    };
    // The program's command line, where the system gives it, so that its document opens again.
    const std::wstring arguments = ArgumentsOfWindow(target.hwnd);
    if (!arguments.empty()) keys.insert(keys.begin() + 3, {L"Arguments", arguments});
    if (target.hwnd && HasAddressBar(target.exePath)) {
        const std::wstring address = CaptureAddress(target.hwnd, State.window);
        if (!address.empty()) keys.emplace_back(L"URL", address);
    }
    keys.emplace_back(L"Rules", rules);
    return keys;
}

enum class GlueResult { Written, NameTaken, NotWritten };

// The whole entry in one rewrite of the file, checked against the file as it is then: an entry
// of that name may have been saved for another window since the Inspector read the cluster.
GlueResult WriteEntry(const std::wstring& cluster, const std::wstring& name, const WindowProfile& target,
                      const EntryKeys& keys) {
    bool taken = false;
    const bool written = RewriteClusterFile(cluster, [&](IniDocument& document) {
        taken = BelongsToAnotherWindow(document, name, target);
        if (taken) return false;
        IniSection& entry = document.GetOrInsert(name);
        for (const auto& [key, value] : keys) entry.GetOrInsert(key) = value;
        // Arguments read from an earlier window must not start this one's program.
        const auto hasArguments = [](const auto& key) { return key.first == std::wstring_view(L"Arguments"); };
        if (std::none_of(keys.begin(), keys.end(), hasArguments)) entry.Remove(L"Arguments");
        return true;
    });
    if (written) return GlueResult::Written;
    return taken ? GlueResult::NameTaken : GlueResult::NotWritten;
}

void OnGlue() {
    // A click posted by someone else while "Glue" is not offered, or sent while it is under way.
    if (State.gluing || !IsWindowEnabled(ControlOf(IDC_INSPECTOR_GLUE))) return;
    State.gluing = true;
    const std::wstring name = TextOrCue(IDC_INSPECTOR_NAME);
    const std::wstring cluster = TextOf(IDC_INSPECTOR_CLUSTER);
    const WindowProfile target = TargetRecord();
    const GlueResult result = WriteEntry(cluster, name, target, EntryFromControls(target));
    if (result == GlueResult::Written) {
        InspectorOpen = false;
        // The new entry takes effect at once in an active cluster; the window closes without waiting.
        StartDetached([] {
            UpdateClusterMap(L"", L"");
            ApplyProfiles(0);
        });
        SendMessageW(State.window, WM_CLOSE, 0, 0);
        return;
    }
    // Nothing was written: the window stays open with everything the user set.
    if (result == GlueResult::NameTaken) {
        ReadClusterRules(cluster);
        UpdateGlueButton();
    } else {
        MessageBoxW(State.window, kNotSavedText, L"Pinora", MB_OK | MB_ICONWARNING);
    }
    State.gluing = false;
}

LRESULT OnCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == EN_CHANGE) {
        if (id == IDC_INSPECTOR_NAME) UpdateGlueButton();
        for (int geometryId : kGeometryIds) {
            if (id == geometryId) OnGeometryChanged();
        }
        return 0;
    }
    if (code != BN_CLICKED) return 0;
    switch (id) {
        case IDC_INSPECTOR_CORNERS:
            OnCornerBoxClicked();
            break;
        case IDC_INSPECTOR_RULES:
            OpenRulesEditor();
            break;
        case IDC_INSPECTOR_GLUE:
            OnGlue();
            break;
        default:
            break;  // the Launch, SuperGlue and desktop boxes are read by "Glue"
    }
    return 0;
}

LRESULT OnNotify(const NMHDR& header) {
    if (header.idFrom == IDC_INSPECTOR_CHOOSER && header.code == UDN_DELTAPOS) {
        return OnChooserStep(reinterpret_cast<const NMUPDOWN&>(header));
    }
    return 0;
}

LRESULT OnDestroy() {
    CloseRulesEditor();
    InspectorOpen = false;
    InspectorWindowHandle = nullptr;
    PendingShows.Replace({});
    State = InspectorState{};
    PostQuitMessage(0);
    return 0;
}

bool IsFrequentMessage(UINT message) {
    return message == WM_SETCURSOR || message == WM_NCHITTEST || message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE;
}

}  // namespace

void ShowInInspectorWindow(const WindowProfile& record, int mode) {
    const HWND window = InspectorWindowHandle;
    if (!window) return;
    // The caller may hold the engine lock: the record waits in the queue and the window is
    // only told, never waited for. A window gone by now finds nothing; the next one clears it.
    try {
        PendingShows.Update([&record, mode](std::vector<PendingShow>& queue) {
            if (queue.size() >= kMaxPendingShows) queue.erase(queue.begin());
            queue.push_back({record, mode});
        });
    } catch (...) {
        return;
    }
    PostMessageW(window, WM_PNR_INSPECT, 0, 0);
}

LRESULT CALLBACK InspectorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsFrequentMessage(message)) Diag(L"Pinora Window callback triggered.\n");
    switch (message) {
        case WM_CREATE:
            return OnCreate(window);
        case WM_SHOWWINDOW:
            if (wParam) InspectorOpen = true;
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_COMMAND:
            return OnCommand(wParam);
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_PNR_INSPECT:
            return OnInspect();
        case WM_DESTROY:
            return OnDestroy();
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
