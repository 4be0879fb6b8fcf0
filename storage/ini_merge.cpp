#include "storage/ini_merge.h"

#include <unordered_map>

#include "storage/ini_line.h"

namespace {

std::wstring KeyLine(const std::wstring& key, const std::wstring& value) {
    return EscapeIniKey(OneLineIniText(key)) + L"=" + std::wstring(TrimIniText(OneLineIniText(value)));
}

// Keeps the raw line up to where its value starts, so spacing and indentation survive.
std::wstring PatchedKeyLine(const std::wstring& raw, const std::wstring& value) {
    size_t valueStart = FindIniKeySeparator(raw) + 1;
    while (valueStart < raw.size() && IsIniWhitespace(raw[valueStart])) ++valueStart;
    return raw.substr(0, valueStart) + std::wstring(TrimIniText(OneLineIniText(value)));
}

class IniMerge {
  public:
    IniMerge(const IniDocument& onDisk, const IniDocument& document) : onDisk_(onDisk), document_(document) {}

    std::vector<std::wstring> Run(const std::vector<std::wstring>& retained) {
        for (size_t i = 0; i < retained.size();) {
            const bool lastLine = i + 1 == retained.size();
            if (!insertNewKeysNow_ && !VisitLine(retained[i])) {
                ++i;
                continue;
            }
            // End of a section's block: the keys it gained go right after its last key line.
            if (insertNewKeysNow_ || lastLine) InsertNewKeys();
            if (insertNewKeysNow_) {
                insertNewKeysNow_ = false;  // the same line is visited again, now as a new section
                continue;
            }
            ++i;
        }
        AppendNewSections();
        return std::move(output_);
    }

  private:
    // Returns false when the end-of-section step is to be skipped for this line.
    bool VisitLine(const std::wstring& raw) {
        const IniLine line = ClassifyIniLine(raw);
        switch (line.kind) {
            case IniLineKind::Section:
                if (parsingSection_) {
                    insertNewKeysNow_ = true;
                    parsingSection_ = false;
                    return true;
                }
                current_ = line.name;
                if (!document_.Has(current_)) {
                    // A deleted section loses its header and keys, and the empty line after it.
                    skipSection_ = true;
                    dropNextBlank_ = true;
                    return false;
                }
                output_.push_back(raw);
                parsingSection_ = true;
                skipSection_ = false;
                dropNextBlank_ = false;
                insertionPoint_ = output_.size();
                return true;
            case IniLineKind::KeyValue:
                if (skipSection_) return false;
                if (const std::wstring* value = FindIniValue(document_, current_, line.name)) {
                    output_.push_back(*value == line.value ? raw : PatchedKeyLine(raw, *value));
                    insertionPoint_ = output_.size();
                }
                return true;
            case IniLineKind::Blank:
            case IniLineKind::Comment:
            case IniLineKind::Other:
                if (dropNextBlank_ && raw.empty()) {
                    dropNextBlank_ = false;
                } else {
                    output_.push_back(raw);
                }
                return true;
        }
        return true;
    }

    void InsertNewKeys() {
        const std::vector<std::wstring>& lines = NewKeyLines(current_);
        output_.insert(output_.begin() + static_cast<std::ptrdiff_t>(insertionPoint_), lines.begin(), lines.end());
    }

    // The same section may close several blocks (a repeated header); its new keys are
    // computed once.
    const std::vector<std::wstring>& NewKeyLines(const std::wstring& section) {
        const auto cached = newKeyLines_.find(section);
        if (cached != newKeyLines_.end()) return cached->second;
        std::vector<std::wstring>& lines = newKeyLines_[section];
        const IniSection* wanted = document_.Find(section);
        const IniSection* stored = onDisk_.Find(section);
        if (wanted && stored) {
            for (const auto& [key, value] : *wanted) {
                if (!stored->Has(key)) lines.push_back(KeyLine(key, value));
            }
        }
        return lines;
    }

    void AppendNewSections() {
        for (const auto& [name, section] : document_) {
            if (onDisk_.Has(name)) continue;
            output_.push_back(L"[" + std::wstring(TrimIniText(OneLineIniText(name))) + L"]");
            for (const auto& [key, value] : section) output_.push_back(KeyLine(key, value));
        }
    }

    const IniDocument& onDisk_;
    const IniDocument& document_;
    std::vector<std::wstring> output_;
    std::unordered_map<std::wstring, std::vector<std::wstring>> newKeyLines_;
    std::wstring current_;
    bool parsingSection_ = false;
    bool skipSection_ = false;
    bool dropNextBlank_ = false;
    bool insertNewKeysNow_ = false;
    size_t insertionPoint_ = 0;
};

}  // namespace

std::vector<std::wstring> MergeIniLines(const std::vector<std::wstring>& retainedLines, const IniDocument& onDisk,
                                        const IniDocument& document) {
    return IniMerge(onDisk, document).Run(retainedLines);
}
