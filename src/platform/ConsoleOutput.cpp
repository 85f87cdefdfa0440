// What ConsoleOutput.h offers the same way on every system.

#include "platform/ConsoleOutput.h"

namespace bp::platform {

std::size_t wholeUtf8Length(std::string_view bytes) {
    // A character is at most four bytes: only the last three can belong to an unfinished one.
    std::size_t end = bytes.size();
    for (std::size_t back = 1; back <= 3 && back <= end; ++back) {
        unsigned char byte = static_cast<unsigned char>(bytes[end - back]);
        if ((byte & 0xC0) == 0x80) {
            continue;  // a continuation byte: look further back for its lead
        }
        std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? end - back : end;
    }
    return end;
}

}  // namespace bp::platform
