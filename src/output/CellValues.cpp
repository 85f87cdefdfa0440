#include "output/CellValues.h"

#include <cmath>
#include <cstdio>

#include "core/Trim.h"
#include "platform/Conversions.h"
#include "platform/ErrorHandler.h"

namespace bp::output {
namespace {

constexpr int kDateType = 7;
constexpr int kDateOnlyType = 10;
constexpr int kUserType = 13;

}  // namespace

std::string numberText(double value, const std::string& decimalSeparator) {
    if (value == 0) {
        return "0";
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    auto dot = text.find('.');
    if (dot != std::string::npos) {
        text.replace(dot, 1, decimalSeparator);
    }
    return text;
}

std::string dateOnly(const std::string& value) {
    auto space = value.find(' ');
    return space == std::string::npos ? value : value.substr(0, space);
}

CellValues::CellValues(act::Session& session, const std::vector<int>& columnIds)
    : session_(session), ids_(columnIds) {
    auto salesFields = session.objSales->Fields();
    for (int id : ids_) {
        if (id < 300) {
            types_.push_back(salesFields->Type(id));
        } else if (id > 1000) {
            types_.push_back(session.objFields->Type(id - 1000));
        } else {
            types_.push_back(0);
        }
    }
}

std::string CellValues::FormatData(size_t column) {
    int id = ids_.at(column);
    int type = types_.at(column);
    if (id < 300) {
        return salesValue(id, type);
    }
    if (id == kGroupColumnId) {
        return groupText();
    }
    if (id > 1000) {
        return contactValue(id, type);
    }
    return {};  // the empty column, and IDs that name nothing
}

std::string CellValues::salesValue(int id, int type) {
    if (type == kDateType || type == kDateOnlyType) {
        return dateOnly(session_.objSales->Data(id));
    }
    if (type == kUserType) {
        return GetUserName(session_.objSales->Data(id));
    }
    if (id == kForecastUnitsId) {
        return forecast(32, Factor::Units);
    }
    if (id == kForecastAmountId) {
        return forecast(34, Factor::Amount);
    }
    return session_.objSales->Data(id);
}

std::string CellValues::contactValue(int id, int type) {
    std::string value = session_.objContact->Data(id - 1000);
    if (type == kDateOnlyType) {
        return dateOnly(value);
    }
    if (type == kUserType) {
        return GetUserName(value);
    }
    return std::string(core::trimmed(value));
}

// Probability x units (or amount) / 100. Amounts come from the host with "." as decimal
// symbol, whatever the user's regional settings say.
std::string CellValues::forecast(int factorField, Factor factorKind) {
    const bool isAmount = factorKind == Factor::Amount;
    std::string probability = session_.objSales->Data(30);
    std::string factor = session_.objSales->Data(factorField);
    if (probability.empty() || factor.empty()) {
        return "0";
    }
    std::string value;
    auto compute = [&] {
        platform::Locale locale = platform::Locale::current();
        double amount =
            isAmount ? platform::CDblHost(factor, locale) : platform::CDbl(factor, locale);
        double result = platform::CDbl(probability, locale) * amount / 100;
        value = numberText(result, session_.sDecimalSep());
    };
    if (!isAmount) {
        compute();
        return value;
    }
    auto parameters = [&] {
        return "Parameters:\r30='" + probability + "'\r34='" + session_.objSales->Data(34) +
               "'\rDec='" + session_.sDecimalSep() + "'";
    };
    platform::guarded(*session_.ui, {"frmMain", "FormatData", platform::RoutineKind::Function},
                      compute, parameters);
    return value;
}

std::string CellValues::groupText() {
    std::string groupId(core::trimmed(session_.objSales->Data(26)));
    if (groupId.empty()) {
        return "No_Group";
    }
    auto& group = *session_.objGroup;
    group.GoTo(groupId);
    if (group.Data(1) != session_.objSales->Data(26)) {
        return "No_Group";
    }
    std::string region = group.Data(201);
    if (!region.empty()) {
        return std::string(core::trimmed(region)) + ": " + group.Data(25);
    }
    return group.Data(25);
}

std::string CellValues::GetUserName(const std::string& userId) {
    if (!usersLoaded_) {
        auto& users = *session_.objUsers;
        int count = users.Count();
        for (int i = 1; i <= count; ++i) {
            users_.emplace_back(users.UniqueID(i), users.Name(i));
        }
        usersLoaded_ = true;
    }
    for (const auto& [id, name] : users_) {
        if (id == userId) {
            return name;
        }
    }
    return {};
}

}  // namespace bp::output
