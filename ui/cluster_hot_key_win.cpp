// The Clusters pane's hot key. A combination is refused when Pinora's own Inspector key,
// another cluster or another program holds it; the last is found out by registering it on
// this thread for a moment.
#include <windows.h>
#include <commctrl.h>

#include "base/ids.h"
#include "base/own_windows.h"
#include "storage/ini.h"
#include "ui/cluster_hot_key.h"
#include "ui/hot_key_link.h"

namespace {

const wchar_t kConfiguration[] = L"Configuration";

// The control's own flags differ from RegisterHotKey's; it has none for Win.
struct FlagPair {
    unsigned control;
    unsigned stored;
};
const FlagPair kFlagPairs[] = {
    {HOTKEYF_CONTROL, kHotKeyCtrl}, {HOTKEYF_ALT, kHotKeyAlt}, {HOTKEYF_SHIFT, kHotKeyShift}};

// Keys that share a virtual code with the number pad only by scan code: the control names
// them right only when told they are extended.
bool IsExtendedKey(unsigned virtualKey) {
    return (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) || virtualKey == VK_INSERT || virtualKey == VK_DELETE ||
           virtualKey == VK_DIVIDE;
}

HWND HotKeyControl(const ClusterWindowState& state) {
    return Item(state, IDC_CLUSTER_HOT_KEY);
}

void ShowInControl(const ClusterWindowState& state, const std::optional<HotKey>& hotKey) {
    WORD value = 0;
    if (hotKey) {
        unsigned flags = IsExtendedKey(hotKey->virtualKey) ? HOTKEYF_EXT : 0;
        for (const FlagPair& pair : kFlagPairs) flags |= (hotKey->modifiers & pair.stored) ? pair.control : 0;
        value = MAKEWORD(hotKey->virtualKey, flags);
    }
    SendMessageW(HotKeyControl(state), HKM_SETHOTKEY, value, 0);
}

std::optional<HotKey> ReadControl(const ClusterWindowState& state) {
    const LRESULT value = SendMessageW(HotKeyControl(state), HKM_GETHOTKEY, 0, 0);
    HotKey hotKey{0, LOBYTE(LOWORD(value))};
    for (const FlagPair& pair : kFlagPairs)
        hotKey.modifiers |= (HIBYTE(LOWORD(value)) & pair.control) ? pair.stored : 0;
    if (!IsUsableHotKey(hotKey)) return std::nullopt;
    return hotKey;
}

std::optional<HotKey> StoredHotKey(const std::wstring& cluster) {
    return ParseHotKey(ReadClusterValue(cluster, kConfiguration, kHotKeyKey, L""));
}

bool OtherProgramHolds(const ClusterWindowState& state, const HotKey& hotKey) {
    if (!RegisterHotKey(state.window, HOTKEY_ID_PANE_TRY, hotKey.modifiers | MOD_NOREPEAT, hotKey.virtualKey)) {
        return true;
    }
    UnregisterHotKey(state.window, HOTKEY_ID_PANE_TRY);
    return false;
}

// Empty when the cluster may have the combination.
std::wstring RefusalNote(const ClusterWindowState& state, const std::wstring& cluster, const HotKey& hotKey) {
    if (hotKey == HotKey{kHotKeyAlt, VK_OEM_3}) return L"Taken: Pinora's own key for the Inspector";
    for (const std::wstring& other : ListItemTexts(Item(state, IDC_CLUSTER_LIST))) {
        if (other != cluster && StoredHotKey(other) == hotKey) return L"Taken by the cluster \"" + other + L"\"";
    }
    // No other cluster's file has it: when Pinora holds it, it is this cluster's (perhaps
    // under the name it had before a rename just applied).
    if (PinoraHoldsClusterHotKey(hotKey) || !OtherProgramHolds(state, hotKey)) return L"";
    return L"Taken by another program";
}

// The note is as small as the words on the monitors: a long cluster name ends in dots.
void ShowNote(const ClusterWindowState& state, const std::wstring& text) {
    const HWND note = Item(state, IDC_HOT_KEY_NOTE);
    SendMessageW(note, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetWindowTextW(note, text.c_str());
}

void CheckShownHotKey(ClusterWindowState& state) {
    const std::wstring cluster = SelectedItemText(Item(state, IDC_CLUSTER_LIST));
    const std::wstring note = state.hotKey ? RefusalNote(state, cluster, *state.hotKey) : L"";
    state.hotKeyRefused = !note.empty();
    ShowNote(state, note);
}

}  // namespace

void ShowClusterHotKey(ClusterWindowState& state, const std::wstring& cluster) {
    for (int id : {IDC_CLUSTER_HOT_KEY, IDC_CLEAR_HOT_KEY}) EnableItem(state, id, !cluster.empty());
    state.hotKey = cluster.empty() ? std::nullopt : StoredHotKey(cluster);
    state.hotKeyEdited = false;
    SendMessageW(HotKeyControl(state), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, HOTKEYF_CONTROL | HOTKEYF_ALT);
    ShowInControl(state, state.hotKey);
    CheckShownHotKey(state);
}

void OnHotKeyEdited(ClusterWindowState& state) {
    state.hotKey = ReadControl(state);
    state.hotKeyEdited = true;
    CheckShownHotKey(state);
    OnOptionClick(state, IDC_CLUSTER_HOT_KEY);
}

void ClearHotKey(ClusterWindowState& state) {
    SendMessageW(HotKeyControl(state), HKM_SETHOTKEY, 0, 0);
    OnHotKeyEdited(state);
}

// The Windows pane's Apply writes no hot key: a refused one left in the Clusters pane stops
// nothing there.
bool HotKeyBlocksApply(const ClusterWindowState& state) {
    return state.pane == ClusterPane::Clusters && state.hotKeyEdited && state.hotKeyRefused;
}

void StoreClusterHotKey(const ClusterWindowState& state, IniDocument& document) {
    if (!state.hotKeyEdited) return;
    IniSection& configuration = document.GetOrInsert(kConfiguration);
    if (state.hotKey) {
        configuration.GetOrInsert(kHotKeyKey) = HotKeyText(*state.hotKey);
    } else {
        configuration.Remove(kHotKeyKey);
    }
}

void AskForHotKeyRegistration() {
    if (const HWND notifyWindow = FindOwnWindow(L"PinoraNotifyWindow")) {
        PostMessageW(notifyWindow, WM_PNR_HOT_KEYS_CHANGED, 0, 0);
    }
}
