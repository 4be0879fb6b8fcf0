#pragma once
// The rewrite of an INI file: the lines kept from the file on disk are merged with the
// changed document, so untouched lines stay byte for byte, changed values are patched in
// place, new keys go to the end of their section and new sections to the end of the file.
#include <string>
#include <vector>

#include "storage/ini_document.h"

// onDisk is the document read from retainedLines; document is what the file must now hold.
std::vector<std::wstring> MergeIniLines(const std::vector<std::wstring>& retainedLines, const IniDocument& onDisk,
                                        const IniDocument& document);
