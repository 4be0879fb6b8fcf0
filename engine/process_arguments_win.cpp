#include "engine/process_arguments.h"

#include <cstdint>
#include <vector>

#include "base/win_handles.h"
#include "engine/command_line_text.h"

namespace {

using NtQueryInformationProcessFn = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

constexpr ULONG kProcessBasicInformation = 0;
constexpr ULONG kProcessWow64Information = 26;
constexpr ULONG kProcessCommandLineInformation = 60;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);
// A counted text holds at most 65535 bytes; the query adds its header in front.
constexpr ULONG kMostQueryBytes = 0x10000 + 64;

// UNICODE_STRING in the reader's own bitness.
struct CountedText {
    USHORT length;
    USHORT maximumLength;
    PWSTR buffer;
};

// PROCESS_BASIC_INFORMATION: every field is pointer-sized or padded to it.
struct BasicInformation {
    ULONG_PTR exitStatus;
    ULONG_PTR pebAddress;
    ULONG_PTR affinityMask;
    ULONG_PTR basePriority;
    ULONG_PTR processId;
    ULONG_PTR parentProcessId;
};

// Where the command line lies: the parameter block's address in the PEB, then the counted text
// in the parameter block, both of the target's bitness.
struct ParameterLayout {
    uint64_t pebAddress;
    unsigned parametersOffset;
    unsigned commandLineOffset;
    unsigned pointerBytes;
};

NtQueryInformationProcessFn NtQuery() {
    static const auto query = reinterpret_cast<NtQueryInformationProcessFn>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess"));
    return query;
}

bool ReadRemote(HANDLE process, uint64_t address, void* out, size_t bytes) {
    SIZE_T read = 0;
    if (address == 0 || address != static_cast<uintptr_t>(address)) return false;
    return ReadProcessMemory(process, reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address)), out, bytes, &read) &&
           read == bytes;
}

// A pointer of the target's bitness, zero-extended.
uint64_t ReadRemotePointer(HANDLE process, uint64_t address, unsigned pointerBytes) {
    uint64_t value = 0;  // little-endian: a 4-byte pointer fills the low half
    return ReadRemote(process, address, &value, pointerBytes) ? value : 0;
}

std::optional<std::wstring> CommandLineFromQuery(HANDLE process) {
    const NtQueryInformationProcessFn query = NtQuery();
    if (!query) return std::nullopt;
    std::vector<ULONG_PTR> buffer(4096 / sizeof(ULONG_PTR));  // pointer-aligned for the header
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto bytes = static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR));
        ULONG needed = 0;
        const LONG status = query(process, kProcessCommandLineInformation, buffer.data(), bytes, &needed);
        if (status >= 0) {
            const auto* text = reinterpret_cast<const CountedText*>(buffer.data());
            const auto* first = reinterpret_cast<const unsigned char*>(buffer.data());
            const auto* start = reinterpret_cast<const unsigned char*>(text->buffer);
            // The text follows the header inside the buffer; anything else is not trusted.
            if (!start || start < first || start + text->length > first + bytes) return std::nullopt;
            return std::wstring(text->buffer, text->length / sizeof(wchar_t));
        }
        if (status != kStatusInfoLengthMismatch || needed <= bytes || needed > kMostQueryBytes) return std::nullopt;
        buffer.resize(needed / sizeof(ULONG_PTR) + 1);
    }
    return std::nullopt;
}

bool IsWow64(HANDLE process) {
    BOOL wow64 = FALSE;
    return IsWow64Process(process, &wow64) && wow64;
}

// A 32-bit process on 64-bit Windows has a 32-bit PEB of its own, which a 64-bit reader finds
// through the WOW64 query; a 32-bit reader cannot reach a 64-bit process's memory at all.
std::optional<ParameterLayout> LayoutOf(HANDLE process, NtQueryInformationProcessFn query) {
    const bool targetIs32Bit = IsWow64(process);
    if constexpr (sizeof(void*) == 8) {
        if (targetIs32Bit) {
            ULONG_PTR peb32 = 0;
            if (query(process, kProcessWow64Information, &peb32, sizeof(peb32), nullptr) < 0 || !peb32) {
                return std::nullopt;
            }
            return ParameterLayout{peb32, 0x10, 0x40, 4};
        }
    } else if (IsWow64(GetCurrentProcess()) && !targetIs32Bit) {
        return std::nullopt;
    }
    BasicInformation basic = {};
    if (query(process, kProcessBasicInformation, &basic, sizeof(basic), nullptr) < 0) return std::nullopt;
    if constexpr (sizeof(void*) == 8) return ParameterLayout{basic.pebAddress, 0x20, 0x70, 8};
    return ParameterLayout{basic.pebAddress, 0x10, 0x40, 4};
}

}  // namespace

std::optional<std::wstring> ReadCommandLineFromParameterBlock(HANDLE process) {
    const NtQueryInformationProcessFn query = NtQuery();
    if (!query) return std::nullopt;
    const std::optional<ParameterLayout> layout = LayoutOf(process, query);
    if (!layout) return std::nullopt;
    const uint64_t parameters =
        ReadRemotePointer(process, layout->pebAddress + layout->parametersOffset, layout->pointerBytes);
    if (!parameters) return std::nullopt;
    // The counted text: its length in bytes, its capacity, then (aligned) the text's address.
    const uint64_t counted = parameters + layout->commandLineOffset;
    USHORT length = 0;
    if (!ReadRemote(process, counted, &length, sizeof(length))) return std::nullopt;
    const uint64_t text = ReadRemotePointer(process, counted + layout->pointerBytes, layout->pointerBytes);
    std::wstring commandLine(length / sizeof(wchar_t), L'\0');
    if (commandLine.empty()) return commandLine;
    if (!ReadRemote(process, text, commandLine.data(), commandLine.size() * sizeof(wchar_t))) return std::nullopt;
    return commandLine;
}

std::optional<std::wstring> ReadProcessCommandLine(HANDLE process) {
    if (std::optional<std::wstring> answered = CommandLineFromQuery(process)) return answered;
    return ReadCommandLineFromParameterBlock(process);
}

std::wstring ReadProcessArguments(DWORD processId) {
    if (processId == 0) return {};
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    // Without the right to read memory, the system's query may still answer.
    if (!process) process.reset(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    const std::optional<std::wstring> commandLine = ReadProcessCommandLine(process.get());
    return commandLine ? ArgumentsOfCommandLine(*commandLine) : std::wstring();
}
