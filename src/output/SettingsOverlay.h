#pragma once
// The settings of one batch run: a selection file's "Settings" keys stand in front of the
// user's store for this run only. The main window's own keys read and written during the run
// stay in memory, so the run leaves the user's saved window state as it was; what the report
// builder needs (the staged definition in "Report", the data file's path) reaches the store.

#include <set>

#include "platform/MemorySettingsStore.h"
#include "platform/SettingsStore.h"

namespace bp::output {

class SettingsOverlay : public platform::SettingsStore {
public:
    SettingsOverlay(platform::SettingsStore& base, const platform::SettingPairs& overrides);

    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const override;
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view value) override;
    void DeleteSetting(std::string_view section, std::string_view key) override;
    void DeleteSetting(std::string_view section) override;
    platform::SettingPairs GetAllSettings(std::string_view section) const override;

private:
    bool keptInMemory(std::string_view section, std::string_view key) const;

    platform::SettingsStore& base_;
    platform::MemorySettingsStore memory_;
    // Main-window keys this run has set or deleted; read from memory from then on.
    std::set<std::string> touched_;
};

}  // namespace bp::output
