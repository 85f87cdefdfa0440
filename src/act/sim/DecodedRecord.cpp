#include "act/sim/DecodedRecord.h"

#include <algorithm>

namespace bp::sim {

void DecodedRecord::start(const RecordSet& set, std::uint32_t record) {
    set_ = &set;
    record_ = record;
    packed_ = set.entries(record);
    next_ = 0;
    complete_ = false;
    if (++generation_ == 0) {  // after 2^32 records, old stamps could match again
        std::fill(stamps_.begin(), stamps_.end(), 0);
        generation_ = 1;
    }
}

std::string_view DecodedRecord::decode(const RecordSet& set, std::uint32_t record,
                                       int fieldNumber) {
    if (&set != set_ || record != record_) {
        start(set, record);
    }
    if (fieldNumber < 0) {
        return {};
    }
    while (!known(fieldNumber) && !complete_) {
        int number = 0;
        std::string_view value;
        if (!RecordSet::nextEntry(packed_, next_, number, value)) {
            complete_ = true;
            break;
        }
        const auto at = static_cast<std::size_t>(number);
        if (at >= stamps_.size()) {
            stamps_.resize(at + 1, 0);
            values_.resize(at + 1);
        }
        if (stamps_[at] != generation_) {  // a repeated field keeps its first value
            stamps_[at] = generation_;
            values_[at] = value;
        }
    }
    return known(fieldNumber) ? values_[static_cast<std::size_t>(fieldNumber)] : std::string_view();
}

}  // namespace bp::sim
