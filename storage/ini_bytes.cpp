#include "storage/ini_bytes.h"

#include <optional>

#include "storage/utf8_text.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::vector<std::wstring> SplitIniBytes(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    std::vector<std::wstring> lines;
    while (!bytes.empty()) {
        const size_t feed = bytes.find('\n');
        std::string_view line = bytes.substr(0, feed);
        bytes.remove_prefix(feed == std::string_view::npos ? bytes.size() : feed + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(Utf8ToWide(line).value_or(std::wstring()));
    }
    return lines;
}

std::string JoinIniLines(const std::vector<std::wstring>& lines) {
    std::string bytes;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) bytes += "\r\n";
        bytes += WideToUtf8(lines[i]).value_or(std::string());
    }
    return bytes;
}
