#pragma once
// UTF-8 and the program's wide text. wchar_t holds UTF-16 code units on Windows (characters
// beyond the Basic Multilingual Plane are surrogate pairs) and whole code points where it is
// 32 bits wide (the native fuzz build). Both directions refuse what has no exact counterpart.
#include <optional>
#include <string>
#include <string_view>

// Nothing for malformed input: bad or truncated sequences, overlong forms, encoded
// surrogates and code points beyond U+10FFFF.
std::optional<std::wstring> Utf8ToWide(std::string_view bytes);
// The same into a buffer whose capacity is reused; false (and the text unspecified) when
// the bytes are malformed.
bool Utf8ToWide(std::string_view bytes, std::wstring& text);

// Nothing for text holding a lone surrogate or a value that is no Unicode code point.
std::optional<std::string> WideToUtf8(std::wstring_view text);
