#include "engine/rule_match.h"

#include <string_view>

#include "engine/executable_name.h"

namespace {

enum class RuleField { WindowTitle, ExecutableName, ClassName, DesktopName };

// A left-to-right reader over a rule text. Field names and joiners are recognised by their
// first letter and then skipped by a fixed length without looking, so the position can run
// past the end of a short or cut text; every read checks it against the end first.
class RuleReader {
  public:
    explicit RuleReader(std::wstring_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    wchar_t Current() const { return AtEnd() ? L'\0' : text_[pos_]; }
    void Advance(size_t count) { pos_ += count; }

    void SkipSpaces() {
        while (!AtEnd() && text_[pos_] == L' ') ++pos_;
    }

    bool SkipWord(std::wstring_view word) {
        if (AtEnd() || text_.compare(pos_, word.size(), word) != 0) return false;
        pos_ += word.size();
        return true;
    }

    // The operator runs up to the character in front of the opening quote (the space the
    // editor writes there); the value lies between the quotes. False when a quote is missing.
    bool ReadOperatorAndValue(std::wstring_view* operatorText, std::wstring_view* value) {
        if (AtEnd()) return false;
        const size_t open = text_.find(L'"', pos_);
        if (open == std::wstring_view::npos) return false;
        const size_t close = text_.find(L'"', open + 1);
        if (close == std::wstring_view::npos) return false;
        const size_t operatorEnd = open > pos_ ? open - 1 : pos_;
        *operatorText = text_.substr(pos_, operatorEnd - pos_);
        *value = text_.substr(open + 1, close - open - 1);
        pos_ = close + 1;
        return true;
    }

  private:
    std::wstring_view text_;
    size_t pos_ = 0;
};

// The field names as the editor writes them. A field is recognised by its first letter alone
// and its name is then skipped by length, whatever the text actually says.
struct FieldName {
    std::wstring_view name;
    RuleField field;
};
constexpr FieldName kFieldNames[] = {
    {L"Window title", RuleField::WindowTitle},
    {L"Class name", RuleField::ClassName},
    {L"Desktop name", RuleField::DesktopName},
    {L"Executable name", RuleField::ExecutableName},
};

// The meaning of one condition, as it lies in the rule text: the views point into that text.
struct WindowRule {
    RuleField field = RuleField::WindowTitle;
    bool negated = false;
    std::wstring_view operatorText;
    std::wstring_view value;
};

// Reads one condition at the reader's position. False stops the evaluation: an unknown
// field letter or a missing quote.
bool ReadCondition(RuleReader& reader, WindowRule* rule) {
    const FieldName* fieldName = nullptr;
    for (const FieldName& candidate : kFieldNames) {
        if (candidate.name.front() == reader.Current()) fieldName = &candidate;
    }
    if (!fieldName) return false;
    rule->field = fieldName->field;
    reader.Advance(fieldName->name.size());
    reader.SkipSpaces();
    // Anything that is not "does not" is taken to be "does" without checking.
    rule->negated = reader.SkipWord(L"does not");
    if (!rule->negated) reader.Advance(4);
    reader.SkipSpaces();
    return reader.ReadOperatorAndValue(&rule->operatorText, &rule->value);
}

std::wstring_view FieldValueOf(const WindowProfile& record, RuleField field) {
    switch (field) {
        case RuleField::WindowTitle:
            return record.title;
        case RuleField::ExecutableName:
            return ExecutableNameIn(record.exePath);
        case RuleField::ClassName:
            return record.className;
        case RuleField::DesktopName:
            return record.desktop;
    }
    return {};
}

bool EvaluateRuleText(const WindowProfile& record, const std::wstring& rules) {
    RuleReader reader(rules);
    bool result = true;  // an empty or unreadable text holds for every window
    bool first = true;
    bool orMode = false;
    while (!reader.AtEnd()) {
        reader.SkipSpaces();
        if (reader.AtEnd()) break;
        WindowRule rule;
        if (!ReadCondition(reader, &rule)) break;
        const bool holds =
            EvaluateCondition(FieldValueOf(record, rule.field), rule.value, rule.negated, rule.operatorText);
        // No precedence: conditions fold strictly from left to right.
        if (first) {
            result = holds;
            first = false;
        } else {
            result = orMode ? (result || holds) : (result && holds);
        }
        reader.SkipSpaces();
        if (reader.AtEnd()) break;
        if (reader.Current() == L'O') {
            orMode = true;
            reader.Advance(2);  // "OR"
        } else if (reader.Current() == L'A') {
            orMode = false;
            reader.Advance(3);  // "AND"
        }
    }
    return result;
}

void CopyProfileSettings(WindowProfile& record, const WindowProfile& profile) {
    record.sectionName = profile.sectionName;
    record.url = profile.url;
    record.rules = profile.rules;
    record.moveToDesktop = profile.moveToDesktop;
    record.desktop = profile.desktop;
    record.launchWithQuickMenu = profile.launchWithQuickMenu;
    record.superGlue = profile.superGlue;
    record.corners = profile.corners;
}

bool StartsWith(std::wstring_view text, std::wstring_view head) {
    return text.size() >= head.size() && text.compare(0, head.size(), head) == 0;
}

bool EndsWith(std::wstring_view text, std::wstring_view tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool EvaluateCondition(std::wstring_view fieldValue, std::wstring_view expected, bool negated,
                       std::wstring_view operatorText) {
    bool holds = false;
    switch (operatorText.empty() ? L'\0' : operatorText[0]) {
        case L'm':
            holds = fieldValue == expected;
            break;
        case L'c':
            holds = fieldValue.find(expected) != std::wstring_view::npos;
            break;
        case L'b':
            holds = StartsWith(fieldValue, expected);
            break;
        case L'e':
            holds = EndsWith(fieldValue, expected);
            break;
        default:
            break;
    }
    return negated ? !holds : holds;
}

bool MatchProfile(WindowProfile& record, const WindowProfile& profile) {
    // "Error" is what an entry without a "Rules" key loads as; it never recognises a window.
    if (profile.rules == L"Error") return false;
    if (!EvaluateRuleText(record, profile.rules)) return false;
    CopyProfileSettings(record, profile);
    return true;
}
