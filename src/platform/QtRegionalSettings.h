#pragma once
// The regional settings from Qt's copy of the Unicode locale database, on systems whose own
// settings the program cannot ask. The only file outside the front end that includes QtCore.

#include "platform/RegionalSettings.h"

namespace bp::platform {

class QtRegionalSettings final : public RegionalSettings {
public:
    Locale::Data read(const std::string& name) const override;
    // From the environment: LC_ALL, else LC_NUMERIC, else LANG.
    std::string userLocaleName() const override;
};

}  // namespace bp::platform
