#include "win/DateBinding.h"

#include <commctrl.h>

#include "platform/Locale.h"
#include "platform/WinText.h"
#include "win/DialogMetrics.h"

namespace bp::win {
namespace {

// The calendar the picker can show: SYSTEMTIME starts in 1601.
constexpr int kFirstYear = 1601;
constexpr int kLastYear = 9999;

// The picker's window class, registered on first use.
const wchar_t* pickerClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_DATE_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)registered;
    return DATETIMEPICK_CLASSW;
}

SYSTEMTIME toSystemTime(const DateTime& value) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(value.year);
    time.wMonth = static_cast<WORD>(value.month);
    time.wDay = static_cast<WORD>(value.day);
    time.wHour = static_cast<WORD>(value.hour);
    time.wMinute = static_cast<WORD>(value.minute);
    time.wSecond = static_cast<WORD>(value.second);
    return time;
}

}  // namespace

DateBinding::DateBinding(forms::DatePicker& picker, const ChildPlace& place)
    : WinBinding(picker,
                 create(place, pickerClass(), WS_TABSTOP | WS_GROUP | DTS_SHORTDATECENTURYFORMAT)),
      model_(picker) {
    // The regional pattern, as the program writes dates elsewhere; its notation is the
    // picker's own.
    const std::wstring format = platform::toWide(platform::Locale::current().shortDateFormat());
    SendMessageW(hwnd(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format.c_str()));
    SYSTEMTIME range[2]{};
    range[0] = SYSTEMTIME{kFirstYear, 1, 0, 1, 0, 0, 0, 0};
    range[1] = SYSTEMTIME{kLastYear, 12, 0, 31, 23, 59, 59, 0};
    SendMessageW(hwnd(), DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
}

SIZE DateBinding::preferredSize(const DialogMetrics& metrics) const {
    // Wide enough for the longest date of the format: two-digit days and months.
    const std::string sample = platform::Locale::current().formatDate(DateTime{2028, 12, 28});
    const LONG text = metrics.textSize(platform::toWide(sample)).cx;
    return SIZE{text + GetSystemMetrics(SM_CXVSCROLL) + metrics.x(12), metrics.y(14)};
}

bool DateBinding::windowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam;
    if (message != WM_NOTIFY) {
        return false;
    }
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != hwnd()) {
        return false;
    }
    result = 0;
    if (pushing()) {
        return true;
    }
    if (header->code == DTN_DATETIMECHANGE) {
        const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(lParam);
        if (change->dwFlags == GDT_VALID) {
            userPicked(change->st);
        }
    } else if (header->code == NM_SETFOCUS) {
        focused();
    }
    return true;
}

void DateBinding::sync(forms::Property property) {
    if (property == forms::Property::Value) {
        pushValue();
    }
}

void DateBinding::syncContent() {
    pushValue();
}

void DateBinding::pushValue() {
    const Push push(*this);
    const DateTime& value = model_.value();
    if (value.year < kFirstYear || value.year > kLastYear) {
        // FIXME: a date before 1601 cannot be shown by the system's picker; it keeps its date.
        return;
    }
    SYSTEMTIME time = toSystemTime(value);
    SendMessageW(hwnd(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

void DateBinding::userPicked(const SYSTEMTIME& picked) {
    // The picker edits the date; the time of day stays the model's.
    DateTime value = model_.value();
    value.year = picked.wYear;
    value.month = picked.wMonth;
    value.day = picked.wDay;
    if (value.valid()) {
        model_.pick(value);
    }
    pushValue();
}

}  // namespace bp::win
