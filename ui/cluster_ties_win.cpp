// A cluster's tie to display setups as the Clusters pane shows and changes it. The box is
// checked while the cluster is tied to the monitors connected now, and indeterminate while it
// is tied to other monitors only; checking it adds the connected setup, unchecking unties.
#include <windows.h>

#include "base/ids.h"
#include "engine/display_ties.h"
#include "engine/display_watch.h"
#include "storage/ini.h"
#include "ui/cluster_ties.h"

namespace {

const wchar_t kConfiguration[] = L"Configuration";

TieBox BoxState(const ClusterWindowState& state) {
    const LRESULT check = SendMessageW(Item(state, IDC_ONLY_WITH_THESE_MONITORS), BM_GETCHECK, 0, 0);
    if (check == BST_CHECKED) return TieBox::Checked;
    return check == BST_INDETERMINATE ? TieBox::OtherSetupsOnly : TieBox::Unchecked;
}

void SetBoxState(const ClusterWindowState& state, TieBox box) {
    const WPARAM check = box == TieBox::Checked           ? BST_CHECKED
                         : box == TieBox::OtherSetupsOnly ? BST_INDETERMINATE
                                                          : BST_UNCHECKED;
    SendMessageW(Item(state, IDC_ONLY_WITH_THESE_MONITORS), BM_SETCHECK, check, 0);
}

// The words are smaller than the window's other text: two lines name up to three monitors.
void SetDescription(const ClusterWindowState& state, const std::wstring& text) {
    const HWND description = Item(state, IDC_DISPLAY_SETUP_TEXT);
    SendMessageW(description, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetWindowTextW(description, text.c_str());
}

}  // namespace

void ShowClusterTie(const ClusterWindowState& state, const std::wstring& cluster) {
    EnableWindow(Item(state, IDC_ONLY_WITH_THESE_MONITORS), cluster.empty() ? FALSE : TRUE);
    if (cluster.empty()) {
        SetBoxState(state, TieBox::Unchecked);
        SetDescription(state, L"");
        return;
    }
    const std::vector<DisplaySetup> ties =
        ParseSetupList(ReadClusterValue(cluster, kConfiguration, kDisplaySetupsKey, L""));
    const DisplaySetup connected = ReadDisplaySetup();
    SetBoxState(state, TieBoxFor(ties, connected));
    SetDescription(state, DescribeTies(ties, connected));
}

void StepTieBox(const ClusterWindowState& state) {
    SetBoxState(state, BoxState(state) == TieBox::Checked ? TieBox::Unchecked : TieBox::Checked);
}

// A box left as the file set it leaves the key as it is written. A cluster tied to nothing
// keeps no key at all: its file reads as one from before ties.
void StoreClusterTie(const ClusterWindowState& state, IniDocument& document) {
    IniSection& configuration = document.GetOrInsert(kConfiguration);
    const std::wstring* stored = configuration.Find(kDisplaySetupsKey);
    const std::vector<DisplaySetup> storedTies = ParseSetupList(stored ? *stored : L"");
    const DisplaySetup connected = ReadDisplaySetup();
    const TieBox box = BoxState(state);
    if (box == TieBoxFor(storedTies, connected)) return;
    const std::vector<DisplaySetup> ties = TiesAfterApply(storedTies, connected, box);
    if (ties.empty()) {
        configuration.Remove(kDisplaySetupsKey);
    } else {
        configuration.GetOrInsert(kDisplaySetupsKey) = SetupListText(ties);
    }
}
