#pragma once
// The commanding copy's side of the command line: Pinora.exe started with a command hands it
// to the running copy (starting one first when none runs), prints the result and exits with it.
#include <string>
#include <vector>

#include "app/command_line.h"

// The words after the program's name in this process's command line.
std::vector<std::wstring> ProgramArguments();
// Carries out a command line other than None; returns the process's exit code.
int RunCommandLine(const ParsedCommandLine& command);
