#include "win/WinFormWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <string_view>

#include "forms/Controls.h"
#include "platform/Error.h"
#include "platform/WinText.h"
#include "win/ButtonBinding.h"
#include "win/CheckBoxBinding.h"
#include "win/ComboBinding.h"
#include "win/DateBinding.h"
#include "win/FrameBinding.h"
#include "win/GridLayout.h"
#include "win/LabelBinding.h"
#include "win/ListBoxBinding.h"
#include "win/ListViewBinding.h"
#include "win/MenuBinding.h"
#include "win/OptionBinding.h"
#include "win/ProgressBarBinding.h"
#include "win/TabBinding.h"
#include "win/TextBoxBinding.h"
#include "win/TimerBinding.h"
#include "win/WinUi.h"

namespace bp::win {
namespace {

constexpr const wchar_t* kClassName = L"BrindlepathForm";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

const char* kindName(forms::ControlKind kind) {
    switch (kind) {
        case forms::ControlKind::TabControl:
            return "tab control";
        case forms::ControlKind::DatePicker:
            return "date picker";
        case forms::ControlKind::ListView:
            return "list view";
        case forms::ControlKind::Menu:
            return "menu";
        case forms::ControlKind::Timer:
            return "timer";
        default:
            return "control";
    }
}

void registerClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassName;
        windowClass.lpfnWndProc = DefWindowProcW;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) {
        throw Error(kErrInternal, "The program cannot register its window class.");
    }
}

// The first option button of a container starts its group; the ones after it join it.
bool startsOptionGroup(const forms::Control& option) {
    const forms::Control* previous = nullptr;
    for (const forms::Control* c : option.form().controls()) {
        if (c == &option) {
            break;
        }
        if (c->container() == option.container() && c->tabPage() == option.tabPage()) {
            previous = c;
        }
    }
    return previous == nullptr || previous->kind() != forms::ControlKind::OptionButton;
}

BOOL adjustForDpi(RECT& rect, UINT dpi, BOOL menuBar) {
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (auto adjust = reinterpret_cast<AdjustForDpi>(
            reinterpret_cast<void*>(GetProcAddress(user32, "AdjustWindowRectExForDpi")))) {
        return adjust(&rect, kStyle, menuBar, kExStyle, dpi);
    }
    return AdjustWindowRectEx(&rect, kStyle, menuBar, kExStyle);
}

// The frame allows for a menu bar of one line; a bar wider than the window wraps onto more.
void growToClientHeight(HWND hwnd, LONG wanted) {
    RECT client{};
    GetClientRect(hwnd, &client);
    if (client.bottom >= wanted) {
        return;
    }
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top + wanted - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

WinFormWindow::WinFormWindow(forms::Form& form, HWND owner) : form_(form) {
    registerClass();
    hwnd_ = CreateWindowExW(kExStyle, kClassName, platform::toWide(form.caption()).c_str(), kStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        throw Error(kErrInternal, "The program cannot open the window " + form.name() + ".");
    }
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&windowProc));
    metrics_ = std::make_unique<DialogMetrics>(hwnd_);
    try {
        renderNewControls();
    } catch (...) {
        bindings_.clear();
        DestroyWindow(hwnd_);
        throw;
    }
    subscription_ =
        form_.subscribe([this](forms::Form&, forms::FormProperty p) { onFormChange(p); });
}

