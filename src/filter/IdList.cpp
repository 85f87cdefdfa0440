#include "filter/IdList.h"

#include <cstring>

namespace bp::filter {

IdList IdList::fromPacked(std::string_view packed) {
    IdList list;
    list.reserve(packed.size() / kIdLength);
    for (std::size_t at = 0; at + kIdLength <= packed.size(); at += kIdLength) {
        list.add(packed.substr(at, kIdLength));
    }
    return list;
}

std::uint64_t IdList::hash(std::string_view id) {
    // Two overlapping 8-byte words cover the 12 characters; a multiply-xorshift mixes them.
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    std::memcpy(&a, id.data(), 8);
    std::memcpy(&b, id.data() + 4, 8);
    std::uint64_t h = a * 0x9E3779B97F4A7C15ULL ^ (b + 0x632BE59BD9B4E019ULL);
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ULL;
    h ^= h >> 29;
    return h;
}

std::size_t IdList::slotOf(std::string_view id) const {
    std::size_t mask = slots_.size() - 1;
    std::size_t slot = hash(id) & mask;
    while (slots_[slot] != kFree &&
           std::memcmp(ids_[slots_[slot]].data(), id.data(), kIdLength) != 0) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

std::size_t IdList::indexOf(std::string_view id) const {
    if (!isId(id) || slots_.empty()) {
        return npos;
    }
    std::uint32_t at = slots_[slotOf(id)];
    return at == kFree ? npos : at;
}

bool IdList::add(std::string_view id) {
    if (!isId(id)) {
        return false;
    }
    if ((ids_.size() + 1) * 2 > slots_.size()) {
        rehash(slots_.empty() ? 16 : slots_.size() * 2);
    }
    std::size_t slot = slotOf(id);
    if (slots_[slot] != kFree) {
        return false;
    }
    Id entry;
    std::memcpy(entry.data(), id.data(), kIdLength);
    slots_[slot] = static_cast<std::uint32_t>(ids_.size());
    ids_.push_back(entry);
    return true;
}

void IdList::rehash(std::size_t slotCount) {
    slots_.assign(slotCount, kFree);
    std::size_t mask = slotCount - 1;
    for (std::size_t i = 0; i < ids_.size(); ++i) {
        std::size_t slot = hash({ids_[i].data(), kIdLength}) & mask;
        while (slots_[slot] != kFree) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = static_cast<std::uint32_t>(i);
    }
}

void IdList::reserve(std::size_t count) {
    ids_.reserve(count);
    std::size_t wanted = 16;
    while (wanted < count * 2) {
        wanted *= 2;
    }
    if (wanted > slots_.size()) {
        rehash(wanted);
    }
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
}

}  // namespace bp::filter
