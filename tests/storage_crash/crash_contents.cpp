#include "crash_contents.h"

std::wstring CrashValue(unsigned round) {
    return std::wstring(300000, round % 2 ? L'b' : L'a');
}

std::string CrashFileBytes(const std::wstring& value) {
    std::string file = "; a comment that every rewrite keeps\r\n[Entry]\r\nPosition=0 0\r\nTitle=";
    file.append(value.begin(), value.end());
    return file + "\r\n\r\n[Other]\r\nSize=1 1";
}
