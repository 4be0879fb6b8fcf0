#pragma once
#include <string>

// True for the shell's, the system's and our own helper windows that are never managed,
// recognised by title or class alone.
bool IsExcludedWindowIdentity(const std::wstring& title, const std::wstring& className);
