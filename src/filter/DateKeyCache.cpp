#include "filter/DateKeyCache.h"

#include <algorithm>
#include <cstring>

#include "platform/Conversions.h"

namespace bp::filter {

std::uint32_t DateKeyCache::hash(std::string_view text) {
    std::uint64_t value = 0x9E3779B97F4A7C15ULL ^ text.size();
    for (std::size_t at = 0; at < text.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, std::min<std::size_t>(8, text.size() - at));
        value = (value ^ word) * 0xD6E8FEB86659FD93ULL;
        value ^= value >> 32;
    }
    return static_cast<std::uint32_t>(value);
}

std::string DateKeyCache::convert(std::string_view text) const {
    return platform::formatYyyymmdd(platform::CDate(text, locale_));
}

std::string_view DateKeyCache::key(std::string_view text) {
    if (text.empty() || text.size() > kInline) {
        return longKey(text);
    }
    if ((used_ + 1) * 2 > entries_.size()) {
        grow();
    }
    std::uint32_t h = hash(text);
    std::size_t mask = entries_.size() - 1;
    std::size_t at = h & mask;
    for (; entries_[at].length != 0; at = (at + 1) & mask) {
        const Entry& entry = entries_[at];
        if (entry.hash == h && entry.length == text.size() &&
            std::memcmp(entry.text.data(), text.data(), text.size()) == 0) {
            return {entry.key.data(), kKeyLength};
        }
    }
    std::string converted = convert(text);  // raises before anything is stored
    if (converted.size() != kKeyLength) {
        return longKey(text);
    }
    Entry& entry = entries_[at];
    entry.hash = h;
    entry.length = static_cast<std::uint8_t>(text.size());
    std::memcpy(entry.key.data(), converted.data(), kKeyLength);
    std::memcpy(entry.text.data(), text.data(), text.size());
    ++used_;
    return {entry.key.data(), kKeyLength};
}

std::string_view DateKeyCache::longKey(std::string_view text) {
    auto found = longTexts_.find(std::string(text));
    if (found == longTexts_.end()) {
        found = longTexts_.emplace(std::string(text), convert(text)).first;
    }
    return found->second;
}

void DateKeyCache::grow() {
    std::vector<Entry> old(entries_.empty() ? 256 : entries_.size() * 2);
    old.swap(entries_);
    std::size_t mask = entries_.size() - 1;
    for (const Entry& entry : old) {
        if (entry.length != 0) {
            std::size_t at = entry.hash & mask;
            while (entries_[at].length != 0) {
                at = (at + 1) & mask;
            }
            entries_[at] = entry;
        }
    }
}

}  // namespace bp::filter
