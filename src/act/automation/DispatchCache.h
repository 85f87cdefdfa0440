#pragma once
// Member numbers (DISPIDs) already asked of objects of one kind, shared by every Dispatch that
// names that kind, so a member is looked up once per kind rather than once per object.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oaidl.h>

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace bp::automation {

class DispatchCache {
public:
    // The cache every Dispatch given a kind name shares.
    static DispatchCache& shared();

    std::optional<DISPID> find(const std::string& kind, const std::string& member) const;
    void remember(const std::string& kind, const std::string& member, DISPID id);

private:
    mutable std::mutex mutex_;
    std::map<std::pair<std::string, std::string>, DISPID> ids_;
};

}  // namespace bp::automation
