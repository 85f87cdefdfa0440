#pragma once
// Base of every control of the form model. A control belongs to one form, sits in a container
// (the form itself, a frame, a tab page of a tab control, or a parent menu) and carries the
// properties every window control has: name, index within a control array, Tag, Enabled,
// Visible and focus.
//
// Two kinds of change flow through a control:
// - events (onClick, onKeyPress, ...): raised by setters exactly as a user's action raises them,
//   synchronously; a nested handler runs to completion before the outer one continues;
// - quiet change notifications (subscribe): "property X changed", for a renderer that keeps a
//   widget in step. Observers hear every change, evented or quiet, and must not call back into
//   evented setters from their notification.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace bp::forms {

class Form;
class Control;

enum class ControlKind {
    Label,
    Frame,
    CommandButton,
    CheckBox,
    OptionButton,
    TextBox,
    ListBox,
    ComboBox,
    TabControl,
    DatePicker,
    ListView,
    Menu,
    Timer,
    ProgressBar,
};

// Whether a setter raises the control's events or only tells the observers.
enum class Announcement { DoEmit, BeQuiet };

// What an observer is told has changed; it reads the new state from the control.
enum class Property {
    Caption,
    Text,
    Value,
    Tag,
    Enabled,
    Visible,
    Focus,
    Layout,
    Items,      // list entries, tabs, list view rows or menu children added, removed, edited
    ListIndex,  // current entry of a list or combo, current tab of a tab control
    Selection,  // selected entries of a list, SelStart/SelLength of a text box
    Style,      // MaxLength, numeric/case styles, Locked, MultiSelect, combo style, ...
    Columns,    // list view column headers
    Sort,       // list view SortKey/SortOrder/Sorted, or its rows reordered
    Checked,    // menu entry check mark
    Interval,   // timer interval
    Color,      // label back colour
};

// Placement within the container, for a renderer that lays controls out on a grid.
// -1 leaves the choice to the renderer (next free row).
struct LayoutHint {
    int row = -1;
    int column = -1;
    int rowSpan = 1;
    int columnSpan = 1;
};

enum class MouseButton : int { Left = 1, Right = 2, Middle = 4 };

// What a form hands a new control; only the form makes one, so every control is registered.
class ControlInit {
public:
    Form& form;
    std::string name;
    int index;
    Control* container;
    int tabPage;

private:
    friend class Form;
    ControlInit(Form& f, std::string n, int i, Control* c, int t)
        : form(f), name(std::move(n)), index(i), container(c), tabPage(t) {}
};

class Control {
public:
    using Observer = std::function<void(Control&, Property)>;

    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    Form& form() const { return form_; }
    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    // Position within its control array; -1 for a control that is not part of one.
    int index() const { return index_; }
    // The frame, tab control or parent menu holding this control; nullptr for the form itself.
    Control* container() const { return container_; }
    // The tab page when the container is a tab control, else -1.
    int tabPage() const { return tabPage_; }
    // True when this control sits inside `other`, directly or through nested containers.
    bool isInside(const Control& other) const;

    const std::string& tag() const { return tag_; }
    void setTag(std::string tag);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // A user can only reach a control whose own flags and whose containers' flags all allow it.
    bool usable() const;

    const LayoutHint& layout() const { return layout_; }
    void setLayout(int row, int column, int rowSpan = 1, int columnSpan = 1);

    // Focus: false (nothing changes) when the control cannot take it now.
    virtual bool canFocus() const;
    bool hasFocus() const;
    bool setFocus();

    // Input helpers a renderer and tests call; each raises what the user's action raises.
    // A key press returns false when the key was refused.
    virtual bool pressKey(int keyAscii);
    void doubleClick();
    void mouseDown(MouseButton button, int shift, int x, int y);

    int subscribe(Observer observer);
    void unsubscribe(int id);

    // Events every control can raise; the form binds them to its `<control>_<Event>` members.
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    std::function<void()> onDblClick;
    std::function<void(int& KeyAscii)> onKeyPress;
    std::function<void(int Button, int Shift, int X, int Y)> onMouseDown;

protected:
    Control(const ControlInit& init, ControlKind kind);

    void changed(Property property);

    // Handlers are called through a copy, so a handler may rebind or clear its own slot.
    template <class Fn, class... Args>
    static void fire(const Fn& handler, Args&&... args) {
        if (handler) {
            Fn copy = handler;
            copy(std::forward<Args>(args)...);
        }
    }

private:
    friend class Form;

    Form& form_;
    ControlKind kind_;
    std::string name_;
    int index_;
    Control* container_;
    int tabPage_;
    std::string tag_;
    bool enabled_ = true;
    bool visible_ = true;
    LayoutHint layout_;
    std::vector<std::pair<int, Observer>> observers_;
    int nextObserverId_ = 1;
    int notifying_ = 0;
};

}  // namespace bp::forms
