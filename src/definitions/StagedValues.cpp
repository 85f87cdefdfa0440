#include "definitions/StagedValues.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "definitions/DefinitionFile.h"
#include "definitions/DefinitionKeys.h"
#include "platform/CaseFold.h"

namespace bp::definitions {
namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<long> parseWhole(const std::string& text) {
    const std::string t = trimmed(text);
    long value = 0;
    const char* begin = t.data() + (t.starts_with('+') ? 1 : 0);
    auto [end, ec] = std::from_chars(begin, t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || t.empty())
        return std::nullopt;
    return value;
}

std::optional<double> decimal(const std::string& text) {
    std::string t = trimmed(text);
    for (char& c : t) {
        if (c == ',')
            c = '.';
    }
    double value = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || t.empty())
        return std::nullopt;
    return value;
}

std::optional<bool> flag(const std::string& text) {
    if (auto n = parseWhole(text))
        return *n != 0;
    const std::string word = platform::foldCase(trimmed(text));
    if (word == "true")
        return true;
    if (word == "false")
        return false;
    return std::nullopt;
}

}  // namespace

std::optional<long> wholeNumberOf(const std::string& text) {
    return parseWhole(text);
}

bool stagedFlag(const act::Session& session, const std::string& key) {
    return flag(stagedValue(session, key)).value_or(flag(keyDefault(key)).value_or(false));
}

long stagedNumber(const act::Session& session, const std::string& key) {
    return parseWhole(stagedValue(session, key)).value_or(parseWhole(keyDefault(key)).value_or(0));
}

double stagedDecimal(const act::Session& session, const std::string& key) {
    return decimal(stagedValue(session, key)).value_or(decimal(keyDefault(key)).value_or(0));
}

std::string flagText(bool on) {
    return on ? "1" : "0";
}

std::string decimalText(double value) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

}  // namespace bp::definitions
