#include "storage/ini_parse.h"

#include <utility>

#include "storage/ini_bytes.h"
#include "storage/ini_line.h"
#include "storage/utf8_text.h"

namespace {

std::string_view TrimIniBytes(std::string_view bytes) {
    const auto isBlank = [](char c) { return c > 0 && IsIniWhitespace(static_cast<wchar_t>(c)); };
    while (!bytes.empty() && isBlank(bytes.front())) bytes.remove_prefix(1);
    while (!bytes.empty() && isBlank(bytes.back())) bytes.remove_suffix(1);
    return bytes;
}

class IniParser {
  public:
    IniParser(IniDocument& document, std::vector<std::wstring>* retained, const IniKeyFilter* keep = nullptr)
        : document_(document), retained_(retained), keep_(keep) {}

    // True for a line that cannot change the document, told from its bytes without decoding
    // it: only section headers and the lines of kept keys can. The line rules look only at
    // ASCII characters, and UTF-8 never uses an ASCII byte inside a longer character.
    bool CannotChange(std::string_view bytes) const {
        if (!keep_ || !*keep_) return false;
        const std::string_view text = TrimIniBytes(bytes);
        if (text.empty() || text.front() == ';') return true;
        if (text.front() == '[') return false;
        // A key line before any section is ignored; a line that does not decode is blank.
        if (!inSection_) return true;
        const size_t separator = FindIniKeySeparator(text);
        if (separator == std::string_view::npos) return true;
        std::wstring key;
        if (!Utf8ToWide(text.substr(0, separator), key)) return true;
        return !(*keep_)(current_, TrimIniText(UnescapeIniKey(TrimIniText(key))));
    }

    void Add(std::wstring_view raw) {
        IniLine line = ClassifyIniLine(raw);
        switch (line.kind) {
            case IniLineKind::Section:
                document_.GetOrInsert(line.name);
                current_ = std::move(line.name);
                inSection_ = true;
                break;
            case IniLineKind::KeyValue:
                if (!inSection_) return;
                if (keep_ && *keep_ && !(*keep_)(current_, TrimIniText(line.name))) break;
                document_.GetOrInsert(current_).GetOrInsert(line.name) = std::move(line.value);
                break;
            case IniLineKind::Other:
                // Unknown lines neither end the section nor survive a rewrite.
                return;
            case IniLineKind::Blank:
            case IniLineKind::Comment:
                break;
        }
        if (retained_) retained_->emplace_back(raw);
    }

  private:
    IniDocument& document_;
    std::vector<std::wstring>* retained_;
    const IniKeyFilter* keep_;
    // The name, not a reference: inserting a later section may move the earlier ones.
    std::wstring current_;
    bool inSection_ = false;
};

}  // namespace

IniDocument ParseIniDocument(const std::vector<std::wstring>& lines) {
    IniDocument document;
    IniParser parser(document, nullptr);
    for (const std::wstring& line : lines) parser.Add(line);
    return document;
}

IniDocument ParseIniBytes(std::string_view bytes, const IniKeyFilter& keep) {
    IniDocument document;
    IniParser parser(document, nullptr, &keep);
    std::wstring text;
    ForEachIniByteLine(bytes, [&](std::string_view line) {
        if (parser.CannotChange(line)) return;
        if (!Utf8ToWide(line, text)) text.clear();
        parser.Add(text);
    });
    return document;
}

ParsedIniLines ParseIniLinesForRewrite(const std::vector<std::wstring>& lines) {
    ParsedIniLines parsed;
    IniParser parser(parsed.document, &parsed.retainedLines);
    for (const std::wstring& line : lines) parser.Add(line);
    return parsed;
}
