#pragma once
// Whole-file byte access for cluster files.
#include <string>
#include <string_view>

enum class FileReadOutcome {
    Read,     // all bytes were read
    Missing,  // nothing exists at the path
    Failed,   // the file exists but could not be opened
    Partial,  // an input/output error ended the read early; bytes holds what came before
};

struct FileBytes {
    FileReadOutcome outcome = FileReadOutcome::Failed;
    std::string bytes;
};

// Opens the file shared for reading, writing and deleting by others.
FileBytes ReadFileBytes(const std::wstring& path);

// Replaces the file's content with bytes so that, at every moment, the file holds either
// its old or its new content. Returns false, leaving the file untouched, when the file
// cannot be opened for writing or the new content cannot be written in full (a full disk).
// Only a file that another program holds open without delete sharing is written in place.
bool ReplaceFileBytes(const std::wstring& path, std::string_view bytes);

// Creates the file with bytes as its content; false, with nothing left behind, when anything
// already exists under that name (the file system also matches short aliases and letters in
// another case) or the content cannot be written in full.
bool CreateFileBytes(const std::wstring& path, std::string_view bytes);
