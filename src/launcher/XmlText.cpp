#include "launcher/XmlText.h"

#include "core/Utf8.h"
#include "platform/Error.h"

namespace bp::launcher {
namespace {

// Length of the well-formed UTF-8 sequence at text[i], 0 when there is none.
size_t sequenceLength(std::string_view text, size_t i) {
    auto decoded = core::utf8::decodeAt(text, i);
    return decoded ? decoded->length : 0;
}

// U+FFFE and U+FFFF are not characters XML allows; their UTF-8 is EF BF BE and EF BF BF.
bool isNonCharacter(std::string_view text, size_t i) {
    return static_cast<unsigned char>(text[i]) == 0xEF &&
           static_cast<unsigned char>(text[i + 1]) == 0xBF &&
           static_cast<unsigned char>(text[i + 2]) >= 0xBE;
}

void appendAscii(std::string& out, char c) {
    switch (c) {
        case '&':
            out += "&amp;";
            return;
        case '<':
            out += "&lt;";
            return;
        case '>':
            out += "&gt;";
            return;
        case '"':
            out += "&quot;";
            return;
        case '\'':
            out += "&apos;";
            return;
        case '\t':
            out += "&#9;";
            return;
        case '\n':
            out += "&#10;";
            return;
        case '\r':
            out += "&#13;";
            return;
        default:
            out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
}

// The text as a message can show it: every byte that is not UTF-8 becomes U+FFFD.
std::string shown(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t length = sequenceLength(text, i);
        out += length == 0 ? std::string_view("\xEF\xBF\xBD") : text.substr(i, length);
        i += length == 0 ? 1 : length;
    }
    return out;
}

[[noreturn]] void refuse(std::string_view text) {
    raise(kErrInvalidCall,
          "The report holds text that is not UTF-8 (\"" + shown(cutToUnits(text, 40)) +
              "\"), which a spreadsheet program cannot read. The report was not built.");
}

// Printable ASCII that XML text takes as it is: most report text is nothing else.
bool isPlainAscii(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x80 && c != '&' && c != '<' && c != '>' && c != '"' && c != '\'';
}

}  // namespace

void appendXmlEscaped(std::string& out, std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        size_t plain = i;
        while (plain < text.size() && isPlainAscii(text[plain])) {
            ++plain;
        }
        if (plain > i) {
            out.append(text, i, plain - i);
            i = plain;
            continue;
        }
        size_t length = sequenceLength(text, i);
        if (length == 0) {
            refuse(text);
        }
        if (length == 1) {
            appendAscii(out, text[i]);
        } else if (length == 3 && isNonCharacter(text, i)) {
            out += ' ';
        } else {
            out.append(text, i, length);
        }
        i += length;
    }
}

std::string xmlCharacters(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t length = sequenceLength(text, i);
        if (length == 0) {
            refuse(text);
        }
        auto byte = static_cast<unsigned char>(text[i]);
        bool control = length == 1 && byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
        if (control || (length == 3 && isNonCharacter(text, i))) {
            out += ' ';
        } else {
            out.append(text, i, length);
        }
        i += length;
    }
    return out;
}

std::string xmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendXmlEscaped(out, text);
    return out;
}

std::string_view cutToUnits(std::string_view text, size_t units) {
    // Every UTF-16 unit takes at least one byte of UTF-8.
    if (text.size() <= units) {
        return text;
    }
    size_t used = 0;
    for (size_t i = 0; i < text.size();) {
        size_t length = sequenceLength(text, i);
        size_t step = length == 4 ? 2 : 1;  // past the BMP: a surrogate pair
        if (used + step > units) {
            return text.substr(0, i);
        }
        used += step;
        i += length == 0 ? 1 : length;
    }
    return text;
}

bool loadXmlPart(pugi::xml_document& doc, const std::string& xml, unsigned options) {
    if (!doc.load_string(xml.c_str(), options)) {
        return false;
    }
    int roots = 0;
    for (pugi::xml_node node : doc.children()) {
        if (node.type() == pugi::node_element) {
            ++roots;
        } else if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            return false;
        }
    }
    return roots == 1;
}

}  // namespace bp::launcher
