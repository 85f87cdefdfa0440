#include "platform/MemorySettingsStore.h"

#include "platform/Error.h"

namespace bp::platform {

std::string MemorySettingsStore::GetSetting(std::string_view section, std::string_view key,
                                            std::string_view defaultValue) const {
    const std::string* value = data_.find(section, key);
    return value == nullptr ? std::string(defaultValue) : *value;
}

void MemorySettingsStore::SaveSetting(std::string_view section, std::string_view key,
                                      std::string_view value) {
    if (section.empty() || key.empty()) {
        raise(kErrInvalidCall, "Invalid procedure call or argument: empty setting name");
    }
    data_.set(section, key, value);
}

void MemorySettingsStore::DeleteSetting(std::string_view section, std::string_view key) {
    data_.erase(section, key);
}

void MemorySettingsStore::DeleteSetting(std::string_view section) {
    data_.eraseSection(section);
}

SettingPairs MemorySettingsStore::GetAllSettings(std::string_view section) const {
    return data_.all(section);
}

}  // namespace bp::platform
