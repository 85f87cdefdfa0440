#include "platform/SettingsFileFormat.h"

namespace bp::platform {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool needsEscape(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '%';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

void appendEscaped(std::string& out, unsigned char c) {
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

void parseLine(std::string_view line, SettingsData& data, std::string& section) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);  // a file last saved by a Windows editor
    }
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        section = SettingsFileFormat::unescape(line.substr(1, line.size() - 2));
        return;
    }
    std::size_t equals = line.find('=');
    if (section.empty() || equals == std::string_view::npos || equals == 0) {
        return;
    }
    data.set(section, SettingsFileFormat::unescape(line.substr(0, equals)),
             SettingsFileFormat::unescape(line.substr(equals + 1)));
}

}  // namespace

std::string SettingsFileFormat::escape(std::string_view text, Part part) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        bool nameSpecial = part == Part::Name && (c == '=' || (i == 0 && c == '['));
        if (needsEscape(c) || nameSpecial) {
            appendEscaped(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string SettingsFileFormat::unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

SettingsData SettingsFileFormat::parse(std::string_view text) {
    SettingsData data;
    std::string section;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        parseLine(line, data, section);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return data;
}

std::string SettingsFileFormat::serialize(const SettingsData& data) {
    std::string out;
    for (const SettingsData::Section& section : data.sections()) {
        out += '[';
        out += escape(section.name, Part::Name);
        out += "]\n";
        for (const auto& [key, value] : section.entries) {
            out += escape(key, Part::Name);
            out += '=';
            out += escape(value, Part::Value);
            out += '\n';
        }
    }
    return out;
}

}  // namespace bp::platform
