#include "output/ResultsList.h"

#include <cstdint>
#include <limits>

#include "definitions/DefinitionFile.h"
#include "definitions/DefinitionKeys.h"
#include "definitions/ReportFields.h"
#include "forms/UiService.h"
#include "output/CellValues.h"
#include "output/RowSort.h"
#include "output/SessionKey.h"
#include "platform/AppInfo.h"
#include "platform/Conversions.h"
#include "platform/ErrorHandler.h"

namespace bp::output {
namespace {

using definitions::kContactNameId;
using definitions::kContactSortNameId;
using definitions::sectionKey;
using definitions::stagedValue;

constexpr int kFirstCustomRange = 902;
constexpr int kLastCustomRange = 999;

std::vector<std::string> splitItems(const std::string& list) {
    std::vector<std::string> parts;
    std::string body = list.substr(0, list.empty() ? 0 : list.size() - 1);
    size_t start = 0;
    while (true) {
        size_t end = body.find(definitions::kItemEnd, start);
        parts.push_back(body.substr(start, end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return parts;
}

}  // namespace

ResultsList::ResultsList(act::Session& session, forms::ListView& lvwSales)
    : session_(session), list_(lvwSales) {}

bool ResultsList::Fill_Listview(const std::vector<std::string>& salesIds) {
    return fill(salesIds);
}

bool ResultsList::Fill_Listview(const filter::IdList& salesIds) {
    return fill(salesIds);
}

template <class Ids>
bool ResultsList::fill(const Ids& salesIds) {
    bool built = false;
    platform::guarded(*session_.ui, {"frmMain", "Fill_Listview", platform::RoutineKind::Function},
                      [&] {
                          list_.clearRows();
                          readSortFields();
                          if (!readColumns()) {
                              return;
                          }
                          addRows(salesIds);
                          saveSortColumns();
                          sortRows();
                          built = true;
                      });
    return built;
}

void ResultsList::readSortFields() {
    session_.bNameSortAdded.set(SessionKey{}, false);
    for (int n = 0; n < 3; ++n) {
        int field = platform::CInt(stagedValue(session_, sectionKey("Sort", n)));
        // Contacts sort by their sort name, which the data file then carries as a last column.
        if (field == kContactNameId) {
            session_.bNameSortAdded.set(SessionKey{}, true);
            field = kContactSortNameId;
        }
        sortFields_[n] = field;
        sortCols_[n] = -1;
    }
}

// False, after telling the user, when the definition includes no field.
bool ResultsList::readColumns() {
    storedIds_.clear();
    columnIds_.clear();
    std::string included =
        session_.settings->GetSetting(definitions::kStagingSection, "FieldsIncluded", "");
    if (session_.bNameSortAdded() && !included.empty()) {
        included += std::to_string(kContactSortNameId) + definitions::kItemEnd;
    }
    for (const std::string& part :
         included.empty() ? std::vector<std::string>{} : splitItems(included)) {
        if (part.empty()) {
            continue;
        }
        int id = platform::CInt(part);
        storedIds_.push_back(id);
        int position = static_cast<int>(storedIds_.size());
        for (int n = 0; n < 3; ++n) {
            if (sortFields_[n] == id) {
                sortCols_[n] = position;
                break;
            }
        }
        bool custom = id >= kFirstCustomRange && id <= kLastCustomRange;
        columnIds_.push_back(custom ? GetCustomField(id) : id);
    }
    // A field list holding only its end mark includes no field either.
    if (storedIds_.empty() || (session_.bNameSortAdded() && storedIds_.size() == 1)) {
        session_.ui->message(
            {std::string(platform::kAppTitle),
             "Please check the settings for this report: no fields are to be included!",
             forms::MsgButtons::OK, forms::MsgIcon::Exclamation});
        session_.ui->setBusy(false);
        return false;
    }
    return true;
}

int ResultsList::GetCustomField(int fieldId) const {
    std::string key = sectionKey("FieldID", fieldId - definitions::kFirstCustomId);
    return 1000 +
           platform::CInt(session_.settings->GetSetting(definitions::kStagingSection, key, "0"));
}

template <class Ids>
void ResultsList::addRows(const Ids& salesIds) {
    CellValues cells(session_, columnIds_);
    auto& sales = *session_.objSales;
    auto& contact = *session_.objContact;
    std::vector<std::string> row(columnIds_.size());
    std::string id;
    for (std::size_t i = 0; i < salesIds.size(); ++i) {
        session_.progress.step();
        id = salesIds[i];
        sales.GoTo(id);
        contact.GoTo(sales.Data(25));
        for (size_t j = 0; j < columnIds_.size(); ++j) {
            row[j] = cells.FormatData(j);
        }
        // Every row goes to the top, so the unsorted list holds the records in reverse order.
        list_.addRowWithCells(row, 0);
    }
}

void ResultsList::saveSortColumns() {
    for (int n = 0; n < 3; ++n) {
        definitions::stageValue(session_, sectionKey("SortCol", n), std::to_string(sortCols_[n]));
    }
}

void ResultsList::sortRows() {
    if (sortCols_[0] == -1) {
        return;
    }
    // "1" is ascending and "2" descending; anything else sorts ascending.
    session_.bSortDescending.set(SessionKey{}, stagedValue(session_, "SortOrder0") == "2");
    std::string type = session_.settings->GetSetting(definitions::kStagingSection, "SortType0", "");
    sortByFirstSection(list_, sortCols_[0] - 1, type, session_.bSortDescending());
}

}  // namespace bp::output
