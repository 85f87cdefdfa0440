#pragma once
// The fields of the current record as far as they have been read. A report reads a dozen
// fields of each record; finding each by walking the packed record from its start read the
// first entries again and again. Each entry is decoded at most once per record, and never
// further than the fields asked for reach, so a walk that reads one early field stays cheap.

#include <cstdint>
#include <string_view>
#include <vector>

#include "act/sim/RecordSet.h"

namespace bp::sim {

class DecodedRecord {
public:
    // The value of `fieldNumber` in `record` of `set` (the first, if the record repeats the
    // field); empty when the record has no such field.
    std::string_view field(const RecordSet& set, std::uint32_t record, int fieldNumber) {
        if (&set == set_ && record == record_ && known(fieldNumber)) {
            return values_[static_cast<std::size_t>(fieldNumber)];
        }
        return decode(set, record, fieldNumber);
    }

private:
    std::string_view decode(const RecordSet& set, std::uint32_t record, int fieldNumber);
    void start(const RecordSet& set, std::uint32_t record);
    bool known(int fieldNumber) const {
        const auto at = static_cast<std::size_t>(fieldNumber);  // a negative one: never known
        return at < stamps_.size() && stamps_[at] == generation_;
    }

    const RecordSet* set_ = nullptr;
    std::uint32_t record_ = RecordSet::kNone;
    std::string_view packed_;
    std::size_t next_ = 0;   // where the first entry not yet decoded starts
    bool complete_ = false;  // every entry decoded
    std::uint32_t generation_ = 0;
    // By field number: the generation that decoded it, and its value then.
    std::vector<std::uint32_t> stamps_;
    std::vector<std::string_view> values_;
};

}  // namespace bp::sim
