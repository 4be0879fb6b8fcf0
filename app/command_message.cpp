#include "app/command_message.h"

#include <algorithm>
#include <cwctype>
#include <iterator>

namespace {

// "PNR" in the high bytes: an id or an answer that merely happens to be small is not ours.
constexpr std::uintptr_t kCommandIdBase = 0x504E5200;
constexpr std::intptr_t kAnswerTag = 0x504E0000;
constexpr std::intptr_t kNotReady = 0xFFFF;

struct CommandId {
    CommandKind kind;
    std::uintptr_t id;
};

constexpr CommandId kCommandIds[] = {
    {CommandKind::Activate, kCommandIdBase + 1},
    {CommandKind::Deactivate, kCommandIdBase + 2},
    {CommandKind::Toggle, kCommandIdBase + 3},
    {CommandKind::Reload, kCommandIdBase + 4},
    {CommandKind::SaveOpenWindows, kCommandIdBase + 5},
    {CommandKind::OpenMissing, kCommandIdBase + 6},
    {CommandKind::Quit, kCommandIdBase + 7},
};

std::optional<CommandKind> KindOfId(std::uintptr_t id) {
    const auto found = std::find_if(std::begin(kCommandIds), std::end(kCommandIds),
                                    [id](const CommandId& entry) { return entry.id == id; });
    if (found == std::end(kCommandIds)) return std::nullopt;
    return found->kind;
}

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(x) == std::towlower(y);
           });
}

// The tray's spelling of the name: the files' names ignore case, so "work" finds "Work".
std::optional<std::wstring> TrayName(const std::vector<std::wstring>& names, const std::wstring& name) {
    if (std::find(names.begin(), names.end(), name) != names.end()) return name;
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&name](const std::wstring& listed) { return SameIgnoringCase(listed, name); });
    if (found == names.end()) return std::nullopt;
    return *found;
}

std::wstring Quoted(const std::wstring& name) {
    return L"\"" + name + L"\"";
}

std::wstring DoneText(const ParsedCommandLine& command, CommandDetail detail) {
    const std::wstring name = Quoted(command.name);
    switch (command.kind) {
        case CommandKind::Activate:
            return name + L" is active.";
        case CommandKind::Deactivate:
            return name + L" is inactive.";
        case CommandKind::Toggle:
            return name + (detail == CommandDetail::NowInactive ? L" is inactive." : L" is active.");
        case CommandKind::Reload:
            return L"the cluster files were read again.";
        case CommandKind::SaveOpenWindows:
            return L"the open windows were saved as " + name + L".";
        case CommandKind::OpenMissing:
            return L"the missing windows of " + name + L" were opened.";
        default:
            return L"Pinora has quit.";
    }
}

std::wstring NotCarriedOutText(const ParsedCommandLine& command, CommandDetail detail) {
    const std::wstring name = Quoted(command.name);
    switch (detail) {
        case CommandDetail::NameTaken:
            return L"a cluster named " + name + L" exists already.";
        case CommandDetail::NameRefused:
            return L"a cluster cannot be named " + name + L".";
        case CommandDetail::NothingOpen:
            return L"there are no open windows to save.";
        case CommandDetail::NotWritten:
            return L"the cluster " + name + L" could not be saved: its file could not be written.";
        case CommandDetail::ProgramsNotStarted:
            return L"some windows of " + name + L" could not be opened: their program is missing or did not start.";
        default:
            return L"the command could not be carried out.";
    }
}

std::wstring NoAnswerText(CommandDetail detail) {
    switch (detail) {
        case CommandDetail::NotRunning:
            return L"Pinora is not running.";
        case CommandDetail::NotStarted:
            return L"Pinora could not be started.";
        case CommandDetail::NotEnded:
            return L"Pinora took the command to quit but did not end in time.";
        default:
            return L"the running Pinora did not answer.";
    }
}

}  // namespace

CommandPayload EncodeCommand(const ParsedCommandLine& command) {
    CommandPayload payload;
    for (const CommandId& entry : kCommandIds) {
        if (entry.kind == command.kind) payload.id = entry.id;
    }
    for (const wchar_t unit : command.name + L'\0') {
        payload.data.push_back(static_cast<unsigned char>(unit & 0xFF));
        payload.data.push_back(static_cast<unsigned char>((unit >> 8) & 0xFF));
    }
    return payload;
}

// The name is a whole number of UTF-16 units ending in the one terminator, of bounded
// length, and of no control characters: whatever another program sends is checked here.
std::optional<ReceivedCommand> DecodeCommand(std::uintptr_t id, const void* data, std::size_t bytes) {
    const std::optional<CommandKind> kind = KindOfId(id);
    if (!kind || !data || bytes < 2 || bytes % 2 != 0 || bytes > 2 * (kMaxCommandNameChars + 1)) return std::nullopt;
    const auto* raw = static_cast<const unsigned char*>(data);
    std::wstring name;
    for (std::size_t at = 0; at < bytes; at += 2) name += static_cast<wchar_t>(raw[at] | (raw[at + 1] << 8));
    if (name.back() != L'\0') return std::nullopt;
    name.pop_back();
    if (name.find(L'\0') != std::wstring::npos) return std::nullopt;
    if (TakesClusterName(*kind) ? !CommandNameProblem(name).empty() : !name.empty()) return std::nullopt;
    return ReceivedCommand{*kind, name};
}

std::intptr_t EncodeAnswer(CommandResult result) {
    return kAnswerTag | (static_cast<std::intptr_t>(result.detail) << 8) | static_cast<std::intptr_t>(result.exit);
}

std::intptr_t NotReadyAnswer() {
    return kAnswerTag | kNotReady;
}

std::optional<CommandResult> DecodeAnswer(std::intptr_t answer) {
    if ((answer & ~std::intptr_t{0xFFFF}) != kAnswerTag || answer == NotReadyAnswer()) return std::nullopt;
    const int exit = static_cast<int>(answer & 0xFF);
    const int detail = static_cast<int>((answer >> 8) & 0xFF);
    if (exit > static_cast<int>(CommandExit::NoAnswer) || detail > static_cast<int>(CommandDetail::NotEnded)) {
        return std::nullopt;
    }
    return CommandResult{static_cast<CommandExit>(exit), static_cast<CommandDetail>(detail)};
}

CommandResult CheckCommandTarget(ReceivedCommand& command, const std::vector<std::wstring>& clusterNames) {
    // A new cluster's name is checked by the save itself, against the files as they are then.
    if (command.kind == CommandKind::SaveOpenWindows || !TakesClusterName(command.kind)) return {};
    const std::optional<std::wstring> listed = TrayName(clusterNames, command.name);
    if (!listed) return {CommandExit::UnknownCluster};
    command.name = *listed;
    return {};
}

std::wstring ResultText(const ParsedCommandLine& command, CommandResult result, bool* toErrors) {
    *toErrors = result.exit != CommandExit::Done;
    std::wstring text = L"Pinora: ";
    switch (result.exit) {
        case CommandExit::Done:
            return text + DoneText(command, result.detail) + L"\n";
        case CommandExit::NotCarriedOut:
            return text + NotCarriedOutText(command, result.detail) + L"\n";
        case CommandExit::Malformed:
            return text + (command.reason.empty() ? L"the running Pinora refused the command" : command.reason) +
                   L".\nRun \"Pinora.exe --help\" for the commands.\n";
        case CommandExit::UnknownCluster:
            return text + L"no cluster is named " + Quoted(command.name) + L".\n";
        default:
            return text + NoAnswerText(result.detail) + L"\n";
    }
}
