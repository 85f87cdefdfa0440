#pragma once
// The arguments of one late-bound call, read in the caller's order. A value that cannot be
// read as the kind a member needs is reported as ArgumentMismatch, which the dispatch base
// turns into a type mismatch that names the argument.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oaidl.h>

#include <cstddef>
#include <string>

namespace bp::standin {

struct ArgumentMismatch {
    UINT position;  // index into DISPPARAMS::rgvarg (the callee's order, last argument first)
};

class Arguments {
public:
    explicit Arguments(const DISPPARAMS& params) : params_(params) {}

    std::size_t size() const { return params_.cArgs; }
    // `index` counts from the first argument the caller wrote. Numbers and booleans read as
    // text in the same fixed form whatever the user's regional settings.
    std::string text(std::size_t index) const;
    // Whole numbers, booleans and text holding a whole number.
    int integer(std::size_t index) const;

private:
    const VARIANT& at(std::size_t index) const;
    UINT position(std::size_t index) const;

    const DISPPARAMS& params_;
};

}  // namespace bp::standin
