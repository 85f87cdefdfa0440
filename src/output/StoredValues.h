#pragma once
// Settings as they were before a piece of work changed them, put back when the work is
// undone: single keys, and whole sections with their order. A key that was absent is
// deleted again.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/SettingsStore.h"

namespace bp::output {

class StoredValues {
public:
    using Key = std::pair<std::string, std::string>;  // section, key

    StoredValues(platform::SettingsStore& store, std::vector<Key> keys,
                 std::vector<std::string> sections = {});
    // Writes back only what differs now, so an unchanged store is not rewritten.
    void restore();

private:
    platform::SettingsStore& store_;
    std::vector<std::pair<Key, std::optional<std::string>>> values_;
    std::vector<std::pair<std::string, platform::SettingPairs>> sections_;
};

}  // namespace bp::output
