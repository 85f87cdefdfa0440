#pragma once
// One field of every record of a host table, kept compactly: each distinct text is stored
// once and a record holds a 32-bit code for it. Most sales fields repeat few values (a
// status, a manager, a product), so a million records cost little more than their codes.
// A field whose values hardly repeat (an ID, a time of creation) stops looking for repeats
// after its first rows: its text is kept for each record, and no table of a million
// distinct texts is built, grown or freed.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "filter/ChunkedVector.h"

namespace bp::filter {

class ValueColumn {
public:
    void push(std::string_view value);
    std::string_view at(std::size_t row) const;
    std::size_t size() const { return codes_.size(); }
    std::size_t distinct() const { return values_.size(); }
    // Drops what only push needs, once the column is complete.
    void seal();

private:
    std::string_view store(std::string_view value);
    void decideDictionary();

    ChunkedVector<std::uint32_t> codes_;
    ChunkedVector<std::string_view> values_;
    // Texts live in blocks that never move, so the views above stay valid as blocks are added.
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t blockUsed_ = 0;
    std::size_t blockSize_ = 0;
    std::unordered_map<std::string_view, std::uint32_t> codeOf_;
    bool dictionary_ = true;
};

}  // namespace bp::filter
