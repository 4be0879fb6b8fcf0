#include "engine/executable_name.h"

std::wstring_view ExecutableNameIn(std::wstring_view path) {
    const size_t lastBackslash = path.rfind(L'\\');
    return lastBackslash == std::wstring_view::npos ? path : path.substr(lastBackslash + 1);
}

std::wstring ExecutableNameOf(const std::wstring& path) {
    return std::wstring(ExecutableNameIn(path));
}
