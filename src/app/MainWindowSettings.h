#pragma once
// The main window's saved state: every key of the settings section "Settings" that the window
// writes at unload and reads at load, declared once with its control, kind and default
// (kMainWindowKeys), and the routines that save and restore controls and list selections.
//
// A stored value that its control cannot take (a damaged or hand-edited store) is replaced
// by that key's default, so the window always opens fully restored.

#include <string>
#include <string_view>
#include <vector>

#include "criteria/CriteriaControls.h"
#include "forms/ListBox.h"
#include "platform/Locale.h"
#include "platform/SettingsStore.h"

namespace bp::app {

using platform::kSettingsSection;

// How a key's value is written and read.
enum class SettingKind {
    Option,       // "-1"/"0"; read as a Boolean ("-1", "0", "True", "False")
    Check,        // "0"/"1" (or "2", greyed)
    Index,        // ListIndex as integer text
    Text,         // the text unchanged
    Date,         // the regional date (and time) text; the default is now
    ListIndexes,  // selected positions, each followed by Chr(12)
    ListTexts,    // selected entries' texts, each followed by Chr(12)
};

struct SettingKey {
    const char* key;
    const char* control;  // control name as the window names it
    int index;            // control array index, -1 for a single control
    SettingKind kind;
    const char* defaultValue;  // unused for dates (now) and lists (nothing selected)
};

// Every key the main window writes at unload, in the order it writes them.
extern const std::vector<SettingKey> kMainWindowKeys;

class MainWindowSettings {
public:
    MainWindowSettings(forms::Form& form, platform::SettingsStore& store);

    // Writes every key of kMainWindowKeys in table order.
    void Save_Settings();
    // Reads one key into its control (lists included); see the class comment for bad values.
    void restore(std::string_view key);

    // Selections under List's name + Index: positions, or (the _Users forms) entry texts.
    // Saving a list without selection keeps what was stored before.
    void Save_List_Settings(const forms::ListBox& list, int Index);
    void Save_List_Settings_Users(const forms::ListBox& list, int Index);
    void Load_List_Settings(forms::ListBox& list, int Index);
    void Load_List_Settings_Users(forms::ListBox& list, int Index);

    static const SettingKey& keyOf(std::string_view key);

private:
    forms::Control& controlOf(const SettingKey& key) const;
    std::string valueOf(const SettingKey& key) const;
    void apply(const SettingKey& key, const std::string& value);
    void applyDefault(const SettingKey& key);

    forms::Form& form_;
    platform::SettingsStore& store_;
    platform::Locale locale_;
};

}  // namespace bp::app
