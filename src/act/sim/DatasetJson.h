#pragma once
// The host dataset in JSON (brindlepath-host import/export): records as objects from field
// number to value text, in the host's order, with users, field types, drop-down lists, sales
// stages, the current lookup and contact, and optional injected faults for tests.

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <string>

#include "act/sim/HostStore.h"

namespace bp::sim {

class DatasetJson {
public:
    // A dataset file larger than this, or one that is no regular file (a pipe, a device), is
    // refused before it is read.
    static constexpr std::uint64_t kMaxFileBytes = std::uint64_t{2} << 30;

    // Replaces the host database at dbPath with the dataset; bad input is refused with a
    // bp::Error naming the place ("sales[3]: a record needs field 1") and leaves the old
    // database as it was.
    static void importText(const std::string& dbPath, const std::string& jsonText);
    static void importFile(const std::string& dbPath, const std::string& jsonPath);
    static void importJson(const std::string& dbPath, const nlohmann::json& dataset);

    static nlohmann::json exportJson(HostStore& store);
};

}  // namespace bp::sim
