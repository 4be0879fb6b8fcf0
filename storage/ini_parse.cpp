#include "storage/ini_parse.h"

#include <utility>

#include "storage/ini_line.h"

namespace {

void Parse(const std::vector<std::wstring>& lines, IniDocument& document, std::vector<std::wstring>* retained) {
    // The name, not a reference: inserting a later section may move the earlier ones.
    std::wstring current;
    bool inSection = false;
    for (const std::wstring& raw : lines) {
        IniLine line = ClassifyIniLine(raw);
        switch (line.kind) {
            case IniLineKind::Section:
                document.GetOrInsert(line.name);
                current = std::move(line.name);
                inSection = true;
                break;
            case IniLineKind::KeyValue:
                if (!inSection) continue;
                document.GetOrInsert(current).GetOrInsert(line.name) = std::move(line.value);
                break;
            case IniLineKind::Other:
                // Unknown lines neither end the section nor survive a rewrite.
                continue;
            case IniLineKind::Blank:
            case IniLineKind::Comment:
                break;
        }
        if (retained) retained->push_back(raw);
    }
}

}  // namespace

IniDocument ParseIniDocument(const std::vector<std::wstring>& lines) {
    IniDocument document;
    Parse(lines, document, nullptr);
    return document;
}

ParsedIniLines ParseIniLinesForRewrite(const std::vector<std::wstring>& lines) {
    ParsedIniLines parsed;
    Parse(lines, parsed.document, &parsed.retainedLines);
    return parsed;
}
