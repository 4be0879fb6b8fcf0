#pragma once
// The command line another program was started with, read from the process itself, so that a
// saved window's program can be started again with the same document or profile.
#include <windows.h>

#include <optional>
#include <string>

// What follows the program in the process's command line; empty when it has none or when the
// system will not tell (another user's or a protected process, one that has ended, a 64-bit
// process seen from a 32-bit build).
std::wstring ReadProcessArguments(DWORD processId);

// The whole command line: the system's query where it answers it (Windows 8.1 and later),
// else the process's own parameter block.
std::optional<std::wstring> ReadProcessCommandLine(HANDLE process);
// The parameter block alone; the handle needs the rights to query and to read memory.
std::optional<std::wstring> ReadCommandLineFromParameterBlock(HANDLE process);
