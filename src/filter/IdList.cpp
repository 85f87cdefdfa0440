#include "filter/IdList.h"

#include <cassert>
#include <cstring>

namespace bp::filter {

namespace {

constexpr std::uint64_t kPositionMask = 0xFFFFFFFFULL;

std::uint32_t tagOf(std::uint64_t slot) {
    return static_cast<std::uint32_t>(slot >> 32);
}

std::uint64_t makeSlot(std::uint32_t h, std::size_t position) {
    return (static_cast<std::uint64_t>(h) << 32) | (position + 1);
}

}  // namespace

IdList IdList::fromPacked(std::string_view packed) {
    IdList list;
    list.reserve(packed.size() / kIdLength);
    for (std::size_t at = 0; at + kIdLength <= packed.size(); at += kIdLength) {
        list.add(packed.substr(at, kIdLength));
    }
    return list;
}

std::uint32_t IdList::hash(std::string_view id) {
    // Two overlapping 8-byte words cover the 12 characters; a multiply-xorshift mixes them.
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    std::memcpy(&a, id.data(), 8);
    std::memcpy(&b, id.data() + 4, 8);
    std::uint64_t h = a * 0x9E3779B97F4A7C15ULL ^ (b + 0x632BE59BD9B4E019ULL);
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ULL;
    h ^= h >> 29;
    return static_cast<std::uint32_t>(h);
}

std::size_t IdList::slotOf(std::string_view id, std::uint32_t h) const {
    std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = h & mask;; slot = (slot + 1) & mask) {
        std::uint64_t entry = slots_[slot];
        if (entry == 0 ||
            (tagOf(entry) == h &&
             std::memcmp(ids_[(entry & kPositionMask) - 1].data(), id.data(), kIdLength) == 0)) {
            return slot;
        }
    }
}

void IdList::growSlots(std::size_t entries) const {
    if (entries * 2 <= slots_.size()) {
        return;
    }
    std::size_t count = slots_.empty() ? 16 : slots_.size();
    while (count < entries * 2) {
        count *= 2;
    }
    std::vector<std::uint64_t> old(count, 0);
    old.swap(slots_);
    std::size_t mask = count - 1;
    for (std::uint64_t entry : old) {
        if (entry != 0) {
            std::size_t slot = tagOf(entry) & mask;
            while (slots_[slot] != 0) {
                slot = (slot + 1) & mask;
            }
            slots_[slot] = entry;
        }
    }
}

void IdList::indexPending() const {
    if (indexed_ == ids_.size()) {
        return;
    }
    growSlots(ids_.size());
    for (; indexed_ < ids_.size(); ++indexed_) {
        std::string_view id(ids_[indexed_].data(), kIdLength);
        std::uint32_t h = hash(id);
        std::size_t slot = slotOf(id, h);
        assert(slots_[slot] == 0 && "appendDistinct was given an ID already listed");
        slots_[slot] = makeSlot(h, indexed_);
    }
}

bool IdList::indexSome(std::size_t count) const {
    growSlots(ids_.size());
    const std::size_t end = ids_.size() - indexed_ < count ? ids_.size() : indexed_ + count;
    for (; indexed_ < end; ++indexed_) {
        std::string_view id(ids_[indexed_].data(), kIdLength);
        std::uint32_t h = hash(id);
        std::size_t slot = slotOf(id, h);
        if (slots_[slot] == 0) {
            slots_[slot] = makeSlot(h, indexed_);
        }
    }
    return indexed_ == ids_.size();
}

std::size_t IdList::indexOf(std::string_view id) const {
    if (!isId(id) || ids_.empty()) {
        return npos;
    }
    indexPending();
    std::uint64_t entry = slots_[slotOf(id, hash(id))];
    return entry == 0 ? npos : static_cast<std::size_t>((entry & kPositionMask) - 1);
}

bool IdList::add(std::string_view id) {
    if (!isId(id)) {
        return false;
    }
    indexPending();
    growSlots(ids_.size() + 1);
    std::uint32_t h = hash(id);
    std::size_t slot = slotOf(id, h);
    if (slots_[slot] != 0) {
        return false;
    }
    slots_[slot] = makeSlot(h, ids_.size());
    appendDistinct(id);
    indexed_ = ids_.size();
    return true;
}

void IdList::appendDistinct(std::string_view id) {
    if (!isId(id)) {
        return;
    }
    Id entry;
    std::memcpy(entry.data(), id.data(), kIdLength);
    ids_.push_back(entry);
}

void IdList::reserve(std::size_t count) {
    ids_.reserve(count);
    growSlots(count);
}

std::vector<std::string> IdList::toVector() const {
    std::vector<std::string> out;
    out.reserve(ids_.size());
    for (const Id& id : ids_) {
        out.emplace_back(id.data(), kIdLength);
    }
    return out;
}

std::string IdList::packed() const {
    std::string out;
    out.reserve(ids_.size() * kIdLength);
    for (const Id& id : ids_) {
        out.append(id.data(), kIdLength);
    }
    return out;
}

void IdList::clear() {
    ids_.clear();
    slots_.clear();
    indexed_ = 0;
}

}  // namespace bp::filter
