#pragma once
// Keeps one Win32 control in step with one control of the form model, in both directions:
// - model -> control: the control's quiet change notifications; while a value is pushed the
//   control's own notifications are ignored, so a push never reaches the model again;
// - control -> model: the notifications the control sends its window (WM_COMMAND) call the
//   model's evented setters, so the form's handlers run as they would for a user of the
//   model; the control is then pushed the model's state again, since a handler may have
//   refused or changed what the user did.

#include <windows.h>

#include <string>

#include "forms/Control.h"

namespace bp::win {

class DialogMetrics;

// Posted to a form's window when a control needs more room than the layout gave it (a tab
// control whose captions grew): the window lays its controls out again.
inline constexpr UINT kRelayoutMessage = WM_APP + 0x120;

// What a binding needs to make its control: the window that holds it and its command id.
struct ChildPlace {
    HWND parent;
    int id;
    HFONT font;
};

class WinBinding {
public:
    WinBinding(const WinBinding&) = delete;
    WinBinding& operator=(const WinBinding&) = delete;
    virtual ~WinBinding();

    forms::Control& control() const { return control_; }
    // The window control; nullptr for a timer or menu entry, which have none to lay out.
    HWND hwnd() const { return hwnd_; }

    // The size the control wants in the window's font and DPI.
    virtual SIZE preferredSize(const DialogMetrics& metrics) const = 0;
    // Whether the control fills the width (and height, for lists) of its grid cell.
    virtual bool fillsWidth() const { return false; }
    virtual bool fillsHeight() const { return false; }
    // Whether the control holds others (a frame): they are laid out inside it.
    virtual bool isContainer() const { return false; }
    // Room a container keeps around its contents: left, top, right, bottom.
    virtual RECT padding(const DialogMetrics& metrics) const;
    // A container whose contents sit on pages of their own (a tab control): how many pages.
    // 0 for one whose contents are its siblings (a frame).
    virtual int pageCount() const { return 0; }
    // The window holding page `page`'s controls, and where they start inside it.
    virtual HWND pageWindow(int page) {
        (void)page;
        return nullptr;
    }
    virtual POINT pageOrigin(const DialogMetrics& metrics) const;
    virtual bool takesFocus() const { return true; }
    // The layout has moved or resized the control.
    virtual void placed() {}

    // A notification code the control sent its window.
    void command(int code);
    // A WM_NOTIFY the control sent its window; the answer its window procedure returns.
    LRESULT notify(const NMHDR& header);
    // A message its window received on the control's behalf: WM_NOTIFY from it, or a
    // WM_TIMER or menu WM_COMMAND carrying its id. True when the binding took it, with
    // `result` the window procedure's answer.
    virtual bool windowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Pushes every property of the control into the window control.
    void syncAll();
    // Enabled and Visible again, after a container of the control changed them.
    virtual void syncUsable();

protected:
    WinBinding(forms::Control& control, HWND hwnd);

    // Makes the window control of `className` with `style` added to the common child styles.
    static HWND create(const ChildPlace& place, const wchar_t* className, DWORD style,
                       const std::string& text = {}, DWORD exStyle = 0);

    virtual void sync(forms::Property property) { (void)property; }
    virtual void syncContent() {}
    // A notification the control's kind handles; `pushing()` is false when it arrives.
    virtual void notified(int code) { (void)code; }
    // A WM_NOTIFY the control's kind handles; `pushing()` is false when it arrives.
    virtual LRESULT noticed(const NMHDR& header) {
        (void)header;
        return 0;
    }

    // True while the binding pushes the model's state into the control.
    bool pushing() const { return pushing_ > 0; }
    class Push {
    public:
        explicit Push(WinBinding& binding) : binding_(binding) { ++binding_.pushing_; }
        Push(const Push&) = delete;
        Push& operator=(const Push&) = delete;
        ~Push() { --binding_.pushing_; }

    private:
        WinBinding& binding_;
    };

    void setText(const std::string& text);
    std::string text() const;
    // The control took the keyboard focus: the model's focus follows.
    void focused();

private:
    void onModelChange(forms::Property property);

    forms::Control& control_;
    HWND hwnd_;
    int subscription_ = 0;
    int pushing_ = 0;
};

}  // namespace bp::win
