#include "output/StoredValues.h"

namespace bp::output {
namespace {

// No stored value can hold a NUL, so this default tells an absent key from any value.
const std::string kAbsent("\0absent", 7);

std::optional<std::string> valueOf(const platform::SettingsStore& store,
                                   const StoredValues::Key& key) {
    std::string value = store.GetSetting(key.first, key.second, kAbsent);
    return value == kAbsent ? std::nullopt : std::optional(value);
}

}  // namespace

StoredValues::StoredValues(platform::SettingsStore& store, std::vector<Key> keys) : store_(store) {
    for (Key& key : keys) {
        std::optional<std::string> value = valueOf(store_, key);
        values_.emplace_back(std::move(key), std::move(value));
    }
}

void StoredValues::restore() {
    std::vector<const std::pair<Key, std::optional<std::string>>*> changed;
    for (const auto& entry : values_) {
        if (valueOf(store_, entry.first) != entry.second) {
            changed.push_back(&entry);
        }
    }
    if (changed.empty()) {
        return;
    }
    store_.batch([&] {
        for (const auto* entry : changed) {
            const auto& [key, value] = *entry;
            if (value) {
                store_.SaveSetting(key.first, key.second, *value);
            } else {
                store_.DeleteSetting(key.first, key.second);
            }
        }
    });
}

}  // namespace bp::output
