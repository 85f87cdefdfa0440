#include "app/MainWindowSettings.h"

#include <algorithm>
#include <stdexcept>

#include "core/CaseFold.h"
#include "forms/Controls.h"
#include "platform/Conversions.h"
#include "platform/Error.h"

namespace bp::app {

using K = SettingKind;

const std::vector<SettingKey> kMainWindowKeys = {
    {"Lookup", "optChoice", 0, K::Option, "1"},
    {"Report", "optChoice", 1, K::Option, "0"},
    {"Lookup0", "optLookup", 0, K::Option, "1"},
    {"Report0", "optReport", 0, K::Option, "0"},
    {"Lookup1", "optLookup", 1, K::Option, "0"},
    {"Report1", "optReport", 1, K::Option, "1"},
    {"Lookup2", "optLookup", 2, K::Option, "0"},
    {"Report2", "optReport", 2, K::Option, "0"},
    {"ChkSales0", "chkSales", 0, K::Check, "1"},
    {"ChkSales1", "chkSales", 1, K::Check, "0"},
    {"ChkSales2", "chkSales", 2, K::Check, "0"},
    {"ChkSales3", "chkSales", 3, K::Check, "0"},
    {"ManagedBy0", "optManagedby", 0, K::Option, "1"},
    {"SalesManagedBy0", "optSalesManagedBy", 0, K::Option, "1"},
    {"Date0", "optDate", 0, K::Option, "1"},
    {"Condition0", "chkCondition", 0, K::Check, "0"},
    {"Min0", "txtValueMin", 0, K::Text, ""},
    {"Max0", "txtValueMax", 0, K::Text, ""},
    {"OR0", "optOr", 0, K::Option, "-1"},
    {"CondDateStart0", "dtpStart", 0, K::Date, ""},
    {"CondDateEnd0", "dtpEnd", 0, K::Date, ""},
    {"ManagedBy1", "optManagedby", 1, K::Option, "0"},
    {"SalesManagedBy1", "optSalesManagedBy", 1, K::Option, "0"},
    {"Date1", "optDate", 1, K::Option, "0"},
    {"Condition1", "chkCondition", 1, K::Check, "0"},
    {"Min1", "txtValueMin", 1, K::Text, ""},
    {"Max1", "txtValueMax", 1, K::Text, ""},
    // Written for the record; the second condition's only option is always set.
    {"OR1", "optOr", 1, K::Option, "-1"},
    {"CondDateStart1", "dtpStart", 1, K::Date, ""},
    {"CondDateEnd1", "dtpEnd", 1, K::Date, ""},
    {"AND0", "optAnd", 0, K::Option, "0"},
    {"cboOutput", "cboOutput", -1, K::Index, "0"},
    {"ReportsListIndex", "lstReports", -1, K::Index, "0"},
    {"cboCondition0", "cboCondition", 0, K::Index, "0"},
    {"cboCondition1", "cboCondition", 1, K::Index, "0"},
    {"Reverse", "chkReverse", -1, K::Check, "0"},
    {"lstUsers0", "lstUsers", -1, K::ListTexts, ""},
    {"lstSalesUsers0", "lstSalesUsers", -1, K::ListTexts, ""},
    {"lstCriteria0", "lstCriteria", 0, K::ListIndexes, ""},
    {"lstCriteria1", "lstCriteria", 1, K::ListIndexes, ""},
    {"SalesDateStart", "dtpStartDate", -1, K::Date, ""},
    {"SalesDateEnd", "dtpEndDate", -1, K::Date, ""},
};

namespace {

constexpr char kItemEnd = '\x0C';

std::vector<std::string> splitItems(const std::string& value) {
    std::vector<std::string> items;
    std::string::size_type start = 0;
    while (start < value.size()) {
        auto end = value.find(kItemEnd, start);
        if (end == std::string::npos) {
            end = value.size();
        }
        items.push_back(value.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

}  // namespace

MainWindowSettings::MainWindowSettings(forms::Form& form, platform::SettingsStore& store)
    : form_(form), store_(store), locale_(platform::Locale::current()) {}

const SettingKey& MainWindowSettings::keyOf(std::string_view key) {
    for (const SettingKey& entry : kMainWindowKeys) {
        if (core::equalNoCase(entry.key, key)) {
            return entry;
        }
    }
    throw std::invalid_argument("No main window setting is named " + std::string(key));
}

forms::Control& MainWindowSettings::controlOf(const SettingKey& key) const {
    forms::Control* control = form_.find(key.control, key.index);
    if (control == nullptr) {
        throw std::logic_error(std::string("The main window has no ") + key.control);
    }
    return *control;
}

std::string MainWindowSettings::valueOf(const SettingKey& key) const {
    forms::Control& control = controlOf(key);
    switch (key.kind) {
        case K::Option:
            return static_cast<forms::OptionButton&>(control).value() ? "-1" : "0";
        case K::Check:
            return std::to_string(static_cast<forms::CheckBox&>(control).value());
        case K::Index:
            return std::to_string(static_cast<forms::ListControl&>(control).listIndex());
        case K::Text:
            return static_cast<forms::TextBox&>(control).text();
        case K::Date:
            return locale_.formatDateValue(static_cast<forms::DatePicker&>(control).value());
        default:
            return {};
    }
}

// All keys in one write of the store: closing the window stays quick.
void MainWindowSettings::Save_Settings() {
    store_.batch([&] {
        for (const SettingKey& key : kMainWindowKeys) {
            if (key.kind == K::ListIndexes) {
                Save_List_Settings(static_cast<forms::ListBox&>(controlOf(key)), key.index);
            } else if (key.kind == K::ListTexts) {
                Save_List_Settings_Users(static_cast<forms::ListBox&>(controlOf(key)), 0);
            } else {
                store_.SaveSetting(kSettingsSection, key.key, valueOf(key));
            }
        }
    });
}

void MainWindowSettings::apply(const SettingKey& key, const std::string& value) {
    forms::Control& control = controlOf(key);
    switch (key.kind) {
        case K::Option:
            static_cast<forms::OptionButton&>(control).setValue(platform::CBool(value, locale_));
            break;
        case K::Check:
            static_cast<forms::CheckBox&>(control).setValue(platform::CLng(value, locale_));
            break;
        case K::Index:
            static_cast<forms::ListControl&>(control).setListIndex(platform::CLng(value, locale_));
            break;
        case K::Text:
            static_cast<forms::TextBox&>(control).setText(value);
            break;
        case K::Date:
            static_cast<forms::DatePicker&>(control).setValue(platform::CDate(value, locale_));
            break;
        default:
            break;
    }
}

void MainWindowSettings::applyDefault(const SettingKey& key) {
    if (key.kind == K::Date) {
        static_cast<forms::DatePicker&>(controlOf(key)).setValue(DateTime::now());
        return;
    }
    try {
        apply(key, key.defaultValue);
    } catch (const std::exception&) {
        // An index default on an empty list: the control keeps its state.
    }
}

void MainWindowSettings::restore(std::string_view name) {
    const SettingKey& key = keyOf(name);
    if (key.kind == K::ListIndexes) {
        Load_List_Settings(static_cast<forms::ListBox&>(controlOf(key)), key.index);
        return;
    }
    if (key.kind == K::ListTexts) {
        Load_List_Settings_Users(static_cast<forms::ListBox&>(controlOf(key)), 0);
        return;
    }
    const std::string absent = "\x01";
    const std::string stored = store_.GetSetting(kSettingsSection, key.key, absent);
    if (stored == absent) {
        applyDefault(key);
        return;
    }
    try {
        apply(key, stored);
    } catch (const std::exception&) {
        applyDefault(key);
    }
}

void MainWindowSettings::Save_List_Settings(const forms::ListBox& list, int Index) {
    std::string value;
    for (int position : list.selectedIndices()) {
        value += std::to_string(position) + kItemEnd;
    }
    if (!value.empty()) {
        store_.SaveSetting(kSettingsSection, list.name() + std::to_string(Index), value);
    }
}

void MainWindowSettings::Save_List_Settings_Users(const forms::ListBox& list, int Index) {
    std::string value;
    for (int position : list.selectedIndices()) {
        value += list.list(position) + kItemEnd;
    }
    if (!value.empty()) {
        store_.SaveSetting(kSettingsSection, list.name() + std::to_string(Index), value);
    }
}

void MainWindowSettings::Load_List_Settings(forms::ListBox& list, int Index) {
    const std::string stored =
        store_.GetSetting(kSettingsSection, list.name() + std::to_string(Index), "");
    for (const std::string& item : splitItems(stored)) {
        try {
            const int position = platform::CLng(item, locale_);
            if (position >= 0 && position < list.listCount()) {
                list.setSelected(position, true);
            }
        } catch (const Error&) {
            // A damaged entry selects nothing; the others still do.
        }
    }
}

// A user is selected when the saved names hold exactly its name: "Ann" is not selected by a
// saved "Anne".
void MainWindowSettings::Load_List_Settings_Users(forms::ListBox& list, int Index) {
    const std::vector<std::string> saved =
        splitItems(store_.GetSetting(kSettingsSection, list.name() + std::to_string(Index), ""));
    for (int i = 0; i < list.listCount(); ++i) {
        if (std::find(saved.begin(), saved.end(), list.list(i)) != saved.end()) {
            list.setSelected(i, true);
        }
    }
}

}  // namespace bp::app
