#pragma once
// Renders one form of the model as a window and keeps the two in step for as long as the
// renderer lives. Every control kind has its binding (ControlBinding.h); containers (the form,
// frames, tab pages) each lay their controls out on a grid from the controls' row/column hints,
// with no pixel positions. Labels hand their access keys to the control after them, and the
// tab order follows the order in which the form created its controls.
//
// The renderer must be destroyed before its form. It does not show the window by itself: the
// caller shows or runs it (QtUi), and afterwards the form's Visible drives it.

#include <map>
#include <memory>
#include <vector>

#include "forms/Form.h"
#include "gui/ControlBinding.h"
#include "gui/FormWindow.h"

class QGridLayout;

namespace bp::gui {

class TabBinding;

class FormRenderer {
public:
    explicit FormRenderer(forms::Form& form, QWidget* parent = nullptr);
    FormRenderer(const FormRenderer&) = delete;
    FormRenderer& operator=(const FormRenderer&) = delete;
    ~FormRenderer();

    forms::Form& form() const { return form_; }
    FormWindow& window() const { return *window_; }
    ControlBinding* bindingFor(const forms::Control& control) const;
    QWidget* widgetFor(const forms::Control& control) const;
    std::vector<TabBinding*> tabBindings() const;
    // Brings every deferred list push up to date (before a picture is taken, say).
    void flush();

private:
    void renderNewControls();
    void stretchSpannedRows(QGridLayout& grid);
    std::unique_ptr<ControlBinding> makeBinding(forms::Control& control);
    QWidget* containerWidget(const forms::Control& control) const;
    void place(ControlBinding& binding);
    void placeMenu(ControlBinding& binding);
    void finishLayout();
    void gatherButtonRows();
    void assignBuddies();
    void chainTabOrder();
    void onFormChange(forms::FormProperty property);

    forms::Form& form_;
    std::unique_ptr<FormWindow> window_;
    std::vector<std::unique_ptr<ControlBinding>> bindings_;
    std::map<const forms::Control*, ControlBinding*> byControl_;
    std::map<QGridLayout*, int> nextRow_;
    int subscription_ = 0;
};

}  // namespace bp::gui
