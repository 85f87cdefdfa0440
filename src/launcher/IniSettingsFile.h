#pragma once
// The settings store file of the desktop program, read and written the way the program keeps
// it: "[Section]" lines, "key=value" lines split at the first "=", names compared without
// regard to case, "%" and control bytes written as "%XX", every change written through by
// replacing the whole file.

#include <string>
#include <utility>
#include <vector>

#include "launcher/SettingsSource.h"

namespace bp::launcher {

class IniSettingsFile : public SettingsSource {
public:
    explicit IniSettingsFile(std::string path);

    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const override;
    // Raises bp::Error 70 when the file cannot be replaced.
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view value) override;

    // $BRINDLEPATH_SETTINGS, else $XDG_CONFIG_HOME/brindlepath/settings.ini, else
    // ~/.config/brindlepath/settings.ini.
    static std::string userPath();

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };

    void load();
    Section* find(std::string_view section);
    const Section* find(std::string_view section) const;

    std::string path_;
    std::vector<Section> sections_;
};

}  // namespace bp::launcher
