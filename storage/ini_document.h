#pragma once
// The in-memory form of an INI file: sections and keys in the order of their first
// appearance, each found through a hash index. Names are trimmed on every lookup and then
// compared exactly (case-sensitive).
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

bool IsIniWhitespace(wchar_t c);
std::wstring_view TrimIniText(std::wstring_view text);

template <typename Value>
class InsertionOrderedMap {
  public:
    using Entry = std::pair<std::wstring, Value>;

    Value& GetOrInsert(std::wstring_view name) {
        std::wstring trimmed(TrimIniText(name));
        const auto found = index_.find(trimmed);
        if (found != index_.end()) return entries_[found->second].second;
        index_.emplace(trimmed, entries_.size());
        entries_.emplace_back(std::move(trimmed), Value{});
        return entries_.back().second;
    }

    // Lookup without the insertion: the read-only counterpart of GetOrInsert.
    const Value* Find(std::wstring_view name) const {
        const auto found = index_.find(std::wstring(TrimIniText(name)));
        return found == index_.end() ? nullptr : &entries_[found->second].second;
    }

    bool Has(std::wstring_view name) const { return Find(name) != nullptr; }

    bool Remove(std::wstring_view name) {
        const auto found = index_.find(std::wstring(TrimIniText(name)));
        if (found == index_.end()) return false;
        const size_t erased = found->second;
        index_.erase(found);
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(erased));
        for (auto& slot : index_) {
            if (slot.second > erased) --slot.second;
        }
        return true;
    }

    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    void clear() {
        entries_.clear();
        index_.clear();
    }
    typename std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    typename std::vector<Entry>::const_iterator end() const { return entries_.end(); }

  private:
    std::vector<Entry> entries_;
    std::unordered_map<std::wstring, size_t> index_;
};

using IniSection = InsertionOrderedMap<std::wstring>;
using IniDocument = InsertionOrderedMap<IniSection>;

// The stored value of (section, key), or null when either is missing.
const std::wstring* FindIniValue(const IniDocument& document, std::wstring_view section, std::wstring_view key);

// What a reader of a cluster file sees: the stored value, or the fallback when the section
// or key is missing or the stored value is empty.
std::wstring IniValueOr(const IniDocument& document, std::wstring_view section, std::wstring_view key,
                        const std::wstring& fallback);
