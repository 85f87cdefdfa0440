#include "filter/ValueColumn.h"

#include <algorithm>
#include <cstring>

namespace bp::filter {

namespace {

constexpr std::size_t kBlockBytes = 256 * 1024;

}  // namespace

void ValueColumn::push(std::string_view value) {
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
        blocks_.push_back(std::make_unique<char[]>(blockSize_));
        blockUsed_ = 0;
    }
    char* at = blocks_.back().get() + blockUsed_;
    std::memcpy(at, value.data(), value.size());
    blockUsed_ += value.size();
    return {at, value.size()};
}

std::string_view ValueColumn::at(std::size_t row) const {
    return values_[codes_[row]];
}

void ValueColumn::seal() {
    codeOf_ = {};
    codes_.shrink_to_fit();
    values_.shrink_to_fit();
}

}  // namespace bp::filter
