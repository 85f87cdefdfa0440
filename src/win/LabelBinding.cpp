#include "win/LabelBinding.h"

#include <algorithm>

#include "platform/WinText.h"
#include "win/DialogMetrics.h"

namespace bp::win {
namespace {

constexpr std::size_t kWrapLength = 60;  // characters
constexpr int kWrapWidth = 180;          // dialog units, some 45 characters

}  // namespace

LabelBinding::LabelBinding(forms::Label& label, const ChildPlace& place)
    : WinBinding(label, create(place, L"STATIC", SS_LEFT | SS_NOTIFY | WS_GROUP)), model_(label) {}

LabelBinding::~LabelBinding() {
    if (brush_ != nullptr) {
        DeleteObject(brush_);
    }
}

SIZE LabelBinding::preferredSize(const DialogMetrics& metrics) const {
    const std::wstring caption = platform::toWide(model_.caption());
    // Long captions are explanations; they wrap, as the static control wraps them, rather
    // than widen the window.
    SIZE size = caption.size() > kWrapLength
                    ? metrics.wrappedTextSize(caption, metrics.x(kWrapWidth))
                    : metrics.textSize(caption);
    if (model_.backColor()) {
        // A swatch with no caption still shows as a patch of its colour.
        size.cx = std::max(size.cx, static_cast<LONG>(metrics.x(40)));
    }
    return size;
}

HBRUSH LabelBinding::background(HDC dc) const {
    if (brush_ == nullptr) {
        return nullptr;
    }
    SetBkColor(dc, static_cast<COLORREF>(*model_.backColor()));
    return brush_;
}

void LabelBinding::linkText(HDC dc) const {
    SetTextColor(dc, GetSysColor(COLOR_HOTLIGHT));
}

void LabelBinding::sync(forms::Property property) {
    if (property == forms::Property::Caption) {
        setText(model_.caption());
    } else if (property == forms::Property::Color) {
        pushColor();
    }
}

void LabelBinding::syncContent() {
    setText(model_.caption());
    pushColor();
}

void LabelBinding::notified(int code) {
    if (code == STN_CLICKED) {
        model_.click();
    } else if (code == STN_DBLCLK) {
        model_.doubleClick();
    }
}

void LabelBinding::pushColor() {
    if (brush_ != nullptr) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    if (model_.backColor()) {
        // The model's 0x00BBGGRR is the system's COLORREF layout.
        brush_ = CreateSolidBrush(static_cast<COLORREF>(*model_.backColor()));
    }
    InvalidateRect(hwnd(), nullptr, TRUE);
}

}  // namespace bp::win
