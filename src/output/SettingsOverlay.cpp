#include "output/SettingsOverlay.h"

#include <algorithm>
#include <array>

#include "core/CaseFold.h"

namespace bp::output {
namespace {

constexpr std::string_view kWindowSection = platform::kSettingsSection;
// Keys of "Settings" that other programs read: they are written through.
constexpr std::array<std::string_view, 4> kSharedKeys{"DataFile", "Template", "TemplatePath",
                                                      "TemplatesFolder"};

}  // namespace

SettingsOverlay::SettingsOverlay(platform::SettingsStore& base,
                                 const platform::SettingPairs& overrides)
    : base_(base) {
    for (const auto& [key, value] : overrides) {
        memory_.SaveSetting(kWindowSection, key, value);
        touched_.insert(core::foldCase(key));
    }
}

bool SettingsOverlay::keptInMemory(std::string_view section, std::string_view key) const {
    if (!core::equalNoCase(section, kWindowSection)) {
        return false;
    }
    return std::ranges::none_of(kSharedKeys,
                                [&](std::string_view k) { return core::equalNoCase(k, key); });
}

std::string SettingsOverlay::GetSetting(std::string_view section, std::string_view key,
                                        std::string_view defaultValue) const {
    if (core::equalNoCase(section, kWindowSection) && touched_.contains(core::foldCase(key))) {
        return memory_.GetSetting(section, key, defaultValue);
    }
    return base_.GetSetting(section, key, defaultValue);
}

void SettingsOverlay::SaveSetting(std::string_view section, std::string_view key,
                                  std::string_view value) {
    if (!keptInMemory(section, key)) {
        return base_.SaveSetting(section, key, value);
    }
    memory_.SaveSetting(section, key, value);
    touched_.insert(core::foldCase(key));
}

void SettingsOverlay::DeleteSetting(std::string_view section, std::string_view key) {
    if (!keptInMemory(section, key)) {
        return base_.DeleteSetting(section, key);
    }
    memory_.DeleteSetting(section, key);
    touched_.insert(core::foldCase(key));
}

void SettingsOverlay::DeleteSetting(std::string_view section) {
    if (core::equalNoCase(section, kWindowSection)) {
        for (const auto& [key, value] : GetAllSettings(section)) {
            DeleteSetting(section, key);
        }
        return;
    }
    base_.DeleteSetting(section);
}

platform::SettingPairs SettingsOverlay::GetAllSettings(std::string_view section) const {
    if (!core::equalNoCase(section, kWindowSection)) {
        return base_.GetAllSettings(section);
    }
    platform::SettingPairs pairs;
    for (const auto& [key, value] : base_.GetAllSettings(section)) {
        if (!touched_.contains(core::foldCase(key))) {
            pairs.emplace_back(key, value);
        }
    }
    for (const auto& pair : memory_.GetAllSettings(section)) {
        pairs.push_back(pair);
    }
    return pairs;
}

}  // namespace bp::output
