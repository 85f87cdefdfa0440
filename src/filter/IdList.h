#pragma once
// A list of the host's 12-character unique IDs (contacts, sales records, users): kept in the
// order entries were added, each ID once, with constant-time membership. Every stage of the
// filter engine costs time in proportion to its candidates, whatever the size of the lists it
// searches.
//
// Membership is a whole-ID match. A value that is not a 12-character ID (the empty contact of
// a sale with no contact, a sale with no record manager) is never added and never found, so
// such records cannot slip through a scope or manager test.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bp::filter {

class IdList {
public:
    static constexpr std::size_t kIdLength = 12;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    IdList() = default;
    // From the host's packed form: 12-character IDs without separators.
    static IdList fromPacked(std::string_view packed);
    static bool isId(std::string_view value) { return value.size() == kIdLength; }

    // Appends the ID unless it is already listed or is no ID; true when appended.
    bool add(std::string_view id);
    // Appends an ID the caller knows is not listed yet, because it is taken in order from
    // another list that holds each ID once. Such IDs are indexed only when something next
    // searches the list, so a stage that merely passes on a part of its candidates does no
    // hashing at all.
    void appendDistinct(std::string_view id);
    bool contains(std::string_view id) const { return indexOf(id) != npos; }
    // Position of the ID in the list, npos when absent.
    std::size_t indexOf(std::string_view id) const;
    // Indexes up to `count` more of the IDs appendDistinct gave, so a long list is indexed a
    // part at a time; true once all are. Unlike a search it accepts an ID given twice, which
    // is then found at its first position. Once all are indexed, searches only read the list,
    // and threads may share it.
    bool indexSome(std::size_t count) const;

    std::size_t size() const { return ids_.size(); }
    bool empty() const { return ids_.empty(); }
    std::string_view operator[](std::size_t i) const { return {ids_[i].data(), kIdLength}; }
    std::vector<std::string> toVector() const;
    bool operator==(const IdList& other) const { return ids_ == other.ids_; }

    // The form the host's CreateLookup takes.
    std::string packed() const;

    void clear();
    void reserve(std::size_t count);

private:
    using Id = std::array<char, kIdLength>;

    static std::uint32_t hash(std::string_view id);
    // The slot holding the ID, or the free slot where it belongs.
    std::size_t slotOf(std::string_view id, std::uint32_t h) const;
    void indexPending() const;
    void growSlots(std::size_t entries) const;

    std::vector<Id> ids_;
    // Open addressing at a load of at most one half. A slot holds the ID's 32-bit hash above
    // its position in ids_ + 1 (0: free): a probe compares hashes and reads an ID only on a
    // likely hit, and growing the table needs no ID at all. The index covers ids_[0, indexed_)
    // and is completed lazily, hence mutable.
    mutable std::vector<std::uint64_t> slots_;
    mutable std::size_t indexed_ = 0;
};

}  // namespace bp::filter
