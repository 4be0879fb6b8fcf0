#pragma once
// What Pinora.exe was asked to do by the words after it: nothing (start as usual), one command
// for the running copy, the usage text, or a command line it cannot take.
#include <string>
#include <string_view>
#include <vector>

enum class CommandKind {
    None,
    Activate,
    Deactivate,
    Toggle,
    Reload,
    SaveOpenWindows,
    OpenMissing,
    Quit,
    Help,
    Malformed
};

struct ParsedCommandLine {
    CommandKind kind = CommandKind::None;
    std::wstring name;    // the cluster, for the commands that take one
    std::wstring reason;  // why the command line was refused (Malformed only)
};

// The longest cluster name a command carries, in UTF-16 units.
constexpr size_t kMaxCommandNameChars = 240;

// `arguments` are the words after the program's own name.
ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& arguments);
bool TakesClusterName(CommandKind kind);
// Why a command cannot carry the name; empty when it can.
std::wstring CommandNameProblem(std::wstring_view name);
std::wstring_view UsageText();
