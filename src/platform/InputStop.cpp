#include "platform/InputStop.h"

namespace bp::platform {

bool holdsStopLine(std::string_view text) {
    for (std::size_t at = text.find("cancel"); at != std::string_view::npos;
         at = text.find("cancel", at + 1)) {
        bool lineStart = at == 0 || text[at - 1] == '\n';
        std::size_t end = at + 6;
        bool lineEnd = end == text.size() || text[end] == '\n' || text[end] == '\r';
        if (lineStart && lineEnd) {
            return true;
        }
    }
    return false;
}

}  // namespace bp::platform
