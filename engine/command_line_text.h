#pragma once
// A process's command line as text: what follows the program there.
#include <string>
#include <string_view>

// Everything after the program's name, without the blanks around it, split as the system
// splits a command line: a name that starts with a quote ends at the next quote, any other at
// the first blank or tab. Empty when the program was started without arguments.
std::wstring ArgumentsOfCommandLine(std::wstring_view commandLine);
