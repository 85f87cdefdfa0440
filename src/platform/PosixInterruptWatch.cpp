#include <signal.h>

#include "platform/InterruptWatch.h"

namespace bp::platform {
namespace {

struct sigaction before {};

extern "C" void onInterrupt(int) {
    InterruptWatch::note();
}

}  // namespace

void InterruptWatch::install() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: the handler is gone once it has run, so a second Ctrl+C ends the
    // process. SA_RESTART: a read or write under way goes on instead of failing.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    ::sigaction(SIGINT, &action, &before);
}

void InterruptWatch::restore() {
    ::sigaction(SIGINT, &before, nullptr);
}

}  // namespace bp::platform
