#include "output/RowSort.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "platform/Conversions.h"
#include "platform/Locale.h"

namespace bp::output {
namespace {

using forms::ListViewRow;
using forms::SortOrder;

// Only the first 31 characters of a cell take part, as the list's key buffer holds them.
std::string_view keyText(const ListViewRow& row, int column) {
    return row.cell(column).substr(0, 31);
}

// Seconds-resolution date key; no text or no date is the zero date, which sorts first.
std::int64_t dateKey(const platform::Locale& locale, std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    auto value = locale.parseDateTime(text);
    if (!value) {
        return 0;
    }
    return ((((static_cast<std::int64_t>(value->year) * 100 + value->month) * 100 + value->day) *
                 100 +
             value->hour) *
                100 +
            value->minute) *
               100 +
           value->second;
}

// Whole numbers, halves to even; no text or no number counts as 0.
std::int64_t numberKey(const platform::Locale& locale, std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    auto value = locale.parseNumber(text);
    if (!value || !std::isfinite(*value)) {
        return 0;
    }
    return static_cast<std::int64_t>(platform::roundHalfEven(*value));
}

// Date columns repeat a few thousand day texts over a million rows, and parsing one costs far
// more than looking it up; past the bound, texts are parsed as they come, so a column of
// unique date-times does not hold a second copy of itself.
class DateKeys {
public:
    explicit DateKeys(const platform::Locale& locale) : locale_(locale) {}

    std::int64_t operator()(std::string_view text) {
        if (auto found = known_.find(text); found != known_.end()) {
            return found->second;
        }
        std::int64_t key = dateKey(locale_, text);
        if (known_.size() < kMaxKnown) {
            known_.emplace(text, key);
        }
        return key;
    }

private:
    static constexpr std::size_t kMaxKnown = 1 << 16;
    const platform::Locale& locale_;
    // Looked up by the cell's own text, so no copy is made for a day already known.
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, std::int64_t, Hash, std::equal_to<>> known_;
};

}  // namespace

void sortByFirstSection(forms::ListView& list, int column, const std::string& type,
                        bool descending) {
    SortOrder order = descending ? SortOrder::Descending : SortOrder::Ascending;
    if (type == "S") {
        list.setSorted(false);
        list.setSortKey(column);
        list.setSortOrder(order);
        list.setSorted(true);
        return;
    }
    platform::Locale locale = platform::Locale::current();
    if (type == "D") {
        DateKeys dates(locale);
        list.sortByKey([&](const ListViewRow& r) { return dates(keyText(r, column)); }, order);
    } else if (type == "N") {
        list.sortByKey([&](const ListViewRow& r) { return numberKey(locale, keyText(r, column)); },
                       order);
    }
}

}  // namespace bp::output
