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

StoredValues::StoredValues(platform::SettingsStore& store, std::vector<Key> keys,
                           std::vector<std::string> sections)
    : store_(store) {
    for (std::string& section : sections) {
        platform::SettingPairs pairs = store_.GetAllSettings(section);
        sections_.emplace_back(std::move(section), std::move(pairs));
    }
    for (Key& key : keys) {
        std::optional<std::string> value = valueOf(store_, key);
        values_.emplace_back(std::move(key), std::move(value));
    }
}

void StoredValues::restore() {
    std::vector<const std::pair<std::string, platform::SettingPairs>*> changedSections;
    for (const auto& section : sections_) {
        if (store_.GetAllSettings(section.first) != section.second) {
            changedSections.push_back(&section);
        }
    }
    std::vector<const std::pair<Key, std::optional<std::string>>*> changedKeys;
    for (const auto& entry : values_) {
        if (valueOf(store_, entry.first) != entry.second) {
            changedKeys.push_back(&entry);
        }
    }
    if (changedSections.empty() && changedKeys.empty()) {
        return;
    }
    store_.batch([&] {
        for (const auto* section : changedSections) {
            store_.DeleteSetting(section->first);
            for (const auto& [key, value] : section->second) {
                store_.SaveSetting(section->first, key, value);
            }
        }
        for (const auto* entry : changedKeys) {
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
