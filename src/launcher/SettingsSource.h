#pragma once
// The report builder's view of the settings store: it only reads what the program staged and
// resets "Template" after a template edit. Kept this narrow so the builder works against the
// store file of the desktop program and against in-memory doubles alike.

#include <string>
#include <string_view>

namespace bp::launcher {

class SettingsSource {
public:
    virtual ~SettingsSource() = default;
    virtual std::string GetSetting(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const = 0;
    virtual void SaveSetting(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
};

}  // namespace bp::launcher
