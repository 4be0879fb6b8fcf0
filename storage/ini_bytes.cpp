#include "storage/ini_bytes.h"

#include <optional>
#include <string>

#include "storage/utf8_text.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void ForEachIniByteLine(std::string_view bytes, const std::function<void(std::string_view)>& onLine) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    while (!bytes.empty()) {
        const size_t feed = bytes.find('\n');
        std::string_view line = bytes.substr(0, feed);
        bytes.remove_prefix(feed == std::string_view::npos ? bytes.size() : feed + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        onLine(line);
    }
}

void ForEachIniLine(std::string_view bytes, const std::function<void(std::wstring_view)>& onLine) {
    std::wstring text;
    ForEachIniByteLine(bytes, [&](std::string_view line) {
        if (!Utf8ToWide(line, text)) text.clear();
        onLine(text);
    });
}

std::vector<std::wstring> SplitIniBytes(std::string_view bytes) {
    std::vector<std::wstring> lines;
    ForEachIniLine(bytes, [&lines](std::wstring_view line) { lines.emplace_back(line); });
    return lines;
}

// Line feeds and carriage returns are single bytes that never occur inside a UTF-8
// sequence, so the whole text decodes exactly when each of its lines does.
bool EveryIniLineDecodes(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    if (bytes.find('\0') != std::string_view::npos) return false;
    std::wstring text;
    return Utf8ToWide(bytes, text);
}

std::string JoinIniLines(const std::vector<std::wstring>& lines) {
    std::string bytes;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) bytes += "\r\n";
        bytes += WideToUtf8(lines[i]).value_or(std::string());
    }
    return bytes;
}
