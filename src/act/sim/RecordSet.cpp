#include "act/sim/RecordSet.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "act/sim/HostErrors.h"
#include "platform/Error.h"
#include "platform/MemoryAdvice.h"

namespace bp::sim {

namespace {

constexpr std::size_t kHeader = 6;

void putLe(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::uint64_t getLe(const char* in, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(in[i])) << (8 * i);
    }
    return value;
}

// Calls visit(field, value) for each entry; stops early when visit returns true.
template <typename Visit>
void walk(std::string_view packed, Visit visit) {
    std::size_t at = 0;
    while (at + kHeader <= packed.size()) {
        int field = static_cast<int>(getLe(packed.data() + at, 2));
        std::size_t length = getLe(packed.data() + at + 2, 4);
        at += kHeader;
        if (length > packed.size() - at) {
            raise(kErrHostStorage, "The host database holds a damaged record.");
        }
        if (visit(field, packed.substr(at, length))) {
            return;
        }
        at += length;
    }
}

}  // namespace

std::string RecordSet::pack(const FieldValues& fields) {
    std::string out;
    for (const auto& [field, value] : fields) {
        if (field < 0 || field > std::numeric_limits<std::uint16_t>::max() ||
            value.size() > std::numeric_limits<std::uint32_t>::max()) {
            raise(kErrHostInvalidArgument, "A field number or value is out of range.");
        }
        putLe(out, static_cast<std::uint64_t>(field), 2);
        putLe(out, value.size(), 4);
        out += value;
    }
    return out;
}

FieldValues RecordSet::unpack(std::string_view packed) {
    FieldValues fields;
    walk(packed, [&](int field, std::string_view value) {
        fields.emplace_back(field, std::string(value));
        return false;
    });
    return fields;
}

std::string_view RecordSet::packedId(std::string_view packed) {
    std::string_view id;
    walk(packed, [&](int field, std::string_view value) {
        if (field == 1) {
            id = value;
        }
        return field == 1;
    });
    return id;
}

void RecordSet::reserve(std::size_t records, std::size_t bytes) {
    offsets_.reserve(records + 1);
    arena_.reserve(bytes);
    platform::adviseHugePages(arena_.data(), arena_.capacity());
    platform::adviseHugePages(offsets_.data(), offsets_.capacity() * sizeof(std::uint64_t));
}

void RecordSet::putNumber(std::size_t number) {
    while (number >= 0x80) {
        arena_.push_back(static_cast<char>((number & 0x7F) | 0x80));
        number >>= 7;
    }
    arena_.push_back(static_cast<char>(number));
}

void RecordSet::append(std::string_view packed) {
    std::string_view id;
    bool hasId = false;
    walk(packed, [&](int field, std::string_view value) {
        putNumber(static_cast<std::size_t>(field));
        putNumber(value.size());
        arena_.insert(arena_.end(), value.begin(), value.end());
        if (field == 1 && !hasId) {
            hasId = true;
            id = value;
        }
        return false;
    });
    offsets_.push_back(arena_.size());
    if (!ordered_ || id.empty()) {
        return;
    }
    // Checked while the record is still in the cache: each ID above the one before is unique.
    const auto record = static_cast<std::uint32_t>(size() - 1);
    if (lastIdRecord_ != kNone && !(this->id(lastIdRecord_) < id)) {
        ordered_ = false;
    }
    lastIdRecord_ = record;
}

std::uint64_t RecordSet::hash(std::string_view text) {
    // Eight bytes per multiply (a 12-character ID takes two words, the second overlapping the
    // first) instead of one: GoTo hashes an ID on every call.
    auto word = [&](std::size_t at) {
        std::uint64_t w = 0;
        std::memcpy(&w, text.data() + at, std::min<std::size_t>(8, text.size() - at));
        return w;
    };
    std::uint64_t value = 0x9E3779B97F4A7C15ULL ^ text.size();
    std::size_t at = 0;
    for (; at + 8 < text.size(); at += 8) {
        value = (value ^ word(at)) * 0xD6E8FEB86659FD93ULL;
        value ^= value >> 32;
    }
    if (text.size() >= 8) {
        at = text.size() - 8;
    }
    value = (value ^ word(at)) * 0xD6E8FEB86659FD93ULL;
    value ^= value >> 29;
    value *= 0x94D049BB133111EBULL;
    value ^= value >> 32;
    return value;
}

void RecordSet::buildIndex() {
    if (!ordered_) {
        // Out of order, a repeated ID shows only in the index: build it now, so a table that
        // uses an ID twice is refused when it is opened.
        std::call_once(index_->built, [this] { fillSlots(index_->slots); });
    }
}

void RecordSet::fillSlots(std::vector<std::uint64_t>& slots) const {
    std::size_t capacity = 16;
    while (capacity < size() * 2) {
        capacity *= 2;
    }
    slots.reserve(capacity);
    platform::adviseHugePages(slots.data(), capacity * sizeof(std::uint64_t));
    slots.assign(capacity, 0);
    const std::size_t mask = capacity - 1;
    for (std::uint32_t record = 0; record < size(); ++record) {
        const std::string_view id = this->id(record);
        if (id.empty()) {
            continue;
        }
        const std::uint64_t h = hash(id);
        const std::uint64_t tag = h & 0xFFFFFFFF00000000ULL;
        std::size_t slot = h & mask;
        // One probe both finds the free slot and meets the ID if an earlier record holds it.
        for (; slots[slot] != 0; slot = (slot + 1) & mask) {
            if ((slots[slot] & 0xFFFFFFFF00000000ULL) == tag &&
                this->id(static_cast<std::uint32_t>((slots[slot] & 0xFFFFFFFFULL) - 1)) == id) {
                // A unique ID names one record of its table: callers may collect the IDs of a
                // walk without checking them for repeats.
                slots.clear();
                raise(kErrHostStorage,
                      "The host database holds two records with the ID " + std::string(id) + ".");
            }
        }
        slots[slot] = tag | (record + 1ULL);
    }
}

std::uint32_t RecordSet::find(std::string_view id) const {
    std::call_once(index_->built, [this] { fillSlots(index_->slots); });
    const std::vector<std::uint64_t>& slots = index_->slots;
    if (slots.empty()) {
        return kNone;
    }
    std::uint64_t h = hash(id);
    std::uint64_t tag = h & 0xFFFFFFFF00000000ULL;
    std::size_t mask = slots.size() - 1;
    for (std::size_t slot = h & mask; slots[slot] != 0; slot = (slot + 1) & mask) {
        if ((slots[slot] & 0xFFFFFFFF00000000ULL) != tag) {
            continue;
        }
        auto record = static_cast<std::uint32_t>((slots[slot] & 0xFFFFFFFFULL) - 1);
        if (this->id(record) == id) {
            return record;
        }
    }
    return kNone;
}

std::string_view RecordSet::field(std::uint32_t record, int fieldNumber) const {
    const std::string_view all = entries(record);
    std::size_t at = 0;
    int field = 0;
    std::string_view value;
    while (nextEntry(all, at, field, value)) {
        if (field == fieldNumber) {
            return value;
        }
    }
    return {};
}

FieldValues RecordSet::fields(std::uint32_t record) const {
    FieldValues values;
    const std::string_view all = entries(record);
    std::size_t at = 0;
    int field = 0;
    std::string_view value;
    while (nextEntry(all, at, field, value)) {
        values.emplace_back(field, std::string(value));
    }
    return values;
}

}  // namespace bp::sim
