#pragma once
// The text form of the settings store file, shared with the report builder:
//
//   [Settings]
//   lstCriteria0=0%0C2%0C
//
// `%` is written %25 and every byte below 0x20 and 0x7F as % and two upper-case hex digits;
// nothing else, so Windows paths stay readable. In names "=" and a leading "[" are escaped
// too, since either would otherwise change how the line is read back.

#include <string>
#include <string_view>

#include "platform/SettingsData.h"

namespace bp::platform {

class SettingsFileFormat {
public:
    enum class Part { Name, Value };

    static std::string escape(std::string_view text, Part part);
    // A "%" not followed by two hex digits is kept as it stands: a damaged escape loses
    // nothing more than its own meaning.
    static std::string unescape(std::string_view text);

    // Lines that cannot be read (no section yet, no "=", empty name) are skipped, so a
    // damaged file still yields every entry it holds.
    static SettingsData parse(std::string_view text);
    static std::string serialize(const SettingsData& data);
};

}  // namespace bp::platform
