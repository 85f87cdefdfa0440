#include "act/automation/Bstr.h"

#include <utility>

#include "platform/Error.h"
#include "platform/WinText.h"

namespace bp::automation {

Bstr::Bstr(std::string_view utf8) {
    const std::wstring wide = platform::toWide(utf8);
    value_ = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (value_ == nullptr) {
        raise(kErrOutOfMemory, "Out of memory");
    }
}

Bstr::~Bstr() {
    ::SysFreeString(value_);
}

Bstr::Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    if (this != &other) {
        ::SysFreeString(value_);
        value_ = std::exchange(other.value_, nullptr);
    }
    return *this;
}

Bstr Bstr::adopt(BSTR owned) {
    Bstr result;
    result.value_ = owned;
    return result;
}

BSTR Bstr::release() {
    return std::exchange(value_, nullptr);
}

std::string Bstr::toUtf8() const {
    return bstrToUtf8(value_);
}

std::string bstrToUtf8(BSTR value) {
    if (value == nullptr) {
        return {};
    }
    return platform::toUtf8(std::wstring_view(value, ::SysStringLen(value)));
}

}  // namespace bp::automation
