#pragma once
// Acts on the system dialogs a call opens, the way a user would, from a timer on the calling
// thread: the dialog's own message loop runs the timer while the call waits for the user.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace bp::win::test {

class DialogDriver {
public:
    // Given the dialog in front, a step acts on it and returns true, or returns false to be
    // asked again on the next tick (the dialog is still filling itself in). Each step after
    // the first waits for a dialog other than the one the previous step acted on.
    using Step = std::function<bool(HWND dialog)>;

    explicit DialogDriver(std::vector<Step> steps);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Every step ran and no dialog had to be cancelled for staying up too long or
    // appearing when no step expected it.
    bool finished() const { return next_ == steps_.size() && !cancelled_; }
    // The titles of the dialogs the steps acted on, in order.
    const std::vector<std::string>& titles() const { return titles_; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    void onTick();

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    HWND last_ = nullptr;
    int ticks_ = 0;
    bool cancelled_ = false;
    UINT_PTR timer_ = 0;
    std::vector<std::string> titles_;
};

// The enabled, visible dialog window of this thread: the one in front.
HWND frontDialog();
// The child control with this id anywhere below `dialog`, or null.
HWND findControl(HWND dialog, int id);
// The first child of this window class below `dialog` that satisfies `accept`, or null.
HWND findChild(HWND dialog, const wchar_t* windowClass,
               const std::function<bool(HWND)>& accept = nullptr);
// A button press as the dialog receives it from the button (posted: the step returns first).
void pressButton(HWND dialog, int id);
// Text put into an edit control the way typing does: the control tells its dialog.
void setEditText(HWND edit, const std::string& text);
// Every child's class, id and text, for finding out how a dialog is built.
std::string describeChildren(HWND dialog);

}  // namespace bp::win::test
