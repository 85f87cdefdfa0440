#include "forms/TabControl.h"

#include <stdexcept>

namespace bp::forms {

void TabControl::checkTab(int tab) const {
    if (tab < 0 || tab >= tabs()) {
        throw std::out_of_range("Invalid tab " + std::to_string(tab) + " of " + name());
    }
}

int TabControl::addTab(std::string caption) {
    pages_.push_back({std::move(caption)});
    if (tab_ < 0) {
        tab_ = 0;
        changed(Property::ListIndex);
    }
    changed(Property::Items);
    return tabs() - 1;
}

const std::string& TabControl::tabCaption(int tab) const {
    checkTab(tab);
    return pages_[static_cast<std::size_t>(tab)].caption;
}

void TabControl::setTabCaption(int tab, std::string caption) {
    checkTab(tab);
    auto& page = pages_[static_cast<std::size_t>(tab)];
    if (page.caption != caption) {
        page.caption = std::move(caption);
        changed(Property::Items);
    }
}

bool TabControl::tabVisible(int tab) const {
    checkTab(tab);
    return pages_[static_cast<std::size_t>(tab)].visible;
}

void TabControl::setTabVisible(int tab, bool visible) {
    checkTab(tab);
    auto& page = pages_[static_cast<std::size_t>(tab)];
    if (page.visible == visible) {
        return;
    }
    page.visible = visible;
    changed(Property::Items);
    // The user must never be left looking at a page that is not there.
    if (!visible && tab == tab_) {
        const int next = firstVisibleTab();
        if (next >= 0) {
            setTab(next);
        }
    }
}

bool TabControl::tabEnabled(int tab) const {
    checkTab(tab);
    return pages_[static_cast<std::size_t>(tab)].enabled;
}

void TabControl::setTabEnabled(int tab, bool enabled) {
    checkTab(tab);
    auto& page = pages_[static_cast<std::size_t>(tab)];
    if (page.enabled != enabled) {
        page.enabled = enabled;
        changed(Property::Items);
    }
}

void TabControl::setTab(int tab, Announcement announce) {
    checkTab(tab);
    if (tab == tab_) {
        return;
    }
    const int previous = tab_;
    tab_ = tab;
    changed(Property::ListIndex);
    if (announce == Announcement::DoEmit) {
        fire(onClick, previous);
    }
}

bool TabControl::clickTab(int tab) {
    checkTab(tab);
    const auto& page = pages_[static_cast<std::size_t>(tab)];
    if (!usable() || !page.visible || !page.enabled) {
        return false;
    }
    setTab(tab);
    return true;
}

int TabControl::firstVisibleTab() const {
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i].visible) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace bp::forms
