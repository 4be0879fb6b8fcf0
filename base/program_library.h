#pragma once
// Libraries the program loads at run time when present. They come from the program's own
// folder only: a library of the same name in the current folder or anywhere on the search
// path must never be loaded into the program.
#include <windows.h>

// The library of that file name beside the program, its own dependencies looked up beside it
// and in the system folder only; null when there is none.
HMODULE LoadLibraryBesideProgram(const wchar_t* fileName);
