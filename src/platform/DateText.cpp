#include "platform/DateText.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace bp::platform {

namespace {

void appendNumber(std::string& out, int value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) {
        out.append(width - digits.size(), '0');
    }
    out += digits;
}

// Qt numbers days from Monday = 1; the names are kept in that order.
std::size_t weekdayIndex(const DateTime& value) {
    std::chrono::weekday day{std::chrono::sys_days{value.date()}};
    return day.iso_encoding() - 1;
}

void appendField(std::string& out, const Locale::Data& locale, char letter, std::size_t count,
                 const DateTime& value) {
    int hour12 = value.hour % 12 == 0 ? 12 : value.hour % 12;
    const std::string& meridiem = value.hour < 12 ? locale.am : locale.pm;
    switch (letter) {
        case 'd':
            if (count >= 3) {
                out += (count == 3 ? locale.dayShortNames : locale.dayNames)[weekdayIndex(value)];
            } else {
                appendNumber(out, value.day, count);
            }
            return;
        case 'M':
            if (count >= 3 && value.month >= 1 && value.month <= 12) {
                auto month = static_cast<std::size_t>(value.month - 1);
                out += (count == 3 ? locale.monthShortNames : locale.monthNames)[month];
            } else {
                appendNumber(out, value.month, count);
            }
            return;
        case 'y':
            count <= 2 ? appendNumber(out, value.year % 100, count)
                       : appendNumber(out, value.year, 4);
            return;
        case 'h':
            return appendNumber(out, hour12, std::min<std::size_t>(count, 2));
        case 'H':
            return appendNumber(out, value.hour, std::min<std::size_t>(count, 2));
        case 'm':
            return appendNumber(out, value.minute, std::min<std::size_t>(count, 2));
        case 's':
            return appendNumber(out, value.second, std::min<std::size_t>(count, 2));
        case 't':
            out += count == 1 ? meridiem.substr(0, 1) : meridiem;
            return;
        default:
            out.append(count, letter);
    }
}

struct Token {
    enum Kind { Number, Word, Separator } kind;
    std::string_view text;
    int value = 0;
};

bool isAsciiAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isWordByte(char c) {
    return isAsciiAlpha(c) || static_cast<unsigned char>(c) >= 0x80;
}

// Newer locale data writes "9:30\u202FAM"; such text reads as a plain space.
std::size_t noBreakSpace(std::string_view rest) {
    for (std::string_view space : {"\u00A0", "\u202F"}) {
        if (rest.starts_with(space)) {
            return space.size();
        }
    }
    return 0;
}

struct Tokens {
    std::vector<Token> tokens;
    std::size_t firstAfterBlank = std::string_view::npos;  // the first token after a blank
};

std::optional<Tokens> tokenize(std::string_view text) {
    Tokens out;
    auto& tokens = out.tokens;
    tokens.reserve(12);
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        std::size_t start = i;
        std::size_t space = c == ' ' || c == '\t' ? 1 : noBreakSpace(text.substr(i));
        if (space != 0) {
            i += space;
            if (!tokens.empty() && out.firstAfterBlank == std::string_view::npos) {
                out.firstAfterBlank = tokens.size();
            }
        } else if (isDigit(c)) {
            int value = 0;
            for (; i < text.size() && isDigit(text[i]); ++i) {
                if (i - start == 9) {
                    return std::nullopt;  // no part of a date is that long
                }
                value = value * 10 + (text[i] - '0');
            }
            tokens.push_back({Token::Number, text.substr(start, i - start), value});
        } else if (isWordByte(c)) {
            while (i < text.size() && (isWordByte(text[i]) || text[i] == '.')) {
                ++i;
            }
            tokens.push_back({Token::Word, text.substr(start, i - start)});
        } else {
            tokens.push_back({Token::Separator, text.substr(i++, 1)});
        }
    }
    return out;
}

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x != y && !(isAsciiAlpha(x) && isAsciiAlpha(y) && (x | 0x20) == (y | 0x20))) {
            return false;
        }
    }
    return true;
}

