#include "act/automation/ComFailure.h"

#include <cstdio>

#include "act/automation/Bstr.h"
#include "platform/WinText.h"

namespace bp::automation {

namespace {

std::string hexCode(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

// System messages end in a line break (and often a full stop the caller adds itself).
std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

// An object fills in one of the two codes and leaves the other zero. A control-facility code
// carries the object's own error number in its low word, as the program's runtime numbers its
// errors; the user sees 3021, not -2146825267.
int exceptionNumber(const EXCEPINFO& info) {
    if (FAILED(info.scode) && HRESULT_FACILITY(info.scode) == FACILITY_CONTROL) {
        return static_cast<int>(info.scode & 0xFFFF);
    }
    if (info.wCode != 0) {
        return static_cast<int>(info.wCode);
    }
    return static_cast<int>(info.scode);
}

}  // namespace

std::string systemMessage(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (length != 0 && buffer != nullptr) {
        text = trimmed(platform::toUtf8(std::wstring_view(buffer, length)));
    }
    ::LocalFree(buffer);
    if (text.empty()) {
        return "error " + hexCode(hr);
    }
    return text + " (" + hexCode(hr) + ")";
}

void raiseFailure(std::string_view what, HRESULT hr) {
    raise(static_cast<int>(hr), std::string(what) + ": " + systemMessage(hr));
}

void raiseException(std::string_view what, EXCEPINFO& info) {
    if (info.pfnDeferredFillIn != nullptr) {
        info.pfnDeferredFillIn(&info);
    }
    // Owned from here, so they are freed on every way out.
    const Bstr source = Bstr::adopt(info.bstrSource);
    const Bstr description = Bstr::adopt(info.bstrDescription);
    const Bstr helpFile = Bstr::adopt(info.bstrHelpFile);
    info.bstrSource = info.bstrDescription = info.bstrHelpFile = nullptr;

    const int number = exceptionNumber(info);
    std::string text = description.toUtf8();
    if (text.empty()) {
        text = std::string(what) + ": " + systemMessage(DISP_E_EXCEPTION);
    }
    raise(number, std::move(text));
}

}  // namespace bp::automation
