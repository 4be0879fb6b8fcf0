#include "storage/ini_line.h"

#include "storage/ini_document.h"

namespace {

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
    if (text.find(from) == std::wstring_view::npos) return std::wstring(text);
    std::wstring result;
    result.reserve(text.size());
    size_t start = 0;
    for (size_t hit = text.find(from); hit != std::wstring_view::npos; hit = text.find(from, start)) {
        result.append(text.substr(start, hit - start)).append(to);
        start = hit + from.size();
    }
    result.append(text.substr(start));
    return result;
}

}  // namespace

std::wstring UnescapeIniKey(std::wstring_view key) {
    return ReplaceAll(key, L"\\=", L"=");
}

std::wstring EscapeIniKey(std::wstring_view key) {
    return ReplaceAll(key, L"=", L"\\=");
}

std::wstring OneLineIniText(std::wstring_view text) {
    std::wstring line(text);
    for (wchar_t& c : line) {
        if (c == L'\r' || c == L'\n' || c == L'\0') c = L' ';
    }
    return line;
}

IniLine ClassifyIniLine(std::wstring_view raw) {
    IniLine line;
    std::wstring_view text = TrimIniText(raw);
    if (text.empty()) return line;
    if (text.front() == L';') {
        line.kind = IniLineKind::Comment;
        return line;
    }
    if (text.front() == L'[') {
        // A ";" ends a header line; without a closing "]" before it the line is read as a key.
        text = text.substr(0, text.find(L';'));
        const size_t close = text.rfind(L']');
        if (close != std::wstring_view::npos) {
            line.kind = IniLineKind::Section;
            line.name = std::wstring(TrimIniText(text.substr(1, close - 1)));
            return line;
        }
    }
    const size_t separator = FindIniKeySeparator(text);
    if (separator == std::wstring_view::npos) {
        line.kind = IniLineKind::Other;
        return line;
    }
    line.kind = IniLineKind::KeyValue;
    line.name = UnescapeIniKey(TrimIniText(text.substr(0, separator)));
    line.value = std::wstring(TrimIniText(text.substr(separator + 1)));
    return line;
}
