#pragma once
// The Windows edition's settings store: the user's registry, where the classic Windows
// program kept the same settings, so a user's earlier choices are found again and its tools
// can read ours. Each section is a key
//   HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>
// and each setting a REG_SZ value of it. Names are compared without regard to case, as the
// registry does (with Unicode case folding, also where the registry's own table differs),
// and a name keeps the spelling it was first written with. The registry keeps no order of
// writing, so GetAllSettings lists a section in the order of its names, the same on every
// Windows version. Every change goes to the registry at once, so batch() needs nothing
// more than running the changes.

#include <memory>
#include <string>

#include "platform/SettingsStore.h"

namespace bp::platform {

class RegistrySettingsStore : public SettingsStore {
public:
    // `application` names the key below "VB and VBA Program Settings" (kAppName for the
    // program's own settings).
    explicit RegistrySettingsStore(std::string application);

    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const override;
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view value) override;
    void DeleteSetting(std::string_view section, std::string_view key) override;
    void DeleteSetting(std::string_view section) override;
    SettingPairs GetAllSettings(std::string_view section) const override;

    // The application's key below HKEY_CURRENT_USER.
    const std::wstring& keyPath() const { return keyPath_; }

private:
    std::wstring keyPath_;
};

}  // namespace bp::platform