std::string_view withoutDot(std::string_view word) {
    return !word.empty() && word.back() == '.' ? word.substr(0, word.size() - 1) : word;
}

int monthOf(const Locale::Data& locale, std::string_view word) {
    word = withoutDot(word);
    for (std::size_t i = 0; i < 12; ++i) {
        if (sameText(word, locale.monthNames[i]) ||
            sameText(word, withoutDot(locale.monthShortNames[i]))) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

enum class Meridiem { None, Am, Pm };

Meridiem meridiemOf(const Locale::Data& locale, std::string_view word) {
    if (sameText(word, locale.am) || sameText(word, "AM") || sameText(word, "A")) {
        return Meridiem::Am;
    }
    if (sameText(word, locale.pm) || sameText(word, "PM") || sameText(word, "P")) {
        return Meridiem::Pm;
    }
    return Meridiem::None;
}

struct Pieces {
    std::vector<const Token*> dateNumbers;
    int monthName = 0;
    int hour = -1;
    int minute = 0;
    int second = 0;
    Meridiem meridiem = Meridiem::None;
};

// Where times may start. Finnish writes "2.5.2026 9.30.00": where the date and the time share
// their separator, the locale's separator joins times only from `from` on (after the first
// blank), so the date before it is not read as a time.
struct TimeScope {
    std::size_t from = 0;
    bool allows(const Locale::Data& locale, const Token& token, std::size_t at) const {
        return token.kind == Token::Separator &&
               (token.text == ":" || (token.text == locale.timeSeparator && at >= from));
    }
};

// Consumes "h:mm[:ss]" starting at tokens[i]; returns the index after it.
std::size_t takeTime(const Locale::Data& locale, const TimeScope& scope,
                     const std::vector<Token>& tokens, std::size_t i, Pieces& pieces) {
    pieces.hour = tokens[i].value;
    pieces.minute = tokens[i + 2].value;
    i += 3;
    if (i + 1 < tokens.size() && scope.allows(locale, tokens[i], i) &&
        tokens[i + 1].kind == Token::Number) {
        pieces.second = tokens[i + 1].value;
        i += 2;
    }
    return i;
}

bool takeWord(const Locale::Data& locale, const Token& token, Pieces& pieces) {
    if (Meridiem m = meridiemOf(locale, token.text); m != Meridiem::None) {
        pieces.meridiem = m;
        return true;
    }
    if (int month = monthOf(locale, token.text); month != 0 && pieces.monthName == 0) {
        pieces.monthName = month;
        return true;
    }
    return sameText(token.text, "T");  // ISO "2026-03-14T09:30:00"
}

std::optional<Pieces> split(const Locale::Data& locale, const TimeScope& scope,
                            const std::vector<Token>& tokens) {
    Pieces pieces;
    for (std::size_t i = 0; i < tokens.size();) {
        const Token& token = tokens[i];
        if (token.kind == Token::Number && pieces.hour < 0 && i + 2 < tokens.size() &&
            scope.allows(locale, tokens[i + 1], i + 1) && tokens[i + 2].kind == Token::Number) {
            i = takeTime(locale, scope, tokens, i, pieces);
            continue;
        }
        if (token.kind == Token::Number) {
            pieces.dateNumbers.push_back(&token);
        } else if (token.kind == Token::Word && !takeWord(locale, token, pieces)) {
            return std::nullopt;
        } else if (token.kind == Token::Separator && scope.allows(locale, token, i)) {
            return std::nullopt;
        }
        ++i;
    }
    return pieces;
}

int fullYear(const Token& token) {
    if (token.text.size() > 2) {
        return token.value;
    }
    return token.value < 30 ? 2000 + token.value : 1900 + token.value;
}

int thisYear() {
    return DateTime::now().year;
}

bool fillDate(const Locale::Data& locale, const Pieces& pieces, DateTime& out) {
    const auto& numbers = pieces.dateNumbers;
    if (pieces.monthName != 0) {
        if (numbers.empty() || numbers.size() > 2) {
            return false;
        }
        bool yearFirst = numbers.size() == 2 && numbers[0]->text.size() > 2;
        out.month = pieces.monthName;
        out.day = numbers[yearFirst ? 1 : 0]->value;
        out.year = numbers.size() == 2 ? fullYear(*numbers[yearFirst ? 0 : 1]) : thisYear();
        return true;
    }
    if (numbers.size() == 3 && numbers[0]->text.size() > 2) {  // ISO order
        out = {numbers[0]->value, numbers[1]->value, numbers[2]->value};
        return true;
    }
    if (numbers.size() < 2 || numbers.size() > 3) {
        return false;
    }
    out.year = thisYear();
    std::size_t next = 0;
    for (Locale::Data::DatePart part : locale.dateOrder) {
        if (part == Locale::Data::DatePart::Year && numbers.size() == 2) {
            continue;
        }
        const Token& token = *numbers[next++];
        if (part == Locale::Data::DatePart::Day) {
            out.day = token.value;
        } else if (part == Locale::Data::DatePart::Month) {
            out.month = token.value;
        } else {
            out.year = fullYear(token);
        }
    }
    return true;
}

bool fillTime(const Pieces& pieces, DateTime& out) {
    if (pieces.hour < 0) {
        return pieces.meridiem == Meridiem::None;
    }
    out.hour = pieces.hour;
    out.minute = pieces.minute;
    out.second = pieces.second;
    if (pieces.meridiem != Meridiem::None) {
        if (out.hour > 12) {
            return false;
        }
        out.hour = out.hour % 12 + (pieces.meridiem == Meridiem::Pm ? 12 : 0);
    }
    return true;
}

}  // namespace

std::string DateText::format(const Locale::Data& locale, std::string_view pattern,
                             const DateTime& value) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        char c = pattern[i];
        if (c == '\'') {
            std::size_t end = pattern.find('\'', i + 1);
            std::size_t stop = end == std::string_view::npos ? pattern.size() : end;
            out.append(pattern.substr(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        std::size_t count = 1;
        while (i + count < pattern.size() && pattern[i + count] == c) {
            ++count;
        }
        appendField(out, locale, c, count, value);
        i += count;
    }
    return out;
}

namespace {

std::optional<DateTime> read(const Locale::Data& locale, const TimeScope& scope,
                             const std::vector<Token>& tokens) {
    std::optional<Pieces> pieces = split(locale, scope, tokens);
    if (!pieces) {
        return std::nullopt;
    }
    DateTime out;  // a time alone lies on the zero date
    bool hasDate = !pieces->dateNumbers.empty() || pieces->monthName != 0;
    if ((!hasDate && pieces->hour < 0) || (hasDate && !fillDate(locale, *pieces, out)) ||
        !fillTime(*pieces, out) || !out.valid()) {
        return std::nullopt;
    }
    return out;
}

}  // namespace

std::optional<DateTime> DateText::parse(const Locale::Data& locale, std::string_view text) {
    std::optional<Tokens> tokens = tokenize(text);
    if (!tokens || tokens->tokens.empty()) {
        return std::nullopt;
    }
    const bool shared = locale.timeSeparator != ":" && locale.timeSeparator == locale.dateSeparator;
    if (!shared) {
        return read(locale, TimeScope{}, tokens->tokens);
    }
    // A date first; what reads as no date may still be a time alone ("9.30").
    if (auto date = read(locale, TimeScope{tokens->firstAfterBlank}, tokens->tokens)) {
        return date;
    }
    return read(locale, TimeScope{}, tokens->tokens);
}

}  // namespace bp::platform
