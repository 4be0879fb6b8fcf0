// Every valid UTF-8 text converts to wide text and back to the same bytes, and every wide
// text that converts at all comes back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "storage/utf8_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (const auto wide = Utf8ToWide(bytes)) {
        const auto back = WideToUtf8(*wide);
        if (!back || *back != bytes) std::abort();
    }

    std::wstring units(size / sizeof(wchar_t), L'\0');
    if (!units.empty()) std::memcpy(&units[0], data, units.size() * sizeof(wchar_t));
    if (const auto encoded = WideToUtf8(units)) {
        const auto back = Utf8ToWide(*encoded);
        if (!back || *back != units) std::abort();
    }
    return 0;
}
