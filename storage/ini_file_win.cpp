#include "storage/ini_file.h"

#include "storage/cluster_paths.h"
#include "storage/file_bytes.h"
#include "storage/ini_bytes.h"
#include "storage/ini_merge.h"
#include "storage/ini_parse.h"

// The system sees a path only up to its first NUL; so does everything here.
IniFile::IniFile(std::wstring path) : path_(CutAtNul(path)) {}

bool IniFile::read(IniDocument& document) const {
    document.clear();
    if (path_.empty()) return false;
    FileBytes file = ReadFileBytes(path_);
    if (file.outcome == FileReadOutcome::Missing || file.outcome == FileReadOutcome::Failed) return false;
    if (file.outcome == FileReadOutcome::Partial) {
        // Only the lines completed before the error count.
        const size_t lastFeed = file.bytes.rfind('\n');
        if (lastFeed == std::string::npos) return false;
        file.bytes.resize(lastFeed + 1);
    }
    document = ParseIniBytes(file.bytes);
    return true;
}

bool IniFile::readForRewrite(IniDocument& document) const {
    document.clear();
    if (path_.empty()) return false;
    const FileBytes file = ReadFileBytes(path_);
    if (file.outcome == FileReadOutcome::Failed || file.outcome == FileReadOutcome::Partial) return false;
    document = ParseIniBytes(file.bytes);
    return true;
}

bool IniFile::write(const IniDocument& document) const {
    if (path_.empty()) return false;
    const FileBytes file = ReadFileBytes(path_);
    // A partly read file is refused too: rewriting it would drop every line after the error.
    if (file.outcome == FileReadOutcome::Failed || file.outcome == FileReadOutcome::Partial) return false;
    const ParsedIniLines onDisk = ParseIniLinesForRewrite(SplitIniBytes(file.bytes));
    const std::vector<std::wstring> lines = MergeIniLines(onDisk.retainedLines, onDisk.document, document);
    return ReplaceFileBytes(path_, JoinIniLines(lines));
}
