#include "definitions/StagedValues.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "core/CaseFold.h"
#include "core/Trim.h"
#include "definitions/DefinitionFile.h"
#include "definitions/DefinitionKeys.h"
#include "platform/NumberText.h"

namespace bp::definitions {
namespace {

std::optional<long> parseWhole(const std::string& text) {
    const std::string_view t = core::trimmed(text);
    if (t.empty()) {
        return std::nullopt;
    }
    long value = 0;
    const char* begin = t.data() + (t.starts_with('+') ? 1 : 0);
    auto [end, ec] = std::from_chars(begin, t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size()) {
        return std::nullopt;
    }
    return value;
}

// Definitions hold decimals with a "." (as the program writes them) or, from older files,
// with a ",".
std::optional<double> decimal(const std::string& text) {
    for (std::string_view point : {".", ","}) {
        auto value = platform::NumberText::parse(platform::NumberForm{point}, text);
        if (value) {
            return std::isfinite(*value) ? value : std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<bool> flag(const std::string& text) {
    if (auto n = parseWhole(text)) {
        return *n != 0;
    }
    const std::string_view word = core::trimmed(text);
    if (core::equalNoCase(word, "true")) {
        return true;
    }
    if (core::equalNoCase(word, "false")) {
        return false;
    }
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
