#pragma once
// Call counters and injected faults of one embedded host. Every automation member counts its
// calls under "Object.Member" ("Sales.GoTo"); a member can be made to fail after a number of
// further calls, so other layers can test how they report host failures.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace bp::sim {

class CallLog {
public:
    using MemberId = std::size_t;

    // Stable id of a member name; objects look their members up once, not per call.
    MemberId member(const std::string& name);

    // Counts one call; throws the injected bp::Error when the member is due to fail.
    void call(MemberId id) {
        ++counts_[id];
        ++total_;
        if (anyFault_) {
            checkFault(id);
        }
    }

    // From the next call on, `afterCalls` calls succeed and every later one throws.
    void failAt(const std::string& name, std::uint64_t afterCalls, int number,
                const std::string& description);
    // One call alone fails: the one `afterCalls` calls of any member from now, whichever it is.
    // A test that walks `afterCalls` over a whole run reaches every call site the run has.
    void failOneCall(std::uint64_t afterCalls, int number, const std::string& description);
    // Members that answer with a result code answer this value instead of doing their work;
    // a bare name ("Register", "AddAuxCommand") means the event control's or aux object's.
    void forceResult(const std::string& name, int result);
    std::optional<int> forcedResult(const std::string& name) const;
    void clearFaults();

    std::map<std::string, std::uint64_t> counts() const;
    std::string report() const;  // one "name count" line per called member

private:
    struct Fault {
        std::uint64_t failFrom;  // call count from which calls fail
        int number;
        std::string description;
    };
    void checkFault(MemberId id) const;

    std::unordered_map<std::string, MemberId> ids_;
    std::vector<std::string> names_;
    std::vector<std::uint64_t> counts_;
    std::uint64_t total_ = 0;
    std::unordered_map<MemberId, Fault> faults_;
    std::optional<Fault> oneCall_;  // failFrom counts calls of every member
    std::map<std::string, int> results_;
    bool anyFault_ = false;
};

}  // namespace bp::sim
