#include "launcher/IniSettingsFile.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Error.h"

namespace bp::launcher {
namespace {

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
            hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string escape(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '%' || byte < 0x20 || byte == 0x7F) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

IniSettingsFile::IniSettingsFile(std::string path) : path_(std::move(path)) {
    load();
}

std::string IniSettingsFile::userPath() {
    if (const char* own = std::getenv("BRINDLEPATH_SETTINGS"); own && *own)
        return own;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return std::string(config) + "/brindlepath/settings.ini";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.config/brindlepath/settings.ini";
}

void IniSettingsFile::load() {
    std::ifstream in(path_, std::ios::binary);
    std::string line;
    Section* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            std::string name = unescape(line.substr(1, line.size() - 2));
            current = find(name);
            if (!current)
                current = &sections_.emplace_back(Section{name, {}});
            continue;
        }
        size_t equals = line.find('=');
        if (!current || equals == std::string::npos)
            continue;
        std::string key = unescape(line.substr(0, equals));
        std::string value = unescape(line.substr(equals + 1));
        auto same = std::ranges::find_if(current->entries,
                                         [&](const auto& e) { return sameName(e.first, key); });
        if (same != current->entries.end())
            same->second = value;
        else
            current->entries.emplace_back(key, value);
    }
}

IniSettingsFile::Section* IniSettingsFile::find(std::string_view section) {
    auto it = std::ranges::find_if(sections_,
                                   [&](const Section& s) { return sameName(s.name, section); });
    return it == sections_.end() ? nullptr : &*it;
}

const IniSettingsFile::Section* IniSettingsFile::find(std::string_view section) const {
    auto it = std::ranges::find_if(sections_,
                                   [&](const Section& s) { return sameName(s.name, section); });
    return it == sections_.end() ? nullptr : &*it;
}

std::string IniSettingsFile::GetSetting(std::string_view section, std::string_view key,
                                        std::string_view defaultValue) const {
    if (const Section* s = find(section)) {
        for (const auto& [name, value] : s->entries) {
            if (sameName(name, key))
                return value;
        }
    }
    return std::string(defaultValue);
}

void IniSettingsFile::SaveSetting(std::string_view section, std::string_view key,
                                  std::string_view value) {
    Section* s = find(section);
    if (!s)
        s = &sections_.emplace_back(Section{std::string(section), {}});
    auto same =
        std::ranges::find_if(s->entries, [&](const auto& e) { return sameName(e.first, key); });
    if (same != s->entries.end())
        same->second = value;
    else
        s->entries.emplace_back(key, value);

    std::ostringstream text;
    for (const auto& each : sections_) {
        text << '[' << escape(each.name) << "]\n";
        for (const auto& [name, v] : each.entries)
            text << escape(name) << '=' << escape(v) << '\n';
    }
    std::filesystem::path target(path_);
    std::string temp = path_ + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text.str();
        if (!out.flush())
            raise(kErrPermissionDenied,
                  "The settings file \"" + path_ + "\" could not be written.");
    }
    std::error_code error;
    std::filesystem::rename(temp, target, error);
    if (error) {
        std::filesystem::remove(temp, error);
        raise(kErrPermissionDenied, "The settings file \"" + path_ + "\" could not be written.");
    }
}

}  // namespace bp::launcher
