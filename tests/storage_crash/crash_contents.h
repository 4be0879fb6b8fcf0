#pragma once
// The two states the writer program alternates between, shared by the writer and the test.
#include <string>

constexpr const wchar_t* kCrashCluster = L"Crash";
constexpr const wchar_t* kCrashSection = L"Entry";
constexpr const wchar_t* kCrashKey = L"Title";

// The value of round i: large enough that writing it takes a while.
std::wstring CrashValue(unsigned round);

// The whole file after a round wrote value: the seed file with that value in place.
std::string CrashFileBytes(const std::wstring& value);
