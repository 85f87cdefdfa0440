#pragma once
// Calls the adapter made, per member, under the names the embedded host counts its own
// ("Sales.Data", "App.IsDBOpen"), so a run through automation can be compared with a run on
// the embedded host. Objects resolve their member names once; a call is an array increment.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace bp::automation {

class CallCounter {
public:
    using MemberId = std::size_t;

    MemberId member(const std::string& name);
    void count(MemberId id) { ++counts_[id]; }
    // Members called at least once.
    std::map<std::string, std::uint64_t> counts() const;

private:
    std::unordered_map<std::string, MemberId> ids_;
    std::vector<std::string> names_;
    std::vector<std::uint64_t> counts_;
};

}  // namespace bp::automation
