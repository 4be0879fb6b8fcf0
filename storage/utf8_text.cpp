#include "storage/utf8_text.h"

#include <cstdint>

namespace {

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

bool IsSurrogate(uint32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

struct SequenceShape {
    size_t length;
    uint32_t leadBits;
    uint32_t smallestCode;  // anything below is an overlong form
};

std::optional<SequenceShape> ShapeOf(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return SequenceShape{2, lead & 0x1Fu, 0x80};
    if (lead >= 0xE0 && lead <= 0xEF) return SequenceShape{3, lead & 0x0Fu, 0x800};
    if (lead >= 0xF0 && lead <= 0xF4) return SequenceShape{4, lead & 0x07u, 0x10000};
    return std::nullopt;
}

// Decodes the sequence starting at bytes[i] and advances i past it.
std::optional<uint32_t> DecodeOne(std::string_view bytes, size_t& i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    const std::optional<SequenceShape> shape = ShapeOf(lead);
    if (!shape || bytes.size() - i < shape->length) return std::nullopt;
    uint32_t code = shape->leadBits;
    for (size_t k = 1; k < shape->length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[i + k]);
        if ((next & 0xC0u) != 0x80u) return std::nullopt;
        code = (code << 6) | (next & 0x3Fu);
    }
    if (code < shape->smallestCode || code > 0x10FFFF || IsSurrogate(code)) return std::nullopt;
    i += shape->length;
    return code;
}

void AppendWide(std::wstring& text, uint32_t code) {
    if (kWideIsUtf16 && code >= 0x10000) {
        code -= 0x10000;
        text.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
        text.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FFu)));
    } else {
        text.push_back(static_cast<wchar_t>(code));
    }
}

// Reads the code point starting at text[i] (joining a surrogate pair); advances i.
std::optional<uint32_t> ReadWide(std::wstring_view text, size_t& i) {
    const auto unit = static_cast<uint32_t>(text[i]);
    if (kWideIsUtf16 && unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
        const auto low = static_cast<uint32_t>(text[i + 1]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            i += 2;
            return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    if (IsSurrogate(unit) || unit > 0x10FFFF) return std::nullopt;
    ++i;
    return unit;
}

void AppendUtf8(std::string& bytes, uint32_t code) {
    if (code < 0x80) {
        bytes.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        bytes.push_back(static_cast<char>(0xC0 | (code >> 6)));
        bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        bytes.push_back(static_cast<char>(0xE0 | (code >> 12)));
        bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        bytes.push_back(static_cast<char>(0xF0 | (code >> 18)));
        bytes.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

std::optional<std::wstring> Utf8ToWide(std::string_view bytes) {
    std::wstring text;
    if (!Utf8ToWide(bytes, text)) return std::nullopt;
    return text;
}

bool Utf8ToWide(std::string_view bytes, std::wstring& text) {
    text.clear();
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            text.push_back(static_cast<wchar_t>(bytes[i++]));
            continue;
        }
        const std::optional<uint32_t> code = DecodeOne(bytes, i);
        if (!code) return false;
        AppendWide(text, *code);
    }
    return true;
}

std::optional<std::string> WideToUtf8(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const std::optional<uint32_t> code = ReadWide(text, i);
        if (!code) return std::nullopt;
        AppendUtf8(bytes, *code);
    }
    return bytes;
}
