// The Fields tab of "Report Settings": the fields a report leaves out (lstLeft, by table) and
// the ones it includes, in column order (lstRight).

#include <algorithm>

#include "definitions/DefinitionFile.h"
#include "definitions/DefinitionKeys.h"
#include "definitions/FrmReportSettings.h"
#include "definitions/ReportFields.h"
#include "definitions/StagedValues.h"

namespace bp::definitions {
namespace {

using namespace bp::forms;

const std::string kEmptyColumn(findReportField(kEmptyColumnId)->caption);

bool fitsTable(int id, int table) {
    switch (table) {
        case FrmReportSettings::kContactTable:
            return id >= kEmptyColumnId;
        case FrmReportSettings::kGroupTable:
            return id > 500 && id < 949;
        case FrmReportSettings::kSalesTable:
            return id < 203;
        default:
            return false;
    }
}

}  // namespace

void FrmReportSettings::Populate_lstRight() {
    lstRight_->clear();
    const std::string included = stagedValue(session_, "FieldsIncluded");
    if (included.size() < 2) {
        return;
    }
    for (const std::string& id : splitItems(included)) {
        // An ID no report field has (a hand-edited file) has no column to show.
        const auto value = wholeNumberOf(id);
        if (!value) {
            continue;
        }
        if (auto field = findReportField(static_cast<int>(*value))) {
            lstRight_->addItem(std::string(field->caption));
        }
    }
}

void FrmReportSettings::Populate_lstLeft(int table, const std::string& select) {
    lstLeft_->clear();
    std::vector<std::string> included;
    for (const ListEntry& entry : lstRight_->entries()) {
        if (entry.text != kEmptyColumn) {
            included.push_back(entry.text);
        }
    }
    for (const ReportField& field : reportFields()) {
        const std::string caption(field.caption);
        if (!fitsTable(field.id, table) || std::ranges::count(included, caption) > 0) {
            continue;
        }
        const int at = lstLeft_->addItem(caption);
        if (!select.empty() && select == caption) {
            lstLeft_->setSelected(at, true);
        }
    }
}

void FrmReportSettings::cboTables_Click() {
    run("cboTables_Click", [&] {
        Populate_lstLeft(cboTables_->listIndex(), "");
        if (lstLeft_->listCount() > 0) {
            lstLeft_->setSelected(0, true);
        }
    });
}

void FrmReportSettings::Switch_Item(int position, ListBox& from, ListBox& to) {
    const std::string text = from.list(position);
    to.addItem(text);
    // "Empty column" may be included any number of times, so it stays on offer.
    if (&from == lstLeft_ && text == kEmptyColumn) {
        return;
    }
    marked_.push_back(position);
}

void FrmReportSettings::Purge(ListBox& list) {
    std::ranges::sort(marked_, std::greater<>());
    for (int position : marked_) {
        list.removeItem(position);
    }
    marked_.clear();
}

void FrmReportSettings::MoveListboxItem(ListBox& list, int from, int to) {
    if (from < 0) {
        from = list.listIndex();
    }
    if (from < 0 || from >= list.listCount() || to < 0 || to >= list.listCount()) {
        return;
    }
    const std::string text = list.list(from);
    const auto data = list.itemData(from);
    list.removeItem(from);
    list.addItem(text, to);
    list.setItemData(to, data);
    list.setListIndex(to);
}

void FrmReportSettings::cmdButton_Click(int index) {
    run("cmdButton_Click", [&] {
        const bool include = index == 0 || index == 2;
        ListBox& from = include ? *lstLeft_ : *lstRight_;
        ListBox& to = include ? *lstRight_ : *lstLeft_;
        const bool all = index == 0 || index == 3;
        if (index == 2 && lstRight_->listCount() > 0) {
            lstRight_->setListIndex(0);
        }
        std::string lastMoved;
        marked_.clear();
        for (int p = 0; p < from.listCount(); ++p) {
            if (all || from.selected(p)) {
                lastMoved = from.list(p);
                Switch_Item(p, from, to);
            }
        }
        Purge(from);
        if (include) {
            if (lstRight_->listCount() > 0) {
                lstRight_->setSelected(lstRight_->listCount() - 1, true);
            }
            return;
        }
        Populate_lstLeft(cboTables_->listIndex(), lastMoved);
        if (lstRight_->selCount() == 0) {
            setMoveButtons(false);
        }
    });
}

void FrmReportSettings::cmdMove_Click(int index) {
    run("cmdMove_Click", [&] {
        const auto selected = lstRight_->selectedIndices();
        if (selected.empty()) {
            return;
        }
        const int p = selected.front();
        const int to = index == 1 ? p - 1 : p + 1;
        if (to < 0 || to >= lstRight_->listCount()) {
            return;
        }
        // The caret may sit elsewhere than the selection after keyboard use; the user moves
        // what they see selected.
        lstRight_->setListIndex(p, Announcement::BeQuiet);
        MoveListboxItem(*lstRight_, -1, to);
        lstRight_->setSelected(to, true);
    });
}

void FrmReportSettings::Save_Fields() {
    std::string ids;
    std::string names;
    for (const ListEntry& entry : lstRight_->entries()) {
        auto field = findReportField(entry.text);
        if (!field) {
            continue;
        }
        ids += std::to_string(field->id) + kItemEnd;
        names += entry.text + kItemEnd;
    }
    stageValue(session_, "FieldsIncluded", ids);
    stageValue(session_, "FieldNamesIncluded", names);
}

void FrmReportSettings::setMoveButtons(bool enabled) {
    cmdMove_[0]->setEnabled(enabled);
    cmdMove_[1]->setEnabled(enabled);
}

void FrmReportSettings::lstLeft_GotFocus() {
    lstRight_->deselectAll();
    cmdButton_[2]->setEnabled(true);
    cmdButton_[1]->setEnabled(false);
    setMoveButtons(false);
}

void FrmReportSettings::lstRight_GotFocus() {
    lstLeft_->deselectAll();
    cmdButton_[2]->setEnabled(false);
    cmdButton_[1]->setEnabled(true);
}

void FrmReportSettings::cboTables_GotFocus() {
    lstRight_->deselectAll();
    setMoveButtons(false);
}

void FrmReportSettings::lstLeft_Click() {
    cmdButton_[2]->setEnabled(lstLeft_->selCount() > 0);
}

void FrmReportSettings::lstRight_Click() {
    setMoveButtons(lstRight_->selCount() == 1);
    cmdButton_[1]->setEnabled(lstRight_->selCount() > 0);
}

}  // namespace bp::definitions
