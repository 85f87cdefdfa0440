#include "platform/SettingsData.h"

#include <algorithm>
#include <utility>

#include "core/CaseFold.h"

namespace bp::platform {

const SettingsData::Section* SettingsData::findSection(std::string_view section) const {
    std::string folded = core::foldCase(section);
    auto it = std::find_if(sections_.begin(), sections_.end(),
                           [&](const Section& s) { return s.folded == folded; });
    return it == sections_.end() ? nullptr : &*it;
}

SettingsData::Section* SettingsData::findSection(std::string_view section) {
    return const_cast<Section*>(std::as_const(*this).findSection(section));
}

const std::string* SettingsData::find(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (s == nullptr) {
        return nullptr;
    }
    auto it = s->index.find(core::foldCase(key));
    return it == s->index.end() ? nullptr : &s->entries[it->second].second;
}

bool SettingsData::set(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = findSection(section);
    if (s == nullptr) {
        sections_.push_back(Section{std::string(section), core::foldCase(section), {}, {}});
        s = &sections_.back();
    }
    std::string foldedKey = core::foldCase(key);
    auto it = s->index.find(foldedKey);
    if (it != s->index.end()) {
        std::string& current = s->entries[it->second].second;
        if (current == value) {
            return false;
        }
        current.assign(value);
        return true;
    }
    s->index.emplace(std::move(foldedKey), s->entries.size());
    s->entries.emplace_back(std::string(key), std::string(value));
    return true;
}

bool SettingsData::erase(std::string_view section, std::string_view key) {
    Section* s = findSection(section);
    if (s == nullptr) {
        return false;
    }
    auto it = s->index.find(core::foldCase(key));
    if (it == s->index.end()) {
        return false;
    }
    s->entries.erase(s->entries.begin() + static_cast<std::ptrdiff_t>(it->second));
    reindex(*s);
    return true;
}

bool SettingsData::eraseSection(std::string_view section) {
    std::string folded = core::foldCase(section);
    auto removed = std::erase_if(sections_, [&](const Section& s) { return s.folded == folded; });
    return removed > 0;
}

SettingPairs SettingsData::all(std::string_view section) const {
    const Section* s = findSection(section);
    return s == nullptr ? SettingPairs{} : s->entries;
}

void SettingsData::reindex(Section& section) {
    section.index.clear();
    for (std::size_t i = 0; i < section.entries.size(); ++i) {
        section.index.emplace(core::foldCase(section.entries[i].first), i);
    }
}

}  // namespace bp::platform
