#pragma once
// Renders one form of the model as a Win32 window and keeps the two in step for as long as
// the object lives: one binding per control, laid out by GridLayout in the system message
// font at the window's DPI. Enter and Esc (through translate(), the dialog keys of the
// message loop) go to the form's default and cancel buttons, and closing the window from its
// title bar unloads the form, whose Form_Unload may refuse.
//
// The window must be destroyed before its form. It does not show itself: the caller shows or
// runs it (WinUi), and afterwards the form's Visible drives it.

#include <windows.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "forms/Form.h"
#include "win/DialogMetrics.h"
#include "win/WinBinding.h"

namespace bp::win {

class TabBinding;

class WinFormWindow {
public:
    // `owner`: the window this one stays above (a modal dialog's parent), or nullptr.
    explicit WinFormWindow(forms::Form& form, HWND owner = nullptr);
    WinFormWindow(const WinFormWindow&) = delete;
    WinFormWindow& operator=(const WinFormWindow&) = delete;
    ~WinFormWindow();

    // The object of one of these windows, or nullptr for any other window.
    static WinFormWindow* fromHandle(HWND hwnd);

    forms::Form& form() const { return form_; }
    HWND hwnd() const { return hwnd_; }
    const DialogMetrics& metrics() const { return *metrics_; }
    WinBinding* bindingFor(const forms::Control& control) const;
    // The window control of `control`, or nullptr.
    HWND handleFor(const forms::Control& control) const;

    // Shows the window and puts the keyboard focus where the form has it (or on its first
    // control that takes it).
    void show();
    // Hands a message of the message loop to the dialog keys (Tab, arrows, Enter, Esc);
    // true when they used it.
    bool translate(MSG& message);
    // Whether the wait cursor shows over the window while the program is busy. A window the
    // person may act in during the busy stretch (Cancel of a long run) keeps the arrow.
    void setBusyCursor(bool shown) { busyCursor_ = shown; }
    bool busyCursor() const { return busyCursor_; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Messages a binding may take for its control: notifications, timers, menu commands.
    static bool forBinding(UINT message, LPARAM lParam);
    bool routed(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void command(WPARAM wParam, LPARAM lParam);
    bool overLink(HWND control) const;
    LRESULT staticColor(HDC dc, HWND control);
    void renderNewControls();
    std::unique_ptr<WinBinding> makeBinding(forms::Control& control);
    // The window a new control of the form is a child of: the form's, or a tab page's.
    HWND parentFor(const forms::Control& control) const;
    TabBinding* tabsForKeys(HWND focus) const;
    void watchContainer(forms::Control& container);
    // Lays the controls out and sizes the window; a new window is centred too.
    void relayout(bool centre);
    void changeDpi(const RECT& suggested);
    void onFormChange(forms::FormProperty property);

    forms::Form& form_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<DialogMetrics> metrics_;
    std::vector<std::unique_ptr<WinBinding>> bindings_;
    std::map<const forms::Control*, WinBinding*> byControl_;
    std::map<HWND, WinBinding*> byHandle_;
    std::vector<std::pair<forms::Control*, int>> containerSubscriptions_;
    int nextId_ = 100;  // clear of IDOK and IDCANCEL, which the dialog keys send
    int subscription_ = 0;
    bool busyCursor_ = true;
};

}  // namespace bp::win
