// Rule texts of any shape, cut anywhere, are read without a crash or a read past their end;
// a failed match leaves the window's record as it was and a successful one copies exactly
// the profile's settings.
// Input: the rule text, then the window's title, class, executable path and desktop name,
// separated by NUL bytes; each byte is one character.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/rule_match.h"
#include "tests/fuzz/same_record.h"

namespace {

std::vector<std::wstring> NulSeparatedParts(const uint8_t* data, size_t size) {
    std::vector<std::wstring> parts(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && parts.size() < 5) {
            parts.emplace_back();
        } else {
            parts.back().push_back(static_cast<wchar_t>(data[i]));
        }
    }
    parts.resize(5);
    return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::wstring> parts = NulSeparatedParts(data, size);

    WindowProfile window;
    window.title = parts[1];
    window.className = parts[2];
    window.exePath = parts[3];
    window.desktop = parts[4];
    window.zLevel = 3;

    WindowProfile profile;
    profile.rules = parts[0];
    profile.sectionName = L"Saved";
    profile.url = L"https://saved";
    profile.desktop = L"Saved desktop";
    profile.moveToDesktop = true;
    profile.superGlue = true;
    profile.corners = CornerStyle::Sharp;
    profile.zLevel = 9;

    WindowProfile record = window;
    if (MatchProfile(record, profile)) {
        if (profile.rules == L"Error") std::abort();
        WindowProfile expected = window;
        expected.sectionName = profile.sectionName;
        expected.url = profile.url;
        expected.rules = profile.rules;
        expected.moveToDesktop = profile.moveToDesktop;
        expected.desktop = profile.desktop;
        expected.launchWithQuickMenu = profile.launchWithQuickMenu;
        expected.superGlue = profile.superGlue;
        expected.corners = profile.corners;
        if (!SameRecord(record, expected)) std::abort();
    } else if (!SameRecord(record, window)) {
        std::abort();
    }

    // Every prefix of the text is a text cut in the middle; it must read just as safely.
    for (size_t length = 0; length < parts[0].size() && length < 64; ++length) {
        WindowProfile cut = window;
        profile.rules = parts[0].substr(0, length);
        MatchProfile(cut, profile);
    }

    for (const wchar_t* op : {L"match", L"contain", L"begin with", L"end with", L""}) {
        if (EvaluateCondition(parts[1], parts[2], true, op) == EvaluateCondition(parts[1], parts[2], false, op)) {
            std::abort();
        }
    }
    return 0;
}
