#include "act/standin/Arguments.h"

#include "act/automation/Bstr.h"
#include "act/automation/Variant.h"

namespace bp::standin {

namespace {

// Visual Basic passes a variable by reference; the value it points to is what counts.
bool convert(const VARIANT& from, VARTYPE to, automation::Variant& into) {
    automation::Variant plain;
    if (FAILED(::VariantCopyInd(plain.out(), const_cast<VARIANT*>(&from)))) {
        return false;
    }
    if (plain.type() == to) {
        into = std::move(plain);
        return true;
    }
    // The invariant locale keeps "1.5" and "12" meaning the same on every machine.
    return SUCCEEDED(::VariantChangeTypeEx(into.out(), const_cast<VARIANT*>(&plain.get()),
                                           LOCALE_INVARIANT, 0, to));
}

}  // namespace

UINT Arguments::position(std::size_t index) const {
    return static_cast<UINT>(params_.cArgs - 1 - index);
}

const VARIANT& Arguments::at(std::size_t index) const {
    return params_.rgvarg[position(index)];
}

std::string Arguments::text(std::size_t index) const {
    automation::Variant value;
    if (!convert(at(index), VT_BSTR, value)) {
        throw ArgumentMismatch{position(index)};
    }
    return automation::bstrToUtf8(value.get().bstrVal);
}

int Arguments::integer(std::size_t index) const {
    automation::Variant value;
    if (!convert(at(index), VT_I4, value)) {
        throw ArgumentMismatch{position(index)};
    }
    return static_cast<int>(value.get().lVal);
}

}  // namespace bp::standin
