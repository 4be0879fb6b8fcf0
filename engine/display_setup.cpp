#include "engine/display_setup.h"

#include <algorithm>
#include <cwchar>
#include <tuple>

#include "storage/number_text.h"

namespace {

const std::wstring_view kSetupSeparator = L" | ";
const std::wstring_view kMonitorSeparator = L"; ";

int32_t Width(const MonitorArea& area) {
    return area.right - area.left;
}
int32_t Height(const MonitorArea& area) {
    return area.bottom - area.top;
}

std::wstring SizeText(const MonitorArea& area) {
    return std::to_wstring(Width(area)) + L"x" + std::to_wstring(Height(area));
}

std::wstring HexWord(uint16_t value) {
    wchar_t text[5];
    std::swprintf(text, 5, L"%04X", static_cast<unsigned>(value));
    return text;
}

// What tells one monitor from another. The ids a monitor reports name its make and model,
// and the device path the connector it hangs on. A monitor that reports no ids (a generic
// adapter, a virtual display) is only told apart from another on the same connector by its
// size; one without a path either, by its size alone.
std::wstring IdentityKey(const DisplayMonitor& monitor) {
    if (monitor.hasEdidIds) {
        return L"ids " + HexWord(monitor.edidManufacturer) + L":" + HexWord(monitor.edidProduct) + L" " +
               monitor.devicePath;
    }
    if (!monitor.devicePath.empty()) return L"path " + monitor.devicePath + L" " + SizeText(monitor.area);
    return L"size " + SizeText(monitor.area);
}

using PlacedIdentity = std::tuple<std::wstring, int32_t, int32_t, int32_t, int32_t>;

std::vector<PlacedIdentity> PlacedIdentities(const DisplaySetup& setup) {
    std::vector<PlacedIdentity> placed;
    for (const DisplayMonitor& m : setup) {
        placed.emplace_back(IdentityKey(m), m.area.left, m.area.top, m.area.right, m.area.bottom);
    }
    std::sort(placed.begin(), placed.end());
    return placed;
}

// Paths are kept whole inside one field: the separators, blanks and control characters in
// them are written as %XX, and "-" (which stands for no path) as well.
std::wstring EscapePath(const std::wstring& path) {
    if (path.empty()) return L"-";
    if (path == L"-") return L"%2D";
    std::wstring text;
    for (wchar_t c : path) {
        if (c <= L' ' || c == L'%' || c == L';' || c == L'|') {
            wchar_t code[4];
            std::swprintf(code, 4, L"%%%02X", static_cast<unsigned>(c));
            text += code;
        } else {
            text += c;
        }
    }
    return text;
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

std::optional<uint32_t> ParseHex(std::wstring_view text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    uint32_t value = 0;
    for (wchar_t c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
}

std::optional<std::wstring> UnescapePath(std::wstring_view text) {
    if (text == L"-") return std::wstring();
    std::wstring path;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') {
            path += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const auto code = ParseHex(text.substr(i + 1, 2));
        if (!code) return std::nullopt;
        path += static_cast<wchar_t>(*code);
        i += 2;
    }
    return path;
}

std::vector<std::wstring_view> Split(std::wstring_view text, std::wstring_view separator) {
    std::vector<std::wstring_view> parts;
    for (size_t at = text.find(separator); at != std::wstring_view::npos; at = text.find(separator)) {
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
    parts.push_back(text);
    return parts;
}

// A whole decimal number, nothing before or after it.
std::optional<int32_t> ParseWholeInt(std::wstring_view text) {
    if (text.empty() || text.front() == L' ' || text.front() == L'+') return std::nullopt;
    const size_t digits = text.find_first_not_of(L"0123456789", text.front() == L'-' ? 1 : 0);
    if (digits != std::wstring_view::npos) return std::nullopt;
    return ParseLeadingInt32(text);
}

// "<width>x<height>@<left>,<top>"
std::optional<MonitorArea> ParseArea(std::wstring_view text) {
    const size_t times = text.find(L'x');
    const size_t at = text.find(L'@');
    const size_t comma = text.find(L',');
    if (times == std::wstring_view::npos || at == std::wstring_view::npos || comma == std::wstring_view::npos ||
        !(times < at && at < comma)) {
        return std::nullopt;
    }
    const auto width = ParseWholeInt(text.substr(0, times));
    const auto height = ParseWholeInt(text.substr(times + 1, at - times - 1));
    const auto left = ParseWholeInt(text.substr(at + 1, comma - at - 1));
    const auto top = ParseWholeInt(text.substr(comma + 1));
    if (!width || !height || !left || !top || *width <= 0 || *height <= 0) return std::nullopt;
    const int64_t right = int64_t{*left} + *width;
    const int64_t bottom = int64_t{*top} + *height;
    if (right > INT32_MAX || bottom > INT32_MAX) return std::nullopt;
    return MonitorArea{*left, *top, static_cast<int32_t>(right), static_cast<int32_t>(bottom)};
}

std::optional<DisplayMonitor> ParseMonitor(std::wstring_view text) {
    const std::vector<std::wstring_view> fields = Split(text, L" ");
    if (fields.size() != 3) return std::nullopt;
    DisplayMonitor monitor;
    const auto area = ParseArea(fields[0]);
    const auto path = UnescapePath(fields[2]);
    if (!area || !path) return std::nullopt;
    monitor.area = *area;
    monitor.devicePath = *path;
    if (fields[1] == L"-") return monitor;
    const size_t colon = fields[1].find(L':');
    const auto manufacturer = ParseHex(fields[1].substr(0, colon));
    const auto product = colon == std::wstring_view::npos ? std::nullopt : ParseHex(fields[1].substr(colon + 1));
    if (!manufacturer || !product) return std::nullopt;
    monitor.hasEdidIds = true;
    monitor.edidManufacturer = static_cast<uint16_t>(*manufacturer);
    monitor.edidProduct = static_cast<uint16_t>(*product);
    return monitor;
}

std::optional<DisplaySetup> ParseSetup(std::wstring_view text) {
    DisplaySetup setup;
    for (std::wstring_view part : Split(text, kMonitorSeparator)) {
        const auto monitor = ParseMonitor(part);
        if (!monitor) return std::nullopt;
        setup.push_back(*monitor);
    }
    SortMonitors(setup);
    return setup;
}

std::wstring MonitorText(const DisplayMonitor& monitor) {
    const std::wstring ids =
        monitor.hasEdidIds ? HexWord(monitor.edidManufacturer) + L":" + HexWord(monitor.edidProduct) : L"-";
    return SizeText(monitor.area) + L"@" + std::to_wstring(monitor.area.left) + L"," +
           std::to_wstring(monitor.area.top) + L" " + ids + L" " + EscapePath(monitor.devicePath);
}

template <typename Item, typename ToText>
std::wstring Join(const std::vector<Item>& items, std::wstring_view separator, ToText toText) {
    std::wstring text;
    for (const Item& item : items) {
        if (!text.empty()) text += separator;
        text += toText(item);
    }
    return text;
}

}  // namespace

SetupMatch CompareSetups(const DisplaySetup& a, const DisplaySetup& b) {
    const std::vector<PlacedIdentity> placedA = PlacedIdentities(a);
    const std::vector<PlacedIdentity> placedB = PlacedIdentities(b);
    if (placedA == placedB) return SetupMatch::Same;
    std::vector<std::wstring> keysA, keysB;
    for (const auto& placed : placedA) keysA.push_back(std::get<0>(placed));
    for (const auto& placed : placedB) keysB.push_back(std::get<0>(placed));
    return keysA == keysB ? SetupMatch::OtherArrangement : SetupMatch::Different;
}

void SortMonitors(DisplaySetup& setup) {
    std::stable_sort(setup.begin(), setup.end(), [](const DisplayMonitor& a, const DisplayMonitor& b) {
        return std::tie(a.area.left, a.area.top) < std::tie(b.area.left, b.area.top);
    });
}

std::wstring SetupListText(const std::vector<DisplaySetup>& setups) {
    return Join(setups, kSetupSeparator,
                [](const DisplaySetup& setup) { return Join(setup, kMonitorSeparator, MonitorText); });
}

std::vector<DisplaySetup> ParseSetupList(std::wstring_view text) {
    std::vector<DisplaySetup> setups;
    if (text.empty()) return setups;
    for (std::wstring_view part : Split(text, kSetupSeparator)) {
        if (auto setup = ParseSetup(part)) setups.push_back(std::move(*setup));
    }
    return setups;
}

std::wstring DescribeSetup(const DisplaySetup& setup) {
    const std::wstring count = setup.size() == 1 ? L"1 monitor" : std::to_wstring(setup.size()) + L" monitors";
    return count + L": " + Join(setup, L", ", [](const DisplayMonitor& monitor) {
               return std::to_wstring(Width(monitor.area)) + L"\u00D7" + std::to_wstring(Height(monitor.area));
           });
}
