#include "act/automation/Variant.h"

#include <cstring>

#include "act/automation/ComFailure.h"

namespace bp::automation {

Variant::Variant(const Variant& other) : Variant(copyOf(other.value_)) {}

Variant& Variant::operator=(const Variant& other) {
    if (this != &other) {
        *this = copyOf(other.value_);
    }
    return *this;
}

Variant::Variant(Variant&& other) noexcept {
    std::memcpy(&value_, &other.value_, sizeof value_);
    ::VariantInit(&other.value_);
}

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        ::VariantClear(&value_);
        std::memcpy(&value_, &other.value_, sizeof value_);
        ::VariantInit(&other.value_);
    }
    return *this;
}

Variant Variant::copyOf(const VARIANT& value) {
    Variant result;
    const HRESULT hr = ::VariantCopy(&result.value_, const_cast<VARIANT*>(&value));
    if (FAILED(hr)) {
        raiseFailure("VariantCopy", hr);
    }
    return result;
}

VARIANT* Variant::out() {
    ::VariantClear(&value_);
    return &value_;
}

}  // namespace bp::automation
