#include "ui/capture_rules.h"

#include <algorithm>

#include "engine/executable_name.h"
#include "engine/rule_match.h"
#include "ui/inspector_text.h"

namespace {

// Characters a rule's value cannot hold: a quote would end it, a line break the file's line.
constexpr std::wstring_view kUnquotable = L"\"\r\n";
// What separates a document's name from the program's in a title, and words from each other.
constexpr std::wstring_view kSeparatorCharacters = L" -|:\u2013\u2014\u00b7";

std::wstring Condition(const wchar_t* field, const wchar_t* comparison, const std::wstring& value) {
    return std::wstring(field) + L" does " + comparison + L" \"" + value + L"\"";
}

bool Holds(const std::wstring& rule, const WindowProfile& window) {
    WindowProfile candidate = window;
    WindowProfile entry;
    entry.rules = rule;
    return MatchProfile(candidate, entry);
}

// True when the rule holds for window `own` of the list and for none of the others (nor of
// `avoided`).
bool TellsApart(const std::wstring& rule, const std::vector<WindowProfile>& windows, size_t own,
                const std::vector<WindowProfile>& avoided) {
    if (!Holds(rule, windows[own])) return false;
    for (size_t i = 0; i < windows.size(); ++i) {
        if (i != own && Holds(rule, windows[i])) return false;
    }
    return std::none_of(avoided.begin(), avoided.end(), [&](const WindowProfile& w) { return Holds(rule, w); });
}

// In the order of preference; each is checked before it is taken, so a value the rule cannot
// carry simply fails.
std::vector<std::wstring> Candidates(const WindowProfile& window) {
    const std::wstring program = Condition(L"Executable name", L"match", ExecutableNameOf(window.exePath));
    std::vector<std::wstring> candidates = {program,
                                            program + L" AND " + Condition(L"Class name", L"match", window.className)};
    for (const std::wstring& beginning : TitleBeginnings(window.title)) {
        candidates.push_back(program + L" AND " + Condition(L"Window title", L"begin with", beginning));
    }
    candidates.push_back(program + L" AND " + TitleRuleText(window.title));
    return candidates;
}

std::wstring ChooseRule(const std::vector<WindowProfile>& windows, size_t own,
                        const std::vector<WindowProfile>& others) {
    const std::vector<std::wstring> candidates = Candidates(windows[own]);
    for (const std::vector<WindowProfile>& avoided : {others, std::vector<WindowProfile>{}}) {
        for (const std::wstring& rule : candidates) {
            if (TellsApart(rule, windows, own, avoided)) return rule;
        }
    }
    return {};
}

}  // namespace

std::vector<std::wstring> TitleBeginnings(const std::wstring& title) {
    const std::wstring quotable = title.substr(0, title.find_first_of(kUnquotable));
    std::vector<std::wstring> beginnings;
    for (size_t space = quotable.find(L' '); space != std::wstring::npos; space = quotable.find(L' ', space + 1)) {
        const size_t end = quotable.find_last_not_of(kSeparatorCharacters, space);
        if (end == std::wstring::npos) continue;
        std::wstring beginning = quotable.substr(0, end + 1);
        if (beginning.size() < title.size() && (beginnings.empty() || beginnings.back() != beginning)) {
            beginnings.push_back(std::move(beginning));
        }
    }
    return beginnings;
}

std::vector<std::wstring> ChooseCaptureRules(const std::vector<WindowProfile>& windows,
                                             const std::vector<WindowProfile>& others) {
    // The windows that get an entry, and those left out (still to be kept clear of).
    std::vector<WindowProfile> kept;
    std::vector<size_t> keptIndex(windows.size(), windows.size());
    std::vector<WindowProfile> avoided = others;
    for (size_t i = 0; i < windows.size(); ++i) {
        const bool titleTaken =
            std::any_of(kept.begin(), kept.end(), [&](const WindowProfile& k) { return k.title == windows[i].title; });
        if (titleTaken) {
            avoided.push_back(windows[i]);
        } else {
            keptIndex[i] = kept.size();
            kept.push_back(windows[i]);
        }
    }
    std::vector<std::wstring> rules(windows.size());
    for (size_t i = 0; i < windows.size(); ++i) {
        if (keptIndex[i] < kept.size()) rules[i] = ChooseRule(kept, keptIndex[i], avoided);
    }
    return rules;
}
