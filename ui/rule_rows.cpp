#include "ui/rule_rows.h"

#include "engine/executable_name.h"

namespace {

// A reading position in a rule text. Words are taken exactly as the editor writes them.
class RuleCursor {
  public:
    explicit RuleCursor(std::wstring_view text) : text_(text) {}

    void SkipSpaces() {
        while (position_ < text_.size() && text_[position_] == L' ') ++position_;
    }

    // "AND" or "OR" here, taken into joiner.
    bool TakeJoiner(std::wstring& joiner) {
        SkipSpaces();
        for (const std::wstring_view word : {L"AND", L"OR"}) {
            if (text_.substr(position_, word.size()) == word) {
                position_ += word.size();
                joiner = word;
                return true;
            }
        }
        return false;
    }

    // The index of the longest word of the list found here ("does not" rather than "does"),
    // taken; the default 0, with nothing taken, when none is.
    template <size_t N>
    size_t TakeOneOf(const std::array<const wchar_t*, N>& words) {
        SkipSpaces();
        size_t found = 0;
        size_t length = 0;
        for (size_t i = 0; i < N; ++i) {
            const std::wstring_view word = words[i];
            if (word.size() > length && text_.substr(position_, word.size()) == word) {
                found = i;
                length = word.size();
            }
        }
        position_ += length;
        return found;
    }

    // The text between a double quote here and the next one; nothing taken without both.
    std::wstring TakeQuoted() {
        SkipSpaces();
        if (position_ >= text_.size() || text_[position_] != L'"') return {};
        const size_t closing = text_.find(L'"', position_ + 1);
        if (closing == std::wstring_view::npos) return {};
        std::wstring value(text_.substr(position_ + 1, closing - position_ - 1));
        position_ = closing + 1;
        return value;
    }

  private:
    std::wstring_view text_;
    size_t position_ = 0;
};

std::wstring FirstWord(const std::wstring& title) {
    return title.substr(0, title.find(L' '));
}

// After the last space; the whole title when it has none.
std::wstring LastWord(const std::wstring& title) {
    const size_t space = title.rfind(L' ');
    return space == std::wstring::npos ? title : title.substr(space + 1);
}

}  // namespace

std::vector<RuleRow> RuleRowsOf(std::wstring_view ruleText, size_t maxRows) {
    RuleCursor cursor(ruleText);
    std::vector<RuleRow> rows;
    while (true) {
        RuleRow row;
        row.field = cursor.TakeOneOf(kRuleFields);
        row.negation = cursor.TakeOneOf(kRuleNegations);
        row.comparison = cursor.TakeOneOf(kRuleComparisons);
        row.value = cursor.TakeQuoted();
        const bool last = rows.size() + 1 >= maxRows || !cursor.TakeJoiner(row.joiner);
        rows.push_back(std::move(row));
        if (last) return rows;
    }
}

std::wstring SuggestedRuleValue(size_t field, size_t comparison, const WindowProfile& record) {
    switch (field) {
        case kExecutableField:
            return ExecutableNameOf(record.exePath);
        case kClassField:
            return record.className;
        case kDesktopField:
            return record.desktop;
        default:
            break;
    }
    if (comparison == kBeginComparison) return FirstWord(record.title);
    return comparison == kEndComparison ? LastWord(record.title) : record.title;
}
