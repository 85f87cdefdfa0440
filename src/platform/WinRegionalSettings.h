#pragma once
// The regional settings from Windows' own locale database (GetLocaleInfoEx): the user's
// choices in the control panel for the user's locale, the stock values for any other.

#include "platform/RegionalSettings.h"

namespace bp::platform {

class WinRegionalSettings final : public RegionalSettings {
public:
    Locale::Data read(const std::string& name) const override;
    // The user's default locale ("de-DE").
    std::string userLocaleName() const override;
};

}  // namespace bp::platform
