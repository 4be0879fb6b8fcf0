#include "storage/ini_file.h"

#include <optional>

#include "base/diagnostics.h"
#include "storage/cluster_paths.h"
#include "storage/file_bytes.h"
#include "storage/ini_bytes.h"
#include "storage/ini_merge.h"
#include "storage/ini_parse.h"

namespace {

// The file's bytes when a rewrite may build on them: none for a missing file. Nothing when
// writing back what was read would lose lines: the file could not be read in full (every
// line after the error would go), or a line does not decode (it would be written empty).
std::optional<std::string> BytesToRewrite(const std::wstring& path) {
    FileBytes file = ReadFileBytes(path);
    if (file.outcome == FileReadOutcome::Failed || file.outcome == FileReadOutcome::Partial) return std::nullopt;
    if (!EveryIniLineDecodes(file.bytes)) {
        Diag(L"INI file not rewritten: a line is not UTF-8 text.\n");
        return std::nullopt;
    }
    return std::move(file.bytes);
}

}  // namespace

// The system sees a path only up to its first NUL; so does everything here.
IniFile::IniFile(std::wstring path) : path_(CutAtNul(path)) {}

bool IniFile::read(IniDocument& document) const {
    return read(document, IniKeyFilter());
}

bool IniFile::read(IniDocument& document, const IniKeyFilter& keep) const {
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
    document = ParseIniBytes(file.bytes, keep);
    return true;
}

bool IniFile::readForRewrite(IniDocument& document) const {
    document.clear();
    if (path_.empty()) return false;
    const std::optional<std::string> bytes = BytesToRewrite(path_);
    if (!bytes) return false;
    document = ParseIniBytes(*bytes);
    return true;
}

bool IniFile::write(const IniDocument& document) const {
    if (path_.empty()) return false;
    const std::optional<std::string> bytes = BytesToRewrite(path_);
    if (!bytes) return false;
    const ParsedIniLines onDisk = ParseIniLinesForRewrite(SplitIniBytes(*bytes));
    const std::vector<std::wstring> lines = MergeIniLines(onDisk.retainedLines, onDisk.document, document);
    return ReplaceFileBytes(path_, JoinIniLines(lines));
}
