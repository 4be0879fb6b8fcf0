#include "storage/ini_parse.h"

#include <utility>

#include "storage/ini_bytes.h"
#include "storage/ini_line.h"

namespace {

class IniParser {
  public:
    IniParser(IniDocument& document, std::vector<std::wstring>* retained) : document_(document), retained_(retained) {}

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

IniDocument ParseIniBytes(std::string_view bytes) {
    IniDocument document;
    IniParser parser(document, nullptr);
    ForEachIniLine(bytes, [&parser](std::wstring_view line) { parser.Add(line); });
    return document;
}

ParsedIniLines ParseIniLinesForRewrite(const std::vector<std::wstring>& lines) {
    ParsedIniLines parsed;
    IniParser parser(parsed.document, &parsed.retainedLines);
    for (const std::wstring& line : lines) parser.Add(line);
    return parsed;
}
