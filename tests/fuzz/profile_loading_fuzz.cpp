// Window entries from whole cluster files. Any bytes give a list of records without a crash,
// and what is read is consistent:
// - the file reads as the same document whether parsed straight from its bytes or from its
//   lines for a rewrite;
// - every section but "Configuration" is one entry, in file order;
// - each record comes from its own section alone: read from a document holding only that
//   section it is the same;
// - the numbers read are those written back: storing a record's position, size and level
//   in the form the program writes them reads as the same record;
// - a section added at the end of the file changes none of the records before it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "storage/ini_bytes.h"
#include "storage/ini_parse.h"
#include "storage/profile_reading.h"
#include "tests/fuzz/same_record.h"

namespace {

void Require(bool condition, const char* property) {
    if (condition) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

bool SameDocument(const IniDocument& a, const IniDocument& b) {
    if (a.size() != b.size()) return false;
    for (auto left = a.begin(), right = b.begin(); left != a.end(); ++left, ++right) {
        if (left->first != right->first || left->second.size() != right->second.size()) return false;
        for (auto key = left->second.begin(), other = right->second.begin(); key != left->second.end();
             ++key, ++other) {
            if (*key != *other) return false;
        }
    }
    return true;
}

using Records = std::vector<std::optional<WindowProfile>>;

Records ReadEntries(const IniDocument& document) {
    Records records;
    for (const std::wstring& name : WindowEntryNames(document)) records.push_back(ReadWindowProfile(document, name));
    return records;
}

bool SameRecords(const Records& a, const Records& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].has_value() != b[i].has_value() || (a[i] && !SameRecord(*a[i], *b[i]))) return false;
    }
    return true;
}

void CheckEntryNames(const IniDocument& document) {
    const std::vector<std::wstring> names = WindowEntryNames(document);
    auto name = names.begin();
    for (const auto& section : document) {
        if (section.first == L"Configuration") continue;
        Require(name != names.end() && *name == section.first, "every other section is an entry, in order");
        ++name;
    }
    Require(name == names.end(), "no entry without its section");
}

void CheckRecord(const IniDocument& document, const std::wstring& name, const std::optional<WindowProfile>& record) {
    IniDocument alone;
    alone.GetOrInsert(name) = *document.Find(name);
    const std::optional<WindowProfile> fromItsSection = ReadWindowProfile(alone, name);
    Require(fromItsSection.has_value() == record.has_value() && (!record || SameRecord(*record, *fromItsSection)),
            "a record comes from its own section");
    if (!record) return;
    Require(record->sectionName == name, "a record carries its section's name");

    const auto pair = [](int32_t a, int32_t b) { return std::to_wstring(a) + L" " + std::to_wstring(b); };
    IniSection& section = alone.GetOrInsert(name);
    section.GetOrInsert(L"Position") = pair(record->position.x, record->position.y);
    section.GetOrInsert(L"Size") = pair(record->size.width, record->size.height);
    section.GetOrInsert(L"Z-Level") = std::to_wstring(record->zLevel);
    const std::optional<WindowProfile> rewritten = ReadWindowProfile(alone, name);
    Require(rewritten && SameRecord(*record, *rewritten), "numbers read back as they are written");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const IniDocument document = ParseIniBytes(bytes);
    Require(SameDocument(document, ParseIniLinesForRewrite(SplitIniBytes(bytes)).document),
            "reading for a rewrite reads alike");

    CheckEntryNames(document);
    const Records records = ReadEntries(document);
    const std::vector<std::wstring> names = WindowEntryNames(document);
    for (size_t i = 0; i < names.size(); ++i) CheckRecord(document, names[i], records[i]);

    const std::wstring added = L"\u00A7 added at the end";
    if (!document.Has(added)) {
        Records before = ReadEntries(ParseIniBytes(bytes + "\n[\xC2\xA7 added at the end]\nPosition=1 2\nSize=3 4"));
        Require(before.size() == records.size() + 1 && before.back().has_value(), "the added section is an entry");
        before.pop_back();
        Require(SameRecords(before, records), "a section added at the end changes no earlier record");
    }
    return 0;
}
