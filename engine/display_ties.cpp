#include "engine/display_ties.h"

#include <algorithm>

namespace {

bool AnyHasSameMonitors(const std::vector<DisplaySetup>& setups, const DisplaySetup& setup) {
    return std::any_of(setups.begin(), setups.end(),
                       [&setup](const DisplaySetup& tied) { return HasSameMonitors(tied, setup); });
}

}  // namespace

ActivationChange ActivationForSetup(const std::vector<ClusterTies>& clusters,
                                    const std::optional<DisplaySetup>& previous, const DisplaySetup& connected) {
    ActivationChange change;
    if (!IsNewSetup(previous, connected)) return change;
    for (const ClusterTies& tied : clusters) {
        if (tied.setups.empty()) continue;
        if (AnyHasSameMonitors(tied.setups, connected)) {
            change.activate.insert(tied.cluster);
        } else if (!previous || AnyHasSameMonitors(tied.setups, *previous)) {
            change.deactivate.insert(tied.cluster);
        }
    }
    return change;
}

// A setup with no monitor (all of them asleep or unplugged for a moment) decides nothing:
// the clusters stay as they are until monitors are back. Another arrangement of the same
// monitors is no change of setup, so the user's own toggles since then stand.
bool IsNewSetup(const std::optional<DisplaySetup>& previous, const DisplaySetup& connected) {
    return !connected.empty() && !(previous && HasSameMonitors(*previous, connected));
}

TieBox TieBoxFor(const std::vector<DisplaySetup>& ties, const DisplaySetup& connected) {
    if (ties.empty()) return TieBox::Unchecked;
    return AnyHasSameMonitors(ties, connected) ? TieBox::Checked : TieBox::OtherSetupsOnly;
}

std::vector<DisplaySetup> TiesAfterApply(std::vector<DisplaySetup> ties, const DisplaySetup& connected, TieBox box) {
    if (box == TieBox::Unchecked) return {};
    if (box == TieBox::Checked && !connected.empty() && !AnyHasSameMonitors(ties, connected)) {
        ties.push_back(connected);
    }
    return ties;
}

std::wstring DescribeTies(const std::vector<DisplaySetup>& ties, const DisplaySetup& connected) {
    if (ties.empty()) return L"";
    const auto match = std::find_if(
        ties.begin(), ties.end(), [&connected](const DisplaySetup& tied) { return HasSameMonitors(tied, connected); });
    const DisplaySetup& shown = match == ties.end() ? ties.front() : *match;
    std::wstring text = DescribeSetup(shown) + L"\n";
    if (match == ties.end()) {
        text += L"not connected now";
    } else {
        const bool sameArrangement = CompareSetups(shown, connected) == SetupMatch::Same;
        text += sameArrangement ? L"connected now" : L"connected now, arranged otherwise";
    }
    const size_t others = ties.size() - 1;
    if (others == 1) text += L"; 1 more setup";
    if (others > 1) text += L"; " + std::to_wstring(others) + L" more setups";
    return text;
}
