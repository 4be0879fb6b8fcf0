// The Cluster Management window's commands: name checks, option clicks, New, Rules, the
// two-click Delete and Apply. Each makes its change in one write of a cluster file; only
// after that write succeeded does the window show it, rebuild the cluster map and tell the
// tray and the placement what changed. A failed write is shown and leaves the file as it was.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "base/diagnostics.h"
#include "base/ids.h"
#include "base/own_windows.h"
#include "base/process.h"
#include "engine/engine.h"
#include "engine/posted_profiles.h"
#include "storage/catalogue.h"
#include "storage/ini.h"
#include "storage/profile_reading.h"
#include "ui/cluster_hot_key.h"
#include "ui/cluster_ties.h"
#include "ui/cluster_window.h"
#include "ui/shell_link.h"
#include "ui/config_windows.h"

namespace {

// Constants only: a detached configuration thread may still run while the process exits,
// so nothing here may be destroyed at exit.
constexpr wchar_t kConfiguration[] = L"Configuration";
constexpr wchar_t kRulesWindowClass[] = L"PinoraRulesWindow";
constexpr wchar_t kNotWritten[] =
    L"The change could not be saved: another program may be using the cluster file, or the disk is full. "
    L"The file was left as it was.";

// The Rules editor normally appears within milliseconds; the bound keeps this window alive
// when it never does.
constexpr DWORD kEditorPollMs = 33;
constexpr DWORD kEditorWaitMs = 5000;
constexpr LPARAM kFromClusterWindow = 2;  // the sender's code in WM_PNR_LOAD_PROFILE

// A window entry's keys in the order a rename copies them, each with the text a missing key
// arrives as ("URL" falls back to the path just read).
struct CopiedKey {
    const wchar_t* key;
    const wchar_t* missing;
};
const CopiedKey kCopiedKeys[] = {
    {L"Title", L"Error"},
    {L"Class", L"Error"},
    {L"Path", L"Error"},
    {L"Desktop", L"Error"},
    {L"Move to Desktop", L"Error"},
    {L"URL", nullptr},
    {L"Launch with QuickMenu", L"No"},
    {L"SuperGlue", L"No"},
    {L"Corners", L"Error"},
    {L"Position", L"Error"},
    {L"Size", L"Error"},
    {L"Rules", L"Error"},
    {L"Z-Level", L"0"},
};

const wchar_t* YesNo(bool yes) {
    return yes ? L"Yes" : L"No";
}

const wchar_t* CornerWord(LRESULT checkState) {
    if (checkState == BST_CHECKED) return L"Sharp";
    return checkState == BST_INDETERMINATE ? L"Dull" : L"Round";
}

HWND NameBox(const ClusterWindowState& state) {
    return Item(state, IDC_CLUSTER_NAME);
}

NameBoxState ReadNameBox(const ClusterWindowState& state) {
    NameBoxState box;
    box.typed = ControlText(NameBox(state));
    box.current = CueBannerOf(NameBox(state));
    box.clusterNames = ListItemTexts(Item(state, IDC_CLUSTER_LIST));
    box.windowNames = ListItemTexts(Item(state, IDC_WINDOW_LIST));
    box.pane = state.pane;
    return box;
}

// Apply is offered once something changed, unless the typed name could not be applied.
void OfferApply(const ClusterWindowState& state) {
    const NameBoxState box = ReadNameBox(state);
    EnableItem(state, IDC_CLUSTER_APPLY,
               !box.clusterNames.empty() && TypedNameAllowsApply(box) && !HotKeyBlocksApply(state));
}

bool HasItem(const std::vector<std::wstring>& items, const std::wstring& name) {
    return std::find(items.begin(), items.end(), name) != items.end();
}

void SelectExactItem(HWND list, const std::wstring& text) {
    const std::vector<std::wstring> items = ListItemTexts(list);
    const auto found = std::find(items.begin(), items.end(), text);
    SendMessageW(list, LB_SETCURSEL, found == items.end() ? static_cast<WPARAM>(-1) : found - items.begin(), 0);
}

void ReplaceSelectedItem(HWND list, const std::wstring& text) {
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return;
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool WaitForRulesEditor() {
    for (DWORD waited = 0; waited < kEditorWaitMs; waited += kEditorPollMs) {
        const HWND editor = RulesWindowHandle.load();
        const bool ready = RulesEditorControls.Read([](const std::vector<HWND>& c) { return !c.empty(); });
        if (ready && editor && IsWindow(editor)) return true;
        Sleep(kEditorPollMs);
    }
    Diag(L"The Rules editor did not open.\n");
    return false;
}

// The editor owns the posted copy; a copy that cannot be posted is freed here.
void PostProfileToRulesEditor(const std::wstring& cluster, const std::wstring& section) {
    const ClusterEntry entry = CopyClusterEntry(ClusterMap, cluster);
    for (const auto& [title, profile] : entry.profiles) {
        if (profile.sectionName != section) continue;
        PostProfileCopy(RulesWindowHandle.load(), profile, kFromClusterWindow);
        return;
    }
}

void ShowFailure(const ClusterWindowState& state, const std::wstring& text = kNotWritten) {
    MessageBoxW(state.window, text.c_str(), L"Pinora", MB_OK | MB_ICONWARNING);
}

// Moves a window entry to a new section: every known key is copied, then the old section goes.
void RenameWindowSection(IniDocument& document, const std::wstring& from, const std::wstring& to) {
    std::wstring path;
    for (const CopiedKey& copied : kCopiedKeys) {
        const std::wstring missing = copied.missing ? copied.missing : path;
        const std::wstring value = IniValueOr(document, from, copied.key, missing);
        if (copied.key == std::wstring_view(L"Path")) path = value;
        document.GetOrInsert(to).GetOrInsert(copied.key) = value;
    }
    // Recorded only where the command line could be read: a missing one stays missing.
    if (const std::wstring* found = FindIniValue(document, from, L"Arguments")) {
        const std::wstring arguments = *found;
        document.GetOrInsert(to).GetOrInsert(L"Arguments") = arguments;
    }
    document.Remove(from);
}

bool IsSavedWindow(const IniDocument& document, const std::wstring& section) {
    return section != kConfiguration && ReadWindowProfile(document, section).has_value();
}

// What the Windows pane's Apply writes into the window's section, read from the window first.
struct WindowOptions {
    const wchar_t* moveToDesktop;
    const wchar_t* launchWithQuickMenu;
    const wchar_t* superGlue;
    const wchar_t* corners;
    std::optional<std::wstring> rules;  // only while the Rules editor is open
};

WindowOptions ReadWindowOptions(const ClusterWindowState& state) {
    WindowOptions options{YesNo(IsChecked(state, IDC_MOVE_TO_DESKTOP)),
                          YesNo(IsChecked(state, IDC_LAUNCH_WITH_QUICKMENU)), YesNo(IsChecked(state, IDC_SUPERGLUE)),
                          CornerWord(SendMessageW(Item(state, IDC_SHARP_CORNERS), BM_GETCHECK, 0, 0)), std::nullopt};
    if (FindOwnWindow(kRulesWindowClass)) options.rules = CaptureRuleText();
    return options;
}

// The rename, the options and the rules as one change of the document. False, with the
// document to be left unwritten, when the shown name is no longer a window of the cluster
// (the file changed underneath; least of all is a section named after a cluster written) or
// the new name is another section's (another window's keys stay its own).
bool ChangeWindowEntry(IniDocument& document, const std::wstring& current, const std::wstring& target,
                       const WindowOptions& options) {
    if (!IsSavedWindow(document, current)) return false;
    if (target != current) {
        if (target == kConfiguration || document.Has(target)) return false;
        RenameWindowSection(document, current, target);
    }
    IniSection& entry = document.GetOrInsert(target);
    entry.GetOrInsert(L"Move to Desktop") = options.moveToDesktop;
    entry.GetOrInsert(L"Launch with QuickMenu") = options.launchWithQuickMenu;
    entry.GetOrInsert(L"SuperGlue") = options.superGlue;
    entry.GetOrInsert(L"Corners") = options.corners;
    if (options.rules) entry.GetOrInsert(L"Rules") = *options.rules;
    return true;
}

void ApplyWindowPane(ClusterWindowState& state, const NameBoxState& box) {
    const std::wstring cluster = SelectedItemText(Item(state, IDC_CLUSTER_LIST));
    if (cluster.empty()) return;
    const std::wstring current = box.current;
    const std::wstring target = box.typed.empty() ? current : WindowSectionName(box.typed);
    const WindowOptions options = ReadWindowOptions(state);
    bool refused = false;
    const bool written = RewriteClusterFile(cluster, [&](IniDocument& document) {
        refused = !ChangeWindowEntry(document, current, target, options);
        return !refused;
    });
    if (!written) {
        if (!refused) ShowFailure(state);
        return;
    }
    ReplaceSelectedItem(Item(state, IDC_WINDOW_LIST), target);
    // Apply stays offered: the user may go on editing the rule in the Rules editor.
    ShowCurrentName(state, target, ApplyButton::Keep);
    UpdateClusterMap(L"", L"");
    ApplyProfiles(0);
}

void ApplyClustersPane(ClusterWindowState& state, const NameBoxState& box) {
    const HWND list = Item(state, IDC_CLUSTER_LIST);
    const std::wstring selected = SelectedItemText(list);
    // Only the selected cluster's own file is ever written.
    if (selected.empty() || selected != box.current || HotKeyBlocksApply(state)) return;
    const wchar_t* activateOnStartup = YesNo(IsChecked(state, IDC_ACTIVATE_ON_STARTUP));
    const wchar_t* showInQuickMenu = YesNo(IsChecked(state, IDC_SHOW_IN_QUICK_MENU));
    const bool written = RewriteClusterFile(selected, [&](IniDocument& document) {
        IniSection& configuration = document.GetOrInsert(kConfiguration);
        configuration.GetOrInsert(L"Activate on Startup") = activateOnStartup;
        configuration.GetOrInsert(L"Show in Quick Menu") = showInQuickMenu;
        StoreClusterTie(state, document);
        StoreClusterHotKey(state, document);
        return true;
    });
    // Renaming a file whose flags could not be saved would leave the user guessing which took.
    if (!written) return ShowFailure(state);
    EnableItem(state, IDC_CLUSTER_APPLY, false);
    const bool wasActive = ContainsCluster(ActiveClusterMap, selected);
    bool renamed = false;
    if (!box.typed.empty() && box.typed != selected) {
        // A rename the file system refused leaves the old name shown and the map as it was.
        renamed = RenameClusterFile(selected, box.typed);
        if (renamed) ReplaceSelectedItem(list, box.typed);
        ShowCurrentName(state, renamed ? box.typed : selected);
    }
    ShowClusterTie(state, renamed ? box.typed : selected);
    // Active clusters are known by name: the renamed one is activated under its new name.
    if (renamed && wasActive) {
        UpdateClusterMap(box.typed, L"activate");
    } else {
        UpdateClusterMap(L"", L"");
    }
    ShowClusterHotKey(state, renamed ? box.typed : selected);
    AskForHotKeyRegistration();
}

void DeleteWindowEntry(ClusterWindowState& state, const std::wstring& section) {
    const std::wstring cluster = SelectedItemText(Item(state, IDC_CLUSTER_LIST));
    if (cluster.empty()) return;
    bool absent = false;
    const bool written = RewriteClusterFile(cluster, [&](IniDocument& document) {
        absent = !document.Remove(section);
        return !absent;
    });
    // An entry already gone from the file leaves nothing to report: the refresh shows it gone.
    if (!written && !absent) return ShowFailure(state);
    RefreshClusterManagement(state.window);
    UpdateClusterMap(L"", L"");
    // The refresh selected the first cluster; the user goes on in the cluster just edited,
    // with its next window selected, or in the Clusters pane when none is left.
    SelectExactItem(Item(state, IDC_CLUSTER_LIST), cluster);
    if (FillWindowList(state, cluster) > 0) {
        ShowSelectedWindow(state);
    } else {
        ShowSelectedCluster(state);
        EnableItem(state, IDC_WINDOW_LIST, false);
    }
}

}  // namespace

void OnNameChanged(ClusterWindowState& state) {
    if (state.programSetsName) return;
    const NameButtons buttons = ButtonsForTypedName(ReadNameBox(state));
    EnableItem(state, IDC_CLUSTER_NEW, buttons.newEnabled);
    if (buttons.apply != ApplyButton::Keep) {
        EnableItem(state, IDC_CLUSTER_APPLY, buttons.apply == ApplyButton::Enable && !HotKeyBlocksApply(state));
    }
}

void OnOptionClick(ClusterWindowState& state, int id) {
    const bool clusterOption = id == IDC_ACTIVATE_ON_STARTUP || id == IDC_SHOW_IN_QUICK_MENU ||
                               id == IDC_ONLY_WITH_THESE_MONITORS || id == IDC_CLUSTER_HOT_KEY;
    state.pane = clusterOption ? ClusterPane::Clusters : ClusterPane::Windows;
    OfferApply(state);
    DisarmDelete(state);
}

void OnNew(ClusterWindowState& state) {
    DisarmDelete(state);
    const NameBoxState box = ReadNameBox(state);
    if (!CanCreateCluster(box.typed, box.clusterNames)) return;
    const std::wstring name = box.typed;
    IniDocument document;
    IniSection& configuration = document.GetOrInsert(kConfiguration);
    configuration.GetOrInsert(L"Show in Quick Menu") = YesNo(IsChecked(state, IDC_SHOW_IN_QUICK_MENU));
    configuration.GetOrInsert(L"Activate on Startup") = YesNo(IsChecked(state, IDC_ACTIVATE_ON_STARTUP));
    StoreClusterTie(state, document);
    // The file system, not the list, knows every name a file answers to: another case, a
    // short alias. An existing file is never written into.
    if (!CreateClusterFile(name, document)) {
        return ShowFailure(state, ClusterFileExists(name)
                                      ? L"The name \"" + name + L"\" is already taken by a cluster file."
                                      : std::wstring(kNotWritten));
    }
    ShowCurrentName(state, name);
    EnableItem(state, IDC_CLUSTER_DELETE, true);
    EnableItem(state, IDC_OPEN_MISSING_WINDOWS, true);
    SendMessageW(Item(state, IDC_WINDOW_LIST), LB_RESETCONTENT, 0, 0);
    const std::vector<std::wstring> names = ListClusterNames(AppDataPath, L"\\Pinora\\Clusters\\*.ini");
    FillList(Item(state, IDC_CLUSTER_LIST), names);
    if (!names.empty()) {
        // The new cluster itself, not the first name it is a prefix of.
        SelectExactItem(Item(state, IDC_CLUSTER_LIST), name);
        EnableItem(state, IDC_ACTIVATE_ON_STARTUP, true);
        EnableItem(state, IDC_SHOW_IN_QUICK_MENU, true);
        SetChecked(state, IDC_ACTIVATE_ON_STARTUP,
                   ReadClusterValue(name, kConfiguration, L"Activate on Startup", L"No") == L"Yes");
        SetChecked(state, IDC_SHOW_IN_QUICK_MENU,
                   ReadClusterValue(name, kConfiguration, L"Show in Quick Menu", L"No") == L"Yes");
        ShowClusterTie(state, name);
        ShowClusterHotKey(state, name);
    }
    UpdateClusterMap(L"", L"");
    AskForHotKeyRegistration();
}

void OnRules(ClusterWindowState& state) {
    DisarmDelete(state);
    const HWND button = Item(state, IDC_CLUSTER_RULES);
    SendMessageW(button, BM_SETSTATE, FALSE, 0);
    EnableWindow(button, FALSE);
    OpenRulesEditor();
    const std::wstring section = SelectedItemText(Item(state, IDC_WINDOW_LIST));
    const std::wstring cluster = SelectedItemText(Item(state, IDC_CLUSTER_LIST));
    if (WaitForRulesEditor()) PostProfileToRulesEditor(cluster, section);
    OfferApply(state);
}

void OnDelete(ClusterWindowState& state) {
    if (!state.deleteArmed) {
        state.deleteArmed = true;
        SetWindowTextW(Item(state, IDC_CLUSTER_DELETE), L"Delete?");
        return;
    }
    const NameBoxState box = ReadNameBox(state);
    if (state.pane == ClusterPane::Windows) {
        if (HasItem(box.windowNames, box.current)) DeleteWindowEntry(state, box.current);
    } else if (HasItem(box.clusterNames, box.current)) {
        if (!DeleteClusterFile(box.current)) ShowFailure(state);
        RefreshClusterManagement(state.window);
        UpdateClusterMap(L"", L"");
        UpdateTrayTooltip();
        AskForHotKeyRegistration();
    }
    DisarmDelete(state);
}

void OnApply(ClusterWindowState& state) {
    DisarmDelete(state);
    const NameBoxState box = ReadNameBox(state);
    if (!TypedNameAllowsApply(box)) return;
    if (state.pane == ClusterPane::Windows) {
        ApplyWindowPane(state, box);
    } else {
        ApplyClustersPane(state, box);
    }
    UpdateTrayTooltip();
}
