#include <windows.h>

#include "platform/InputStop.h"

namespace bp::platform {

// Only a pipe can be looked at without blocking; a console or no input never asks to stop.
bool inputAsksToStop() {
    static bool asked = false;
    HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    if (asked || input == nullptr || input == INVALID_HANDLE_VALUE ||
        ::GetFileType(input) != FILE_TYPE_PIPE) {
        return asked;
    }
    DWORD available = 0;
    if (!::PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr)) {
        asked = ::GetLastError() == ERROR_BROKEN_PIPE;
        return asked;
    }
    if (available > 0) {
        char buffer[256];
        DWORD got = 0;
        DWORD wanted = available < sizeof buffer ? available : DWORD{sizeof buffer};
        asked = !::ReadFile(input, buffer, wanted, &got, nullptr) || got == 0 ||
                holdsStopLine({buffer, got});
    }
    return asked;
}

}  // namespace bp::platform
