// Rewriting INI files. On any input: no crash, hang or sanitizer report, and a rewrite that
// changes nothing keeps the document as it was read. For changes the format can represent
// (see the Representable functions), reading the rewritten file gives back the changed
// document, and writing the same document again gives the same bytes.
//
// Input layout: the file's bytes come first; the changes are drawn from the remaining
// bytes (FuzzedDataProvider takes numbers from the end).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "storage/ini_bytes.h"
#include "storage/ini_document.h"
#include "storage/ini_line.h"
#include "storage/ini_merge.h"
#include "storage/ini_parse.h"

namespace {

void Require(bool condition, const char* property) {
    if (condition) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

ParsedIniLines Read(const std::string& bytes) {
    return ParseIniLinesForRewrite(SplitIniBytes(bytes));
}

std::string Rewrite(const ParsedIniLines& onDisk, const IniDocument& document) {
    return JoinIniLines(MergeIniLines(onDisk.retainedLines, onDisk.document, document));
}

using Keys = std::vector<std::pair<std::wstring, std::wstring>>;
using Content = std::vector<std::pair<std::wstring, Keys>>;

Content ContentOf(const IniDocument& document, bool keyOrderMatters) {
    Content content;
    for (const auto& [name, section] : document) {
        Keys keys(section.begin(), section.end());
        if (!keyOrderMatters) {
            const std::map<std::wstring, std::wstring> sorted(keys.begin(), keys.end());
            keys.assign(sorted.begin(), sorted.end());
        }
        content.emplace_back(name, std::move(keys));
    }
    return content;
}

bool SameContent(const IniDocument& a, const IniDocument& b, bool keyOrderMatters) {
    return ContentOf(a, keyOrderMatters) == ContentOf(b, keyOrderMatters);
}

// Names and values are built from characters that matter to the format.
const wchar_t kAlphabet[] = {L'a',
                             L'b',
                             L'K',
                             L' ',
                             L'\t',
                             L'=',
                             L'\\',
                             L';',
                             L'[',
                             L']',
                             L'\r',
                             L'\n',
                             L'\0',
                             L'#',
                             L'\u00E9',
                             L'\u4E2D',
                             static_cast<wchar_t>(0x1F600)};

std::wstring FuzzText(FuzzedDataProvider& input) {
    std::wstring text(input.ConsumeIntegralInRange<size_t>(0, 12), L'a');
    for (wchar_t& c : text) c = kAlphabet[input.ConsumeIntegralInRange<size_t>(0, std::size(kAlphabet) - 1)];
    return text;
}

// A header line "[name]" is recognised as long as no ";" cuts it short and no line feed
// splits it.
// The writer turns CR, LF and NUL into spaces; names holding them are left to the unit tables.
bool HoldsLineBreakOrNul(const std::wstring& text) {
    return text.find_first_of(std::wstring(L"\r\n\0", 3)) != std::wstring::npos;
}

bool RepresentableSection(const std::wstring& name) {
    return name.find(L';') == std::wstring::npos && !HoldsLineBreakOrNul(name);
}

// A key line "key=value" must not read as a comment or header, and a trailing "\" would
// escape the separator.
bool RepresentableKey(const std::wstring& key) {
    if (HoldsLineBreakOrNul(key)) return false;
    return key.empty() || (key.front() != L';' && key.front() != L'[' && key.back() != L'\\');
}

// Values are stored trimmed and on one line; after a key that starts with "[" (read from a
// file) a ";" or "]" would turn the line into something else.
std::wstring RepresentableValue(std::wstring value, const std::wstring& key) {
    std::wstring kept;
    for (wchar_t c : value) {
        const bool cuts = !key.empty() && key.front() == L'[' && (c == L';' || c == L']');
        if (!cuts) kept.push_back(c == L'\n' || c == L'\r' || c == L'\0' ? L' ' : c);
    }
    return std::wstring(TrimIniText(kept));
}

template <typename Map>
std::wstring PickName(FuzzedDataProvider& input, const Map& map) {
    if (map.size() > 0 && input.ConsumeBool()) {
        auto it = map.begin();
        std::advance(it, input.ConsumeIntegralInRange<size_t>(0, map.size() - 1));
        return it->first;
    }
    return std::wstring(TrimIniText(FuzzText(input)));
}

// Applies up to eight changes. A name that was removed is not added again: the document
// would then order it last while the file keeps its old place.
void ApplyChanges(FuzzedDataProvider& input, IniDocument& document) {
    std::set<std::wstring> removedSections;
    std::set<std::pair<std::wstring, std::wstring>> removedKeys;
    for (int step = input.ConsumeIntegralInRange(0, 8); step > 0; --step) {
        const std::wstring section = PickName(input, document);
        switch (input.ConsumeIntegralInRange(0, 2)) {
            case 0: {
                if (!RepresentableSection(section) || removedSections.count(section)) break;
                const IniSection* existing = document.Find(section);
                const std::wstring key =
                    existing ? PickName(input, *existing) : std::wstring(TrimIniText(FuzzText(input)));
                const bool known = existing && existing->Has(key);
                if ((!known && !RepresentableKey(key)) || removedKeys.count({section, key})) break;
                document.GetOrInsert(section).GetOrInsert(key) = RepresentableValue(FuzzText(input), key);
                break;
            }
            case 1:
                if (document.Remove(section)) removedSections.insert(section);
                break;
            case 2:
                if (const IniSection* existing = document.Find(section)) {
                    const std::wstring key = PickName(input, *existing);
                    if (document.GetOrInsert(section).Remove(key)) removedKeys.insert({section, key});
                }
                break;
        }
    }
}

size_t CountHeaders(const std::vector<std::wstring>& lines) {
    size_t headers = 0;
    for (const std::wstring& line : lines) headers += ClassifyIniLine(line).kind == IniLineKind::Section;
    return headers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string file = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<size_t>(0, size));
    const ParsedIniLines onDisk = Read(file);

    // Unchanged: the rewritten file reads as the same document.
    const std::string unchanged = Rewrite(onDisk, onDisk.document);
    Require(SameContent(Read(unchanged).document, onDisk.document, true), "an unchanged rewrite keeps the document");

    // A reader that keeps only some keys, and so skips other lines undecoded, sees every
    // section and exactly the kept keys with their values.
    const auto keep = [](std::wstring_view section, std::wstring_view key) {
        return (section.size() + key.size()) % 2 == 0;
    };
    IniDocument kept;
    for (const auto& [name, section] : onDisk.document) {
        IniSection& keys = kept.GetOrInsert(name);
        for (const auto& [key, value] : section) {
            if (keep(name, key)) keys.GetOrInsert(key) = value;
        }
    }
    Require(SameContent(ParseIniBytes(file, keep), kept, true), "a filtered read keeps exactly the kept keys");

    // Changed: the file reads as the changed document. New keys of a section with several
    // headers go to the end of each block, so only then may the key order differ.
    IniDocument document = onDisk.document;
    ApplyChanges(input, document);
    const std::string written = Rewrite(onDisk, document);
    const ParsedIniLines reread = Read(written);
    const bool singleBlocks = CountHeaders(onDisk.retainedLines) == onDisk.document.size();
    Require(SameContent(reread.document, document, singleBlocks), "the rewritten file reads as the document");

    // Writing it again changes nothing, unless the file ends in an empty line or in a
    // carriage return carried over from the input: reading takes the first for a final line
    // break and drops the second as at every line end, so each rewrite sheds one of them.
    const bool endsClean = written.empty() || (written.back() != '\n' && written.back() != '\r');
    if (endsClean) Require(Rewrite(reread, document) == written, "a second write gives the same bytes");
    return 0;
}
