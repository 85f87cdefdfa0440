#pragma once
// "yyyymmdd" keys of the date texts a host writes, under the user's locale; compared as text,
// such keys order dates and ignore the time of day. Each distinct text is converted once.
//
// The date stages look a key up for every candidate record, so a lookup must stay cheap at a
// million records: a flat table keeps a text of up to 51 characters and its key in one
// 64-byte entry, and a lookup reads one cache line, where a map of strings reads a bucket, a
// node and the key's own buffer.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Locale.h"

namespace bp::filter {

class DateKeyCache {
public:
    explicit DateKeyCache(platform::Locale locale) : locale_(std::move(locale)) {}

    // Raises 13 (type mismatch) for a text that is no date, as CDate does.
    std::string_view key(std::string_view text);

private:
    static constexpr std::size_t kInline = 51;
    static constexpr std::size_t kKeyLength = 8;
    struct alignas(64) Entry {
        std::uint32_t hash = 0;
        std::uint8_t length = 0;  // 0: free; texts of no characters are never dates
        std::array<char, kKeyLength> key{};
        std::array<char, kInline> text{};
    };
    static_assert(sizeof(Entry) == 64);

    static std::uint32_t hash(std::string_view text);
    std::string convert(std::string_view text) const;
    std::string_view longKey(std::string_view text);
    void grow();

    platform::Locale locale_;
    std::vector<Entry> entries_;
    std::size_t used_ = 0;
    std::unordered_map<std::string, std::string> longTexts_;  // and keys of other lengths
};

}  // namespace bp::filter
