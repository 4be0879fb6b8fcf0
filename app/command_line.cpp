#include "app/command_line.h"

#include <algorithm>
#include <iterator>

namespace {

struct OptionSpelling {
    std::wstring_view text;
    CommandKind kind;
};

constexpr OptionSpelling kOptions[] = {
    {L"--activate", CommandKind::Activate},
    {L"--deactivate", CommandKind::Deactivate},
    {L"--toggle", CommandKind::Toggle},
    {L"--reload", CommandKind::Reload},
    {L"--save-open-windows", CommandKind::SaveOpenWindows},
    {L"--open-missing", CommandKind::OpenMissing},
    {L"--quit", CommandKind::Quit},
    {L"--help", CommandKind::Help},
    {L"-h", CommandKind::Help},
    {L"/?", CommandKind::Help},
};

constexpr wchar_t kUsage[] =
    L"Usage: Pinora.exe [command]\n"
    L"Without a command Pinora starts in the tray. A command is handed to the running Pinora,\n"
    L"which is started first when none runs (except for --quit and --help).\n"
    L"\n"
    L"  --activate NAME           activate the cluster NAME\n"
    L"  --deactivate NAME         deactivate the cluster NAME\n"
    L"  --toggle NAME             activate the cluster NAME, or deactivate it when active\n"
    L"  --reload                  read the cluster files again\n"
    L"  --save-open-windows NAME  save the open windows as the new cluster NAME\n"
    L"  --open-missing NAME       start the programs of NAME's windows that are not open\n"
    L"  --quit                    quit the running Pinora\n"
    L"  --help, -h, /?            show this text\n"
    L"\n"
    L"NAME is a cluster name as the tray menu lists it; quote it when it has spaces.\n"
    L"Exit codes: 0 done, 1 could not be carried out, 2 malformed command line,\n"
    L"3 no such cluster, 4 Pinora not running or not answering.\n";

ParsedCommandLine Malformed(std::wstring reason) {
    return {CommandKind::Malformed, L"", std::move(reason)};
}

const OptionSpelling* FindOption(const std::wstring& word) {
    const auto found = std::find_if(std::begin(kOptions), std::end(kOptions),
                                    [&word](const OptionSpelling& option) { return option.text == word; });
    return found == std::end(kOptions) ? nullptr : found;
}

}  // namespace

bool TakesClusterName(CommandKind kind) {
    return kind == CommandKind::Activate || kind == CommandKind::Deactivate || kind == CommandKind::Toggle ||
           kind == CommandKind::SaveOpenWindows || kind == CommandKind::OpenMissing;
}

std::wstring CommandNameProblem(std::wstring_view name) {
    if (name.empty()) return L"a cluster name cannot be empty";
    if (name.size() > kMaxCommandNameChars) {
        return L"a cluster name is at most " + std::to_wstring(kMaxCommandNameChars) + L" characters long";
    }
    if (std::any_of(name.begin(), name.end(), [](wchar_t c) { return c < L' ' || c == 0x7F; })) {
        return L"a cluster name cannot hold control characters";
    }
    return {};
}

ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) return {};
    const OptionSpelling* option = FindOption(arguments[0]);
    if (!option) return Malformed(L"unknown option \"" + arguments[0] + L"\"");
    ParsedCommandLine parsed{option->kind, L"", L""};
    size_t used = 1;
    if (TakesClusterName(parsed.kind)) {
        if (arguments.size() < 2) return Malformed(std::wstring(option->text) + L" needs a cluster name");
        parsed.name = arguments[1];
        if (const std::wstring problem = CommandNameProblem(parsed.name); !problem.empty()) return Malformed(problem);
        used = 2;
    }
    if (arguments.size() > used) {
        return Malformed(L"one command at a time: \"" + arguments[used] + L"\" is one word too many");
    }
    return parsed;
}

std::wstring_view UsageText() {
    return kUsage;
}
