#pragma once
// A settings store that lives only as long as the object: for tests of the layers above,
// which must never touch the user's own store.

#include "platform/SettingsData.h"
#include "platform/SettingsStore.h"

namespace bp::platform {

class MemorySettingsStore : public SettingsStore {
public:
    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const override;
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view value) override;
    void DeleteSetting(std::string_view section, std::string_view key) override;
    void DeleteSetting(std::string_view section) override;
    SettingPairs GetAllSettings(std::string_view section) const override;

private:
    SettingsData data_;
};

}  // namespace bp::platform
