#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "platform/InputStop.h"

namespace bp::platform {

bool inputAsksToStop() {
    static bool asked = false;
    pollfd watched{STDIN_FILENO, POLLIN, 0};
    while (!asked && ::poll(&watched, 1, 0) > 0) {
        if ((watched.revents & POLLNVAL) != 0) {
            return false;  // no standard input at all: nobody can ask
        }
        char buffer[256];
        ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        asked = got <= 0 || holdsStopLine({buffer, static_cast<std::size_t>(got)});
        if (got > 0 && static_cast<std::size_t>(got) < sizeof buffer) {
            break;  // what there was is read; the next look reads what comes later
        }
    }
    return asked;
}

}  // namespace bp::platform
