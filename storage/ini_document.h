#pragma once
// The in-memory form of an INI file: sections and keys in the order of their first
// appearance, each found through a hash index. Names are trimmed on every lookup and then
// compared exactly (case-sensitive).
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

bool IsIniWhitespace(wchar_t c);
std::wstring_view TrimIniText(std::wstring_view text);

// The index is an open-addressing hash table of positions into the sequence, so a lookup
// allocates nothing and copies of the map stay valid.
template <typename Value>
class InsertionOrderedMap {
  public:
    using Entry = std::pair<std::wstring, Value>;

    Value& GetOrInsert(std::wstring_view name) {
        name = TrimIniText(name);
        const size_t hash = std::hash<std::wstring_view>()(name);
        if (const size_t* slot = FindSlot(name, hash); slot && *slot) return entries_[*slot - 1].second;
        entries_.emplace_back(std::wstring(name), Value{});
        hashes_.push_back(hash);
        if (slots_.size() < 2 * entries_.size()) {
            Rehash(slots_.empty() ? 8 : 2 * slots_.size());
        } else {
            *FindSlot(name, hash) = entries_.size();
        }
        return entries_.back().second;
    }

    // Lookup without the insertion: the read-only counterpart of GetOrInsert.
    const Value* Find(std::wstring_view name) const {
        const size_t position = PositionOf(name);
        return position == kAbsent ? nullptr : &entries_[position].second;
    }

    bool Has(std::wstring_view name) const { return Find(name) != nullptr; }

    // Later entries move up one place; the index is rebuilt to follow them.
    bool Remove(std::wstring_view name) {
        const size_t erased = PositionOf(name);
        if (erased == kAbsent) return false;
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(erased));
        hashes_.erase(hashes_.begin() + static_cast<std::ptrdiff_t>(erased));
        Rehash(slots_.size());
        return true;
    }

    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    void clear() {
        entries_.clear();
        hashes_.clear();
        slots_.clear();
    }
    typename std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    typename std::vector<Entry>::const_iterator end() const { return entries_.end(); }

  private:
    static constexpr size_t kAbsent = static_cast<size_t>(-1);

    size_t PositionOf(std::wstring_view name) const {
        name = TrimIniText(name);
        const size_t* slot = FindSlot(name, std::hash<std::wstring_view>()(name));
        return slot && *slot ? *slot - 1 : kAbsent;
    }

    // The slot holding the name's position + 1, or the empty slot (0) where it would go;
    // null while the table is empty.
    const size_t* FindSlot(std::wstring_view name, size_t hash) const {
        if (slots_.empty()) return nullptr;
        const size_t mask = slots_.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const size_t position = slots_[i];
            if (position == 0 || (hashes_[position - 1] == hash && entries_[position - 1].first == name)) {
                return &slots_[i];
            }
        }
    }
    size_t* FindSlot(std::wstring_view name, size_t hash) {
        return const_cast<size_t*>(static_cast<const InsertionOrderedMap*>(this)->FindSlot(name, hash));
    }

    void Rehash(size_t slotCount) {
        slots_.assign(slotCount, 0);
        const size_t mask = slotCount - 1;
        for (size_t position = 0; position < entries_.size(); ++position) {
            size_t i = hashes_[position] & mask;
            while (slots_[i] != 0) i = (i + 1) & mask;
            slots_[i] = position + 1;
        }
    }

    std::vector<Entry> entries_;
    std::vector<size_t> hashes_;  // of each entry's name, in step with entries_
    std::vector<size_t> slots_;   // a power of two in size, at most half full
};

using IniSection = InsertionOrderedMap<std::wstring>;
using IniDocument = InsertionOrderedMap<IniSection>;

// The stored value of (section, key), or null when either is missing.
const std::wstring* FindIniValue(const IniDocument& document, std::wstring_view section, std::wstring_view key);

// What a reader of a cluster file sees: the stored value, or the fallback when the section
// or key is missing or the stored value is empty.
std::wstring IniValueOr(const IniDocument& document, std::wstring_view section, std::wstring_view key,
                        const std::wstring& fallback);
