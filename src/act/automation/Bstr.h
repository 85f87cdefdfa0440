#pragma once
// An owned BSTR: allocated from UTF-8, freed once, whatever leaves the scope first.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>

namespace bp::automation {

class Bstr {
public:
    Bstr() = default;
    // Raises kErrOutOfMemory when the system cannot allocate the string.
    explicit Bstr(std::string_view utf8);
    ~Bstr();
    Bstr(Bstr&& other) noexcept;
    Bstr& operator=(Bstr&& other) noexcept;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    // Takes a string someone else allocated (an EXCEPINFO field, an out argument).
    static Bstr adopt(BSTR owned);

    BSTR get() const { return value_; }
    // Hands the string to a new owner (a VARIANT), which frees it from then on.
    BSTR release();
    // A null BSTR is the empty string.
    std::string toUtf8() const;

private:
    BSTR value_ = nullptr;
};

// The text of a BSTR someone else owns; null reads as "".
std::string bstrToUtf8(BSTR value);

}  // namespace bp::automation
