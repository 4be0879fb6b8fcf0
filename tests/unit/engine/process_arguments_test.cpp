#include "engine/process_arguments.h"

#include <gtest/gtest.h>

#include "base/win_handles.h"
#include "engine/command_line_text.h"

TEST(ProcessArguments, WhatFollowsTheProgramIsSplitOffAsTheSystemSplitsIt) {
    const struct {
        const wchar_t* commandLine;
        const wchar_t* arguments;
    } rows[] = {
        {L"C:\\Windows\\notepad.exe", L""},
        {L"notepad.exe  C:\\notes\\a.txt ", L"C:\\notes\\a.txt"},
        {L"\"C:\\Program Files\\App\\app.exe\" --profile \"Work 2\"", L"--profile \"Work 2\""},
        {L"\"C:\\Program Files\\App\\app.exe\"-x", L"-x"},  // the closing quote ends the name
        {L"\"C:\\dir\\\" a", L"a"},                         // no escapes in the program's name
        {L"\"C:\\unterminated b", L""},
        {L"   ", L""},
    };
    for (const auto& row : rows) EXPECT_EQ(ArgumentsOfCommandLine(row.commandLine), row.arguments) << row.commandLine;
}

// Another process's command line, by the system's query where it answers and by its parameter
// block (which is all Wine 8 offers).
TEST(ProcessArguments, AnotherProcessesCommandLineIsReadBothWays) {
    wchar_t commandLine[] = L"C:\\windows\\system32\\cmd.exe /c rem \"a document.txt\"";
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION info = {};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_SUSPENDED | CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &info));
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);
    EXPECT_EQ(ReadProcessCommandLine(process.get()), std::wstring(commandLine));
    EXPECT_EQ(ReadCommandLineFromParameterBlock(process.get()), std::wstring(commandLine));
    EXPECT_EQ(ReadProcessArguments(info.dwProcessId), L"/c rem \"a document.txt\"");
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 5000);
    EXPECT_EQ(ReadProcessArguments(info.dwProcessId), L"");  // ended: nothing to read
}
