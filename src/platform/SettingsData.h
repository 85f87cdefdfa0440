#pragma once
// The sections and keys of a settings store held in memory, in the order first written.
// Names are matched without regard to case; the spelling first written is kept.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/SettingsStore.h"

namespace bp::platform {

class SettingsData {
public:
    struct Section {
        std::string name;
        std::string folded;
        SettingPairs entries;
        std::unordered_map<std::string, std::size_t> index;  // folded key -> entry position
    };

    const std::string* find(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const { return findSection(section) != nullptr; }
    // Each returns whether anything changed, so an unchanged store need not be rewritten.
    bool set(std::string_view section, std::string_view key, std::string_view value);
    bool erase(std::string_view section, std::string_view key);
    bool eraseSection(std::string_view section);
    SettingPairs all(std::string_view section) const;

    const std::vector<Section>& sections() const { return sections_; }

private:
    const Section* findSection(std::string_view section) const;
    Section* findSection(std::string_view section);
    static void reindex(Section& section);

    std::vector<Section> sections_;
};

}  // namespace bp::platform
