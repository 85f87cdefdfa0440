#include "act/automation/VariantConvert.h"

#include <charconv>
#include <chrono>
#include <climits>
#include <cmath>
#include <optional>

#include "act/automation/Bstr.h"
#include "platform/Error.h"

namespace bp::automation {

namespace {

[[noreturn]] void raiseMismatch(const VARIANT& value, const char* wanted) {
    raise(kErrTypeMismatch, std::string("Type mismatch: a value of kind ") +
                                std::to_string(value.vt) + " cannot be read as " + wanted);
}

// The value of every signed integer kind, and of unsigned kinds up to 32 bits.
std::optional<long long> signedOf(const VARIANT& value) {
    switch (value.vt) {
        case VT_I1:
            return value.cVal;
        case VT_UI1:
            return value.bVal;
        case VT_I2:
            return value.iVal;
        case VT_UI2:
            return value.uiVal;
        case VT_I4:
            return value.lVal;
        case VT_UI4:
            return value.ulVal;
        case VT_INT:
            return value.intVal;
        case VT_UINT:
            return value.uintVal;
        case VT_I8:
            return value.llVal;
        default:
            return std::nullopt;
    }
}

std::string doubleText(double number) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, number);
    return std::string(text, result.ptr);
}

std::string plainText(const VARIANT& value) {
    if (value.vt == VT_EMPTY || value.vt == VT_NULL) {
        return {};
    }
    if (value.vt == VT_BSTR) {
        return bstrToUtf8(value.bstrVal);
    }
    if (value.vt == VT_UI8) {
        return std::to_string(value.ullVal);
    }
    if (const auto number = signedOf(value)) {
        return std::to_string(*number);
    }
    if (value.vt == VT_R8) {
        return doubleText(value.dblVal);
    }
    if (value.vt == VT_R4) {
        return doubleText(value.fltVal);
    }
    raiseMismatch(value, "text");
}

}  // namespace

std::string toText(const VARIANT& value) {
    if (value.vt == VT_DATE) {
        return toText(value, platform::Locale::current());
    }
    return plainText(value);
}

std::string toText(const VARIANT& value, const platform::Locale& locale) {
    if (value.vt == VT_DATE) {
        return locale.formatDateTime(dateTimeOf(value.date));
    }
    return plainText(value);
}

DateTime dateTimeOf(DATE value) {
    using namespace std::chrono;
    // 1/1/100 and the day after 12/31/9999, as the system's own conversions bound them.
    if (!(value >= -657434.0 && value < 2958466.0)) {
        raise(kErrOverflow, "Overflow: " + doubleText(value) + " is no date");
    }
    const double wholeDays = std::trunc(value);
    long long second = std::llround(std::fabs(value - wholeDays) * 86400.0);
    long long day = static_cast<long long>(wholeDays);
    // A time that rounds up to midnight is the start of the next calendar day.
    if (second == 86400) {
        second = 0;
        ++day;
    }
    const year_month_day date{sys_days(year{1899} / December / 30) + days{day}};
    return DateTime{
        static_cast<int>(date.year()),          static_cast<int>(unsigned(date.month())),
        static_cast<int>(unsigned(date.day())), static_cast<int>(second / 3600),
        static_cast<int>(second / 60 % 60),     static_cast<int>(second % 60)};
}

ComPtr<IDispatch> toObject(const VARIANT& value) {
    if (value.vt == VT_DISPATCH && value.pdispVal != nullptr) {
        return ComPtr<IDispatch>::share(value.pdispVal);
    }
    if (value.vt == VT_UNKNOWN && value.punkVal != nullptr) {
        IDispatch* object = nullptr;
        if (SUCCEEDED(
                value.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object)))) {
            return ComPtr<IDispatch>::adopt(object);
        }
    }
    raise(kErrObjectNotSet, "Object variable not set: the host answered no object");
}

int toInt(const VARIANT& value) {
    if (value.vt == VT_EMPTY) {
        return 0;
    }
    if (value.vt == VT_BOOL) {
        return value.boolVal == VARIANT_FALSE ? 0 : -1;
    }
    if (value.vt == VT_UI8) {
        if (value.ullVal > static_cast<unsigned long long>(INT_MAX)) {
            raise(kErrOverflow, "Overflow");
        }
        return static_cast<int>(value.ullVal);
    }
    const auto number = signedOf(value);
    if (!number) {
        raiseMismatch(value, "a whole number");
    }
    if (*number < INT_MIN || *number > INT_MAX) {
        raise(kErrOverflow, "Overflow");
    }
    return static_cast<int>(*number);
}

bool toBool(const VARIANT& value) {
    if (value.vt == VT_EMPTY) {
        return false;
    }
    // Some objects answer 1 rather than VARIANT_TRUE; anything but false is true.
    if (value.vt == VT_BOOL) {
        return value.boolVal != VARIANT_FALSE;
    }
    if (value.vt == VT_UI8) {
        return value.ullVal != 0;
    }
    const auto number = signedOf(value);
    if (!number) {
        raiseMismatch(value, "true or false");
    }
    return *number != 0;
}

double toDouble(const VARIANT& value) {
    switch (value.vt) {
        case VT_EMPTY:
            return 0.0;
        case VT_R8:
            return value.dblVal;
        case VT_R4:
            return value.fltVal;
        case VT_UI8:
            return static_cast<double>(value.ullVal);
        default:
            break;
    }
    const auto number = signedOf(value);
    if (!number) {
        raiseMismatch(value, "a number");
    }
    return static_cast<double>(*number);
}

Variant fromText(std::string_view utf8) {
    Bstr text(utf8);
    Variant result;
    VARIANT* out = result.out();
    out->vt = VT_BSTR;
    out->bstrVal = text.release();
    return result;
}

Variant fromInt(int value) {
    Variant result;
    VARIANT* out = result.out();
    out->vt = VT_I4;
    out->lVal = value;
    return result;
}

Variant fromBool(bool value) {
    Variant result;
    VARIANT* out = result.out();
    out->vt = VT_BOOL;
    out->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return result;
}

Variant fromDouble(double value) {
    Variant result;
    VARIANT* out = result.out();
    out->vt = VT_R8;
    out->dblVal = value;
    return result;
}

}  // namespace bp::automation
