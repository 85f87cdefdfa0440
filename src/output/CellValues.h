#pragma once
// The value each report column shows for the current sales record and its contact.

#include <string>
#include <vector>

#include "act/Session.h"

namespace bp::output {

// Field IDs of the columns as the run uses them, after custom slots are resolved.
inline constexpr int kGroupColumnId = 525;
inline constexpr int kForecastUnitsId = 100;
inline constexpr int kForecastAmountId = 101;

// Formats cells of one run. Host field types are asked once per column, not once per cell.
class CellValues {
public:
    CellValues(act::Session& session, const std::vector<int>& columnIds);

    // The value of column `column` for the current sales record and its current contact.
    std::string FormatData(size_t column);

    // The name of the user with that unique ID, "" when none has it.
    std::string GetUserName(const std::string& userId);

private:
    std::string salesValue(int id, int type);
    std::string contactValue(int id, int type);
    // Probability times this factor of the sales record.
    enum class Factor { Units, Amount };
    std::string forecast(int factorField, Factor factor);
    std::string groupText();

    act::Session& session_;
    std::vector<int> ids_;
    std::vector<int> types_;
    std::vector<std::pair<std::string, std::string>> users_;  // loaded on first use
    bool usersLoaded_ = false;
};

// A number as the list shows it: up to 15 significant digits, the regional decimal symbol.
std::string numberText(double value, const std::string& decimalSeparator);
// A date cell: the text before its first space (the time of day is not shown); a value
// without a space is shown whole.
std::string dateOnly(const std::string& value);

}  // namespace bp::output
