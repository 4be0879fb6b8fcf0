// Display setups: which are the same monitors, how they are stored and described, and which
// tied clusters a new setup turns on and off.
#include <gtest/gtest.h>

#include "engine/display_ties.h"

namespace {

const std::wstring kPathA = L"\\\\?\\DISPLAY#DEL4107#5&2a2ed8b&0&UID4352#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";
const std::wstring kPathB = L"\\\\?\\DISPLAY#Default_Monitor#0001&0000#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";

DisplayMonitor Dell(int32_t left, int32_t width = 2560, int32_t height = 1440, std::wstring path = kPathA) {
    return {true, 0x10AC, 0xA0C4, std::move(path), {left, 0, left + width, height}};
}
DisplayMonitor NoIds(int32_t left, int32_t width, int32_t height, std::wstring path = kPathB) {
    return {false, 0, 0, std::move(path), {left, 0, left + width, height}};
}

const DisplaySetup kOffice = {Dell(0), NoIds(2560, 1920, 1080)};
const DisplaySetup kLaptop = {NoIds(0, 1920, 1080, L"")};

struct CompareCase {
    const char* what;
    DisplaySetup a, b;
    SetupMatch match;
};

const CompareCase kCompareCases[] = {
    {"the same monitors in the same places", kOffice, kOffice, SetupMatch::Same},
    {"listed in another order", kOffice, {NoIds(2560, 1920, 1080), Dell(0)}, SetupMatch::Same},
    {"the second monitor moved left", kOffice, {Dell(1920), NoIds(0, 1920, 1080)}, SetupMatch::OtherArrangement},
    {"a monitor with ids at another resolution",
     kOffice,
     {Dell(0, 1920, 1080), NoIds(1920, 1920, 1080)},
     SetupMatch::OtherArrangement},
    {"a monitor without ids at another resolution", kOffice, {Dell(0), NoIds(2560, 1280, 1024)}, SetupMatch::Different},
    {"the same model on another connector",
     kOffice,
     {Dell(0, 2560, 1440, kPathB), NoIds(2560, 1920, 1080)},
     SetupMatch::Different},
    {"one monitor unplugged", kOffice, {Dell(0)}, SetupMatch::Different},
    {"geometry alone, same size", kLaptop, {NoIds(100, 1920, 1080, L"")}, SetupMatch::OtherArrangement},
    {"geometry alone, other size", kLaptop, {NoIds(0, 1366, 768, L"")}, SetupMatch::Different},
    {"no monitor against one", {}, kLaptop, SetupMatch::Different},
};

TEST(DisplaySetup, SetupsAreTheSameWhenTheSameMonitorsAreConnected) {
    for (const CompareCase& c : kCompareCases) EXPECT_EQ(CompareSetups(c.a, c.b), c.match) << c.what;
}

TEST(DisplaySetup, StoredSetupsReadBackAsTheSameSetups) {
    const std::vector<DisplaySetup> stored = {kOffice, kLaptop, {NoIds(-1280, 1280, 800, L"odd;path|with %")}};
    const std::wstring text = SetupListText(stored);
    EXPECT_EQ(text.find_first_of(L"\r\n"), std::wstring::npos);
    const std::vector<DisplaySetup> read = ParseSetupList(text);
    ASSERT_EQ(read.size(), stored.size()) << text;
    for (size_t i = 0; i < stored.size(); ++i) EXPECT_EQ(CompareSetups(read[i], stored[i]), SetupMatch::Same) << i;
}

TEST(DisplaySetup, UnreadableSetupsAreLeftOut) {
    const wchar_t* const unreadable[] = {
        L"",
        L"1920x1080@0,0 -",
        L"1920x1080 - -",
        L"0x1080@0,0 - -",
        L"1920x1080@0,0 10AC - -",
        L"1920x1080@0,0 - %4",
        L"axb@0,0 - -",
        L"1920x1080@0,99999999999 - -",
    };
    for (const wchar_t* text : unreadable) EXPECT_TRUE(ParseSetupList(text).empty()) << text;
    EXPECT_EQ(ParseSetupList(L"1920x1080@0,0 - - | nonsense").size(), 1u);
}

TEST(DisplaySetup, ATieIsDescribedWithItsMonitorsAndWhetherItIsConnected) {
    const DisplaySetup rearranged = {Dell(1920), NoIds(0, 1920, 1080)};
    EXPECT_EQ(DescribeTies({kOffice}, kOffice), L"2 monitors: 2560\u00D71440, 1920\u00D71080\nconnected now");
    EXPECT_EQ(DescribeTies({kOffice}, rearranged),
              L"2 monitors: 2560\u00D71440, 1920\u00D71080\nconnected now, arranged otherwise");
    EXPECT_EQ(DescribeTies({kOffice, kLaptop}, kLaptop), L"1 monitor: 1920\u00D71080\nconnected now; 1 more setup");
    EXPECT_EQ(DescribeTies({kLaptop}, kOffice), L"1 monitor: 1920\u00D71080\nnot connected now");
    EXPECT_EQ(DescribeTies({}, kOffice), L"");
}

struct TieCase {
    const char* what;
    std::optional<DisplaySetup> previous;
    DisplaySetup connected;
    std::set<std::wstring> activate, deactivate;
};

const TieCase kTieCases[] = {
    {"docked", kLaptop, kOffice, {L"Office", L"Both"}, {L"Mobile"}},
    {"undocked", kOffice, kLaptop, {L"Mobile", L"Both"}, {L"Office"}},
    {"start-up at the office", std::nullopt, kOffice, {L"Office", L"Both"}, {L"Mobile"}},
    {"the same monitors rearranged", kOffice, {Dell(1920), NoIds(0, 1920, 1080)}, {}, {}},
    {"every monitor gone for a moment", kOffice, {}, {}, {}},
    {"a setup no cluster knows, after the laptop", kLaptop, {Dell(0)}, {}, {L"Mobile", L"Both"}},
};

TEST(DisplaySetup, TiedClustersFollowTheConnectedSetupAndUntiedOnesKeepTheirState) {
    const std::vector<ClusterTies> clusters = {
        {L"Office", {kOffice}}, {L"Mobile", {kLaptop}}, {L"Both", {kLaptop, kOffice}}, {L"Untied", {}}};
    for (const TieCase& c : kTieCases) {
        const ActivationChange change = ActivationForSetup(clusters, c.previous, c.connected);
        EXPECT_EQ(change.activate, c.activate) << c.what;
        EXPECT_EQ(change.deactivate, c.deactivate) << c.what;
    }
}

TEST(DisplaySetup, TheCheckBoxAddsTheConnectedSetupAndUncheckingUntiesEverySetup) {
    EXPECT_EQ(TieBoxFor({}, kOffice), TieBox::Unchecked);
    EXPECT_EQ(TieBoxFor({kLaptop}, kOffice), TieBox::OtherSetupsOnly);
    EXPECT_EQ(TieBoxFor({kLaptop, kOffice}, kOffice), TieBox::Checked);
    EXPECT_EQ(TiesAfterApply({kLaptop}, kOffice, TieBox::Checked).size(), 2u);
    EXPECT_EQ(TiesAfterApply({kOffice}, kOffice, TieBox::Checked).size(), 1u);
    EXPECT_EQ(TiesAfterApply({kLaptop}, kOffice, TieBox::OtherSetupsOnly).size(), 1u);
    EXPECT_TRUE(TiesAfterApply({kLaptop, kOffice}, kOffice, TieBox::Unchecked).empty());
}

}  // namespace
