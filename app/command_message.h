#pragma once
// A command as it travels from the commanding copy of Pinora.exe to the running one (the
// WM_COPYDATA id and bytes), the running copy's answer, and the commanding copy's exit code.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"

// The commanding copy's exit code.
enum class CommandExit : int { Done = 0, NotCarriedOut = 1, Malformed = 2, UnknownCluster = 3, NoAnswer = 4 };

// What an answer tells beyond its exit code, for the line the commanding copy prints.
enum class CommandDetail : int {
    None,
    NowActive,
    NowInactive,
    NameTaken,
    NameRefused,
    NothingOpen,
    NotWritten,
    ProgramsNotStarted,
    NotRunning,
    NotStarted,
    NotEnded,
};

struct CommandResult {
    CommandExit exit = CommandExit::Done;
    CommandDetail detail = CommandDetail::None;
};

struct CommandPayload {
    std::uintptr_t id = 0;            // COPYDATASTRUCT::dwData
    std::vector<unsigned char> data;  // the name in UTF-16 (little-endian) with its terminator
};

struct ReceivedCommand {
    CommandKind kind = CommandKind::None;
    std::wstring name;  // empty for the commands that take none
};

// The command ready to send; `command` is one that reaches the running copy.
CommandPayload EncodeCommand(const ParsedCommandLine& command);
// The command the bytes carry, or nothing when anything about them is off.
std::optional<ReceivedCommand> DecodeCommand(std::uintptr_t id, const void* data, std::size_t bytes);

// The window procedure's result: never 0, which is what a copy without the receiver answers.
std::intptr_t EncodeAnswer(CommandResult result);
// Asked again a little later: start-up is not over, or another command is being carried out.
std::intptr_t NotReadyAnswer();
// The result the answer carries; nothing for "not ready" and for answers of no receiver.
std::optional<CommandResult> DecodeAnswer(std::intptr_t answer);

// Whether the command names a cluster of `clusterNames` (the tray menu's) when it must: Done
// when it can be carried out on them; the name is then spelt as the tray spells it.
CommandResult CheckCommandTarget(ReceivedCommand& command, const std::vector<std::wstring>& clusterNames);

// The line printed for the result; `toErrors` tells that it goes to the error stream.
std::wstring ResultText(const ParsedCommandLine& command, CommandResult result, bool* toErrors);
