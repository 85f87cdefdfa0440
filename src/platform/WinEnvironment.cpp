#include <windows.h>

#include "platform/Environment.h"
#include "platform/WinText.h"

namespace bp::platform {

// The system's block, which both _putenv and _wputenv update, read in UTF-16.
std::string environmentVariable(const char* name) {
    std::wstring wideName = toWide(name);
    std::wstring value(256, L'\0');
    for (;;) {
        DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                                 static_cast<DWORD>(value.size()));
        if (length == 0) {
            return {};
        }
        if (length < value.size()) {
            value.resize(length);
            return toUtf8(value);
        }
        value.resize(length);  // the size it needs, its terminator included
    }
}

}  // namespace bp::platform
