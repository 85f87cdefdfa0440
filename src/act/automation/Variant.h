#pragma once
// An owned VARIANT: initialised empty, cleared once. Copies are deep (VariantCopy), so each
// owner frees only what it holds.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oleauto.h>

namespace bp::automation {

class Variant {
public:
    Variant() { ::VariantInit(&value_); }
    ~Variant() { ::VariantClear(&value_); }
    // Raises bp::Error when the system cannot copy (out of memory).
    Variant(const Variant& other);
    Variant& operator=(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant&& other) noexcept;

    // A deep copy of a VARIANT someone else owns.
    static Variant copyOf(const VARIANT& value);

    const VARIANT& get() const { return value_; }
    VARTYPE type() const { return value_.vt; }
    // Empties the value and gives the address an out parameter writes into.
    VARIANT* out();

private:
    VARIANT value_;
};

}  // namespace bp::automation
