#include <windows.h>

#include "platform/InterruptWatch.h"

namespace bp::platform {
namespace {

// Runs on a thread the system starts for the console event.
BOOL WINAPI onConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    if (InterruptWatch::requested()) {
        return FALSE;  // the second one: the default handler ends the process
    }
    InterruptWatch::note();
    return TRUE;
}

}  // namespace

void InterruptWatch::install() {
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

void InterruptWatch::restore() {
    ::SetConsoleCtrlHandler(onConsoleEvent, FALSE);
}

}  // namespace bp::platform