WinFormWindow::~WinFormWindow() {
    form_.unsubscribe(subscription_);
    for (const auto& [control, id] : containerSubscriptions_) {
        control->unsubscribe(id);
    }
    // Bindings first: they still talk to their controls and windows while they go.
    bindings_.clear();
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

WinFormWindow* WinFormWindow::fromHandle(HWND hwnd) {
    wchar_t className[32] = {};
    if (hwnd == nullptr || GetClassNameW(hwnd, className, 32) == 0 ||
        std::wstring_view(className) != kClassName) {
        return nullptr;
    }
    return reinterpret_cast<WinFormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

WinBinding* WinFormWindow::bindingFor(const forms::Control& control) const {
    auto it = byControl_.find(&control);
    return it == byControl_.end() ? nullptr : it->second;
}

HWND WinFormWindow::handleFor(const forms::Control& control) const {
    WinBinding* binding = bindingFor(control);
    return binding != nullptr ? binding->hwnd() : nullptr;
}

void WinFormWindow::show() {
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    HWND focus = nullptr;
    if (const forms::Control* active = form_.activeControl()) {
        focus = handleFor(*active);
    }
    if (focus == nullptr) {
        focus = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    }
    if (focus != nullptr) {
        SetFocus(focus);
    }
    UpdateWindow(hwnd_);
}

bool WinFormWindow::translate(MSG& message) {
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp turn the pages, as in the system's
    // own dialogs.
    const WPARAM key = message.wParam;
    if (message.message == WM_KEYDOWN && (key == VK_TAB || key == VK_NEXT || key == VK_PRIOR) &&
        GetKeyState(VK_CONTROL) < 0) {
        if (TabBinding* tabs = tabsForKeys(message.hwnd)) {
            tabs->step(key == VK_TAB ? GetKeyState(VK_SHIFT) >= 0 : key == VK_NEXT);
            return true;
        }
    }
    return IsDialogMessageW(hwnd_, &message) != FALSE;
}

TabBinding* WinFormWindow::tabsForKeys(HWND focus) const {
    // The innermost tab control holding the focus, else the window's first one in sight.
    TabBinding* inSight = nullptr;
    for (auto it = bindings_.rbegin(); it != bindings_.rend(); ++it) {
        auto* tabs = dynamic_cast<TabBinding*>(it->get());
        if (tabs == nullptr || !IsWindowVisible(tabs->hwnd())) {
            continue;
        }
        if (tabs->holds(focus)) {
            return tabs;
        }
        inSight = tabs;
    }
    return inSight;
}

LRESULT CALLBACK WinFormWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<WinFormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    try {
        return window->handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        // Nothing may unwind through the system's frames; the user learns what went wrong.
        MessageBoxW(hwnd, platform::toWide(error.what()).c_str(), L"brindlepath",
                    MB_OK | MB_ICONERROR);
        return 0;
    }
}

LRESULT WinFormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0;
        forBinding(message, lParam) && routed(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
        case WM_COMMAND:
            command(wParam, lParam);
            return 0;
        case WM_NOTIFY:
            if (const auto* header = reinterpret_cast<const NMHDR*>(lParam)) {
                if (auto it = byHandle_.find(header->hwndFrom); it != byHandle_.end()) {
                    return it->second->notify(*header);
                }
            }
            break;
        case WM_CLOSE:
            // Only the form hides or unloads itself; its Form_Unload may keep it open.
            if (form_.loaded()) {
                form_.unload();
            } else if (form_.visible()) {
                form_.hide();
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            return staticColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR:
            if (WinUi::busy() && busyCursor_) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            if (overLink(reinterpret_cast<HWND>(wParam))) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_DPICHANGED:
            changeDpi(*reinterpret_cast<const RECT*>(lParam));
            return 0;
        case kRelayoutMessage:
            relayout(false);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool WinFormWindow::forBinding(UINT message, LPARAM lParam) {
    // A menu's command comes from no control.
    return message == WM_NOTIFY || message == WM_TIMER || (message == WM_COMMAND && lParam == 0);
}

bool WinFormWindow::routed(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // By index: a handler may add controls, and the binding that took the message is the
    // last one touched.
    for (std::size_t i = 0; i < bindings_.size(); ++i) {
        if (bindings_[i]->windowMessage(message, wParam, lParam, result)) {
            return true;
        }
    }
    return false;
}

void WinFormWindow::command(WPARAM wParam, LPARAM lParam) {
    if (auto from = reinterpret_cast<HWND>(lParam); from != nullptr) {
        if (auto it = byHandle_.find(from); it != byHandle_.end()) {
            it->second->command(HIWORD(wParam));
            return;
        }
    }
    // The dialog keys: Enter and Esc.
    if (LOWORD(wParam) == IDOK) {
        form_.pressEnter();
    } else if (LOWORD(wParam) == IDCANCEL) {
        form_.pressEscape();
    }
}

bool WinFormWindow::overLink(HWND control) const {
    auto it = byHandle_.find(control);
    auto* label = it == byHandle_.end() ? nullptr : dynamic_cast<LabelBinding*>(it->second);
    return label != nullptr && label->link() && IsWindowEnabled(control);
}

LRESULT WinFormWindow::staticColor(HDC dc, HWND control) {
    if (auto it = byHandle_.find(control); it != byHandle_.end()) {
        if (auto* label = dynamic_cast<LabelBinding*>(it->second)) {
            if (HBRUSH brush = label->background(dc)) {
                return reinterpret_cast<LRESULT>(brush);
            }
            if (label->link()) {
                LRESULT standard = DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC,
                                                  reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(control));
                label->linkText(dc);
                return standard;
            }
        }
    }
    return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
}

void WinFormWindow::renderNewControls() {
    bool added = false;
    for (forms::Control* control : form_.controls()) {
        if (byControl_.contains(control)) {
            continue;
        }
        auto binding = makeBinding(*control);
        binding->syncAll();
        byControl_[control] = binding.get();
        if (binding->hwnd() != nullptr) {
            byHandle_[binding->hwnd()] = binding.get();
        }
        if (binding->isContainer()) {
            watchContainer(*control);
        }
        bindings_.push_back(std::move(binding));
        added = true;
    }
    if (added) {
        relayout(!IsWindowVisible(hwnd_));
    }
}

std::unique_ptr<WinBinding> WinFormWindow::makeBinding(forms::Control& c) {
    using K = forms::ControlKind;
    const ChildPlace place{parentFor(c), nextId_++, metrics_->font()};
    switch (c.kind()) {
        case K::Label:
            return std::make_unique<LabelBinding>(static_cast<forms::Label&>(c), place);
        case K::Frame:
            return std::make_unique<FrameBinding>(static_cast<forms::Frame&>(c), place);
        case K::CommandButton:
            return std::make_unique<ButtonBinding>(static_cast<forms::CommandButton&>(c), place,
                                                   form_.defaultButton() == &c);
        case K::CheckBox:
            return std::make_unique<CheckBoxBinding>(static_cast<forms::CheckBox&>(c), place);
        case K::OptionButton:
            return std::make_unique<OptionBinding>(static_cast<forms::OptionButton&>(c), place,
                                                   startsOptionGroup(c));
        case K::TextBox:
            return std::make_unique<TextBoxBinding>(static_cast<forms::TextBox&>(c), place);
        case K::ListBox:
            return std::make_unique<ListBoxBinding>(static_cast<forms::ListBox&>(c), place);
        case K::ComboBox:
            return std::make_unique<ComboBinding>(static_cast<forms::ComboBox&>(c), place);
        case K::TabControl:
            return std::make_unique<TabBinding>(static_cast<forms::TabControl&>(c), place);
        case K::ListView:
            return std::make_unique<ListViewBinding>(static_cast<forms::ListView&>(c), place);
        case K::Menu:
            return std::make_unique<MenuBinding>(static_cast<forms::MenuEntry&>(c), place);
        case K::DatePicker:
            return std::make_unique<DateBinding>(static_cast<forms::DatePicker&>(c), place);
        case K::Timer:
            return std::make_unique<TimerBinding>(static_cast<forms::Timer&>(c), place);
        case K::ProgressBar:
            return std::make_unique<ProgressBarBinding>(static_cast<forms::ProgressBar&>(c), place);
        default:
            break;
    }
    throw Error(kErrInvalidCall, "The window " + form_.name() + " holds a " + kindName(c.kind()) +
                                     " (" + c.name() + "), which this build cannot show yet.");
}

HWND WinFormWindow::parentFor(const forms::Control& control) const {
    // A control on a tab page (directly or inside a frame there) is a child of the page's
    // window, so it shows and hides with the page.
    const forms::Control* child = &control;
    for (const forms::Control* c = control.container(); c != nullptr; c = c->container()) {
        if (WinBinding* holder = bindingFor(*c)) {
            if (HWND page = holder->pageWindow(child->tabPage())) {
                return page;
            }
        }
        child = c;
    }
    return hwnd_;
}

void WinFormWindow::watchContainer(forms::Control& container) {
    // What is inside a frame is hidden and disabled with it.
    const int id = container.subscribe([this, &container](forms::Control&, forms::Property p) {
        if (p != forms::Property::Enabled && p != forms::Property::Visible) {
            return;
        }
        for (const auto& binding : bindings_) {
            if (binding->control().isInside(container)) {
                binding->syncUsable();
            }
        }
    });
    containerSubscriptions_.emplace_back(&container, id);
}

void WinFormWindow::relayout(bool centre) {
    std::vector<WinBinding*> bindings;
    bindings.reserve(bindings_.size());
    for (const auto& binding : bindings_) {
        if (binding->hwnd() != nullptr) {
            bindings.push_back(binding.get());
        }
    }
    const SIZE client = GridLayout(*metrics_, bindings).arrange();
    RECT frame{0, 0, client.cx, client.cy};
    adjustForDpi(frame, metrics_->dpi(), GetMenu(hwnd_) != nullptr);
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    if (!centre) {
        SetWindowPos(hwnd_, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        growToClientHeight(hwnd_, client.cy);
        return;
    }
    // Centred over the owner, or on the work area when there is none.
    RECT around{};
    if (HWND owner = GetWindow(hwnd_, GW_OWNER); owner != nullptr && IsWindowVisible(owner)) {
        GetWindowRect(owner, &around);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    }
    const LONG x = std::max(around.left, (around.left + around.right - width) / 2);
    const LONG y = std::max(around.top, (around.top + around.bottom - height) / 2);
    SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    growToClientHeight(hwnd_, client.cy);
}

void WinFormWindow::changeDpi(const RECT& suggested) {
    auto metrics = std::make_unique<DialogMetrics>(hwnd_);
    for (const auto& binding : bindings_) {
        SendMessageW(binding->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(metrics->font()), TRUE);
    }
    metrics_ = std::move(metrics);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    relayout(false);
}

void WinFormWindow::onFormChange(forms::FormProperty property) {
    switch (property) {
        case forms::FormProperty::Caption:
            SetWindowTextW(hwnd_, platform::toWide(form_.caption()).c_str());
            break;
        case forms::FormProperty::Visible:
            if (form_.visible()) {
                show();
            } else {
                ShowWindow(hwnd_, SW_HIDE);
            }
            break;
        case forms::FormProperty::Controls:
            renderNewControls();
            break;
        case forms::FormProperty::Loaded:
        case forms::FormProperty::ActiveControl:
            break;
    }
}

}  // namespace bp::win
