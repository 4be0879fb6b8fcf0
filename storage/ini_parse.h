#pragma once
// Building a document from the lines of a file.
#include <string>
#include <string_view>
#include <vector>

#include "storage/ini_document.h"

struct ParsedIniLines {
    IniDocument document;
    // The raw lines a rewrite carries over: all but "Other" lines and key lines that come
    // before the first section header.
    std::vector<std::wstring> retainedLines;
};

IniDocument ParseIniDocument(const std::vector<std::wstring>& lines);
// Straight from the file's bytes, without keeping the lines.
IniDocument ParseIniBytes(std::string_view bytes);
ParsedIniLines ParseIniLinesForRewrite(const std::vector<std::wstring>& lines);
