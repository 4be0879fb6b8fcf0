#include "engine/executable_name.h"

std::wstring ExecutableNameOf(const std::wstring& path) {
    const size_t lastBackslash = path.rfind(L'\\');
    return lastBackslash == std::wstring::npos ? path : path.substr(lastBackslash + 1);
}
