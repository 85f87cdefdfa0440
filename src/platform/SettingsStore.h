#pragma once
// Per-user settings: text values addressed by section and key, both compared without regard
// to case. Every read supplies a default; an absent key is never an error. The main window
// keeps its state in section "Settings", report definitions are staged in section "Report".

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bp::platform {

using SettingPairs = std::vector<std::pair<std::string, std::string>>;

// The section the main window, the run and the report builder keep their state in.
inline constexpr std::string_view kSettingsSection = "Settings";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored value, or `defaultValue` when the section or key is absent.
    virtual std::string GetSetting(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const = 0;
    // Creates the section and key when missing; the spelling first written is kept.
    // Raises bp::Error (70, 75) when the change cannot be kept.
    virtual void SaveSetting(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
    // Deleting what is absent is no error.
    virtual void DeleteSetting(std::string_view section, std::string_view key) = 0;
    virtual void DeleteSetting(std::string_view section) = 0;
    // The pairs of a section in the order they were first written; empty when absent.
    virtual SettingPairs GetAllSettings(std::string_view section) const = 0;

    // Runs `changes` (saves and deletes on this store) as one write: a file store replaces
    // its file once, at the end, instead of once per key. Staging a definition writes a few
    // hundred keys. When `changes` fails part-way, what it did is still kept, as it would
    // be with single saves, and the failure goes on to the caller.
    virtual void batch(const std::function<void()>& changes) { changes(); }
};

}  // namespace bp::platform
