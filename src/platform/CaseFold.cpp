#include "platform/CaseFold.h"

#include <QString>
#include <algorithm>

namespace bp::platform {

std::string foldCase(std::string_view text) {
    bool ascii = std::all_of(text.begin(), text.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        QString wide = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        return wide.toCaseFolded().toStdString();
    }
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

}  // namespace bp::platform
