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
    bool contains(std::string_view id) const { return indexOf(id) != npos; }
    // Position of the ID in the list, npos when absent.
    std::size_t indexOf(std::string_view id) const;

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
    static constexpr std::uint32_t kFree = UINT32_MAX;

    static std::uint64_t hash(std::string_view id);
    std::size_t slotOf(std::string_view id) const;
    void rehash(std::size_t slotCount);

    std::vector<Id> ids_;
    std::vector<std::uint32_t> slots_;  // open addressing: positions in ids_, kFree when unused
};

}  // namespace bp::filter
