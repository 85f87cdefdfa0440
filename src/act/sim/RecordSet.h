#pragma once
// The records of one host table held in memory in a compact form: every record's fields are
// packed into one arena, and a hash index maps a unique ID (field 1) to its record. Opening a
// host of a million sales records must stay well under a second and a gigabyte, and
// GoTo/Data must cost the same at any table size. A host writes its records in the order of
// their IDs; when they come so, no ID can repeat and the index waits for the first lookup by
// ID (a walk that finds each next record by its neighbour never needs it).
//
// A packed record, as the host database stores it, is a run of entries [field number: u16]
// [length: u32][bytes], little-endian. In memory the entries are held shorter: the field
// number and the length each as a variable-length number (7 bits a byte, low bits first), so
// the usual entry spends two bytes on its header instead of six: a third less memory for a
// table of sales records.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bp::sim {

using FieldValues = std::vector<std::pair<int, std::string>>;

class RecordSet {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // The stored form.
    static std::string pack(const FieldValues& fields);
    static FieldValues unpack(std::string_view packed);
    // Field 1 of a packed record; empty when the record has none.
    static std::string_view packedId(std::string_view packed);

    // Reads the entry of a record's entries() at `at` and moves `at` past it; false at the
    // end. Inline: a report reads every entry of every record it lists. The entries were
    // checked whole when the record came in.
    static bool nextEntry(std::string_view entries, std::size_t& at, int& field,
                          std::string_view& value) {
        if (at >= entries.size()) {
            return false;
        }
        const auto* bytes = reinterpret_cast<const unsigned char*>(entries.data());
        field = static_cast<int>(readNumber(bytes, at));
        const std::size_t length = readNumber(bytes, at);
        value = entries.substr(at, length);
        at += length;
        return true;
    }

    // `bytes`: of the records in their stored form, which is more than they take here.
    void reserve(std::size_t records, std::size_t bytes);
    // Takes a record in its stored form; a damaged one is refused (kErrHostStorage).
    void append(std::string_view packed);
    // Called once all records are in; refuses a table that uses an ID twice.
    void buildIndex();

    std::size_t size() const { return offsets_.size() - 1; }
    std::size_t bytes() const { return arena_.size(); }
    std::uint32_t find(std::string_view id) const;  // kNone when absent
    std::string_view field(std::uint32_t record, int fieldNumber) const;
    // Field 1 of a record; empty when it has none. Inline, and quick where the ID comes
    // first, as hosts write it: every lookup by ID compares one.
    std::string_view id(std::uint32_t record) const {
        const std::string_view all = entries(record);
        std::size_t at = 0;
        int field = 0;
        std::string_view value;
        if (nextEntry(all, at, field, value) && field == 1) {
            return value;
        }
        return this->field(record, 1);
    }
    FieldValues fields(std::uint32_t record) const;
    // The record's entries in their form in memory, read with nextEntry().
    std::string_view entries(std::uint32_t record) const {
        return std::string_view(arena_.data() + offsets_[record],
                                offsets_[record + 1] - offsets_[record]);
    }

private:
    static std::size_t readNumber(const unsigned char* bytes, std::size_t& at) {
        std::size_t number = bytes[at++];
        if (number < 0x80) {
            return number;
        }
        number &= 0x7F;
        for (int shift = 7;; shift += 7) {
            const std::size_t next = bytes[at++];
            number |= (next & 0x7F) << shift;
            if (next < 0x80) {
                return number;
            }
        }
    }
    void putNumber(std::size_t number);
    static std::uint64_t hash(std::string_view text);
    void fillSlots(std::vector<std::uint64_t>& slots) const;

    // Open addressing, load at most one half. A slot holds the upper half of the ID's hash
    // and the record number + 1 (0: empty), so a probe reads the arena only on a likely hit.
    struct Index {
        std::once_flag built;
        std::vector<std::uint64_t> slots;
    };

    std::vector<char> arena_;
    std::vector<std::uint64_t> offsets_{0};
    // While the IDs come in ascending order, the record of the greatest so far.
    std::uint32_t lastIdRecord_ = kNone;
    bool ordered_ = true;
    std::unique_ptr<Index> index_ = std::make_unique<Index>();
};

}  // namespace bp::sim
