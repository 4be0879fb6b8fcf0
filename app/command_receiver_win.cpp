// Carries out a command from another copy of Pinora.exe as the tray would, and answers with
// its result. The data comes from any program on the desktop, so it is checked before use.
#include "app/command_receiver.h"

#include <string>
#include <vector>

#include "app/cluster_hot_keys.h"
#include "app/command_message.h"
#include "app/layout_commands.h"
#include "app/shell.h"
#include "engine/engine.h"
#include "ui/save_windows.h"

namespace {

bool TakingCommands = false;  // main thread only
bool CarryingOut = false;     // main thread only

// Clears CarryingOut however the command ends.
class CarryingOutScope {
  public:
    CarryingOutScope() { CarryingOut = true; }
    ~CarryingOutScope() { CarryingOut = false; }
    CarryingOutScope(const CarryingOutScope&) = delete;
    CarryingOutScope& operator=(const CarryingOutScope&) = delete;
};

std::vector<std::wstring> TrayClusterNames() {
    return ClusterMap.Read([](const ClusterMapValue& map) {
        std::vector<std::wstring> names;
        for (const auto& [name, entry] : map) names.push_back(name);
        return names;
    });
}

// The commanding copy may go on once the state has changed; the glides need not hold it up.
void AnswerNow(CommandResult result) {
    ReplyMessage(EncodeAnswer(result));
}

CommandResult ChangeActivation(const ReceivedCommand& command) {
    const wchar_t* verb = command.kind == CommandKind::Activate     ? L"activate"
                          : command.kind == CommandKind::Deactivate ? L"deactivate"
                                                                    : L"toggle";
    UpdateClusterMap(command.name, verb);
    UpdateTrayTooltip();
    const bool active = ContainsCluster(ActiveClusterMap, command.name);
    const CommandResult result{CommandExit::Done, active ? CommandDetail::NowActive : CommandDetail::NowInactive};
    AnswerNow(result);
    ApplyProfiles(0);
    return result;
}

CommandResult Reload() {
    UpdateClusterMap(L"", L"reload");
    RegisterClusterHotKeys(HotKeyReport::Quiet);
    UpdateTrayTooltip();
    return {};
}

CommandResult SaveOpenWindows(const std::wstring& name) {
    switch (SaveOpenWindowsAs(name)) {
        case SaveOutcome::Saved:
            return {};
        case SaveOutcome::NameTaken:
            return {CommandExit::NotCarriedOut, CommandDetail::NameTaken};
        case SaveOutcome::NameRefused:
            return {CommandExit::NotCarriedOut, CommandDetail::NameRefused};
        case SaveOutcome::NothingOpen:
            return {CommandExit::NotCarriedOut, CommandDetail::NothingOpen};
        default:
            return {CommandExit::NotCarriedOut, CommandDetail::NotWritten};
    }
}

CommandResult OpenMissing(const std::wstring& name) {
    if (OpenMissingWindows(name).empty()) return {};
    return {CommandExit::NotCarriedOut, CommandDetail::ProgramsNotStarted};
}

// The tray's own Quit, once the commanding copy has its answer; commands after it are not
// taken, so that their senders wait for this copy to go and then start a new one.
CommandResult Quit() {
    TakingCommands = false;
    AnswerNow({});
    PostMessageW(NotifyWindow, WM_COMMAND, IDM_QUIT, 0);
    return {};
}

CommandResult CarryOut(const ReceivedCommand& command) {
    switch (command.kind) {
        case CommandKind::Activate:
        case CommandKind::Deactivate:
        case CommandKind::Toggle:
            return ChangeActivation(command);
        case CommandKind::Reload:
            return Reload();
        case CommandKind::SaveOpenWindows:
            return SaveOpenWindows(command.name);
        case CommandKind::OpenMissing:
            return OpenMissing(command.name);
        default:
            return Quit();
    }
}

}  // namespace

void StartTakingCommands(HWND notifyWindow) {
    // Every command is checked here, so a sender of lower integrity may send one.
    ChangeWindowMessageFilterEx(notifyWindow, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    TakingCommands = true;
}

// A command that arrives while another is carried out (its window calls let sent messages
// in) is answered "not ready" and sent again by its sender.
LRESULT OnCommandData(const COPYDATASTRUCT* data) {
    if (!TakingCommands || CarryingOut) return NotReadyAnswer();
    std::optional<ReceivedCommand> command =
        data ? DecodeCommand(data->dwData, data->lpData, data->cbData) : std::nullopt;
    if (!command) {
        Diag(L"Refused a malformed command.\n");
        return EncodeAnswer({CommandExit::Malformed});
    }
    const CommandResult target = CheckCommandTarget(*command, TrayClusterNames());
    if (target.exit != CommandExit::Done) return EncodeAnswer(target);
    Diag(L"Carrying out a command from the command line.\n");
    CarryingOutScope scope;
    return EncodeAnswer(CarryOut(*command));
}
