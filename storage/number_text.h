#pragma once
// Decimal numbers in stored text: optional leading whitespace, an optional sign, then at
// least one digit; reading stops at the first non-digit. The number must fit 32 bits.
#include <cstdint>
#include <optional>
#include <string_view>

std::optional<int32_t> ParseLeadingInt32(std::wstring_view text);
