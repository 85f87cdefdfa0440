#pragma once
// A window of the program: its controls in creation order, its life cycle (Load, Show, Hide,
// Unload), the default and cancel buttons and the control that has the focus.
//
// A form's constructor creates its controls with add<T>() and binds their events to its own
// members named as the control and the event:
//
//     cmdOK_ = &add<CommandButton>("cmdOK");
//     cmdOK_->onClick = [this] { cmdOK_Click(); };
//
// Unloading does not reset the controls: a form object keeps its state, and Form_Load sets up
// what each showing needs.

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "forms/Control.h"
#include "forms/ControlArray.h"

namespace bp::forms {

class CommandButton;
class MenuEntry;
class UiService;

// What a form tells its observers; controls report their own changes.
enum class FormProperty { Caption, Loaded, Visible, ActiveControl, Controls };

class Form {
public:
    using Observer = std::function<void(Form&, FormProperty)>;

    Form(UiService& ui, std::string name, std::string caption = {});
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    UiService& ui() const { return ui_; }
    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);

    // Creates a control in `container` (nullptr: the form; a tab control needs the page).
    // Throws std::invalid_argument for a container of another form or of the wrong kind, and
    // for a name and index that are already taken.
    template <class T>
    T& add(std::string name, int index = -1, Control* container = nullptr, int tabPage = -1) {
        checkNewControl(name, index, container, tabPage, std::is_same_v<T, MenuEntry>);
        auto control =
            std::make_unique<T>(ControlInit(*this, std::move(name), index, container, tabPage));
        T& ref = *control;
        adopt(std::move(control));
        return ref;
    }

    // Every control in creation order, menus and timers included.
    const std::vector<Control*>& controls() const { return order_; }
    void forEachControl(const std::function<void(Control&)>& visit) const;
    Control* find(const std::string& name, int index = -1) const;
    template <class T>
    T* findAs(const std::string& name, int index = -1) const {
        return dynamic_cast<T*>(find(name, index));
    }
    // The members of control array `name`, by index.
    template <class T>
    ControlArray<T> array(const std::string& name) const {
        ControlArray<T> result;
        for (Control* c : order_) {
            if (c->name() == name && c->index() >= 0) {
                if (auto* typed = dynamic_cast<T*>(c)) {
                    result.set(c->index(), *typed);
                }
            }
        }
        return result;
    }

    // Life cycle. load() runs Form_Load once until the next unload; Form_Load may unload the
    // form again, and show() then does not show it.
    void load();
    // Runs Form_Unload; false when it set Cancel and the form stays.
    bool unload();
    void show();
    // Shows the form modally through the UI service; returns when it is hidden or unloaded.
    void showModal();
    void hide();
    bool loaded() const { return loaded_; }
    bool visible() const { return visible_; }
    bool modal() const { return modal_; }

    // Enter and Esc: the default and the cancel button are clicked when usable.
    void setDefaultButton(CommandButton* button) { defaultButton_ = button; }
    void setCancelButton(CommandButton* button) { cancelButton_ = button; }
    CommandButton* defaultButton() const { return defaultButton_; }
    CommandButton* cancelButton() const { return cancelButton_; }
    bool pressEnter();
    bool pressEscape();

    Control* activeControl() const { return active_; }

    // Pops `menu` up at x, y; the UI service answers with an entry, whose Click runs before
    // this returns. Nothing happens when the user dismisses the menu.
    void popupMenu(MenuEntry& menu, int x = 0, int y = 0);
    // The menu popped up right now, if any.
    MenuEntry* poppedUpMenu() const { return popup_; }

    int subscribe(Observer observer);
    void unsubscribe(int id);

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }

private:
    friend class Control;

    void checkNewControl(const std::string& name, int index, Control* container, int tabPage,
                         bool isMenu) const;
    void adopt(std::unique_ptr<Control> control);
    void changed(FormProperty property);
    void setVisibleFlag(bool visible);
    // Focus bookkeeping for Control::setFocus and for controls that become unusable.
    bool moveFocus(Control& to);
    void dropFocus(Control& from);

    UiService& ui_;
    std::string name_;
    std::string caption_;
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> order_;
    bool loaded_ = false;
    bool visible_ = false;
    bool modal_ = false;
    CommandButton* defaultButton_ = nullptr;
    CommandButton* cancelButton_ = nullptr;
    Control* active_ = nullptr;
    MenuEntry* popup_ = nullptr;
    std::vector<std::pair<int, Observer>> observers_;
    int nextObserverId_ = 1;
};

}  // namespace bp::forms
