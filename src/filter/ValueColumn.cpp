#include "filter/ValueColumn.h"

#include <algorithm>
#include <cstring>

namespace bp::filter {

namespace {

constexpr std::size_t kBlockBytes = 256 * 1024;
// Rows after which a column decides whether its values repeat enough to share them.
constexpr std::size_t kSampleRows = 4096;

}  // namespace

void ValueColumn::push(std::string_view value) {
    if (!dictionary_) {
        codes_.push_back(static_cast<std::uint32_t>(values_.size()));
        values_.push_back(store(value));
        return;
    }
    if (codes_.size() == kSampleRows) {
        decideDictionary();
        if (!dictionary_) {
            push(value);
            return;
        }
    }
    auto found = codeOf_.find(value);
    if (found != codeOf_.end()) {
        codes_.push_back(found->second);
        return;
    }
    auto code = static_cast<std::uint32_t>(values_.size());
    std::string_view kept = store(value);
    values_.push_back(kept);
    codeOf_.emplace(kept, code);
    codes_.push_back(code);
}

std::string_view ValueColumn::store(std::string_view value) {
    if (value.empty()) {
        return {};
    }
    if (blocks_.empty() || blockUsed_ + value.size() > blockSize_) {
        blockSize_ = std::max(kBlockBytes, value.size());
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(blockSize_));
        blockUsed_ = 0;
    }
    char* at = blocks_.back().get() + blockUsed_;
    std::memcpy(at, value.data(), value.size());
    blockUsed_ += value.size();
    return {at, value.size()};
}

// Shared texts pay when most repeat; when most rows so far brought a new text, every row
// keeps its own from here on.
void ValueColumn::decideDictionary() {
    if (values_.size() * 4 < codes_.size() * 3) {
        return;
    }
    dictionary_ = false;
    codeOf_ = {};
}

std::string_view ValueColumn::at(std::size_t row) const {
    return values_[codes_[row]];
}

void ValueColumn::seal() {
    codeOf_ = {};
}

}  // namespace bp::filter
