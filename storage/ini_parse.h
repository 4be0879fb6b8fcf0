#pragma once
// Building a document from the lines of a file.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/ini_document.h"

// Which keys a reader wants, by section and key as the document stores them (trimmed, "\="
// unescaped). Every section is kept, with or without its keys: a reader that needs a few
// values of a large file then holds only those.
using IniKeyFilter = std::function<bool(std::wstring_view section, std::wstring_view key)>;

struct ParsedIniLines {
    IniDocument document;
    // The raw lines a rewrite carries over: all but "Other" lines and key lines that come
    // before the first section header.
    std::vector<std::wstring> retainedLines;
};

IniDocument ParseIniDocument(const std::vector<std::wstring>& lines);
// Straight from the file's bytes, without keeping the lines; with a filter, only the keys it
// keeps.
IniDocument ParseIniBytes(std::string_view bytes, const IniKeyFilter& keep = {});
ParsedIniLines ParseIniLinesForRewrite(const std::vector<std::wstring>& lines);
