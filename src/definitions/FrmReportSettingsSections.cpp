// The section tabs and the Summary tab of "Report Settings": each section's sort field and
// direction, its title row and its sub-total row; the summary row of the whole report.

#include "definitions/DefinitionFile.h"
#include "definitions/DefinitionKeys.h"
#include "definitions/FieldTypeRule.h"
#include "definitions/FrmBorder.h"
#include "definitions/FrmReportSettings.h"
#include "definitions/FrmSubTotalOptions.h"
#include "definitions/ReportFields.h"
#include "definitions/StagedFont.h"
#include "definitions/StagedValues.h"

namespace bp::definitions {
namespace {

using namespace bp::forms;

constexpr const char* kIncompatibleText =
    "You can't have a title and a sub-total above the section.\r"
    "Click Yes to add a title (the sub-total will be moved to the bottom of the section) \r"
    "or No to abort.\r";

}  // namespace

void FrmReportSettings::enableTagged(const std::string& tag, bool enabled) {
    forEachControl([&](Control& control) {
        if (control.tag() == tag) {
            control.setEnabled(enabled);
        }
    });
}

void FrmReportSettings::Populate_SortCombo(int i) {
    ComboBox& combo = *cboSortOrder_[i];
    combo.clear();
    combo.addItem("_None");
    const std::string sorted = stagedValue(session_, sectionKey("Sort", i));
    int current = 0;
    for (const ListEntry& entry : lstRight_->entries()) {
        const int at = combo.addItem(entry.text);
        auto field = findReportField(entry.text);
        if (current == 0 && field && std::to_string(field->id) == sorted) {
            current = at;
        }
    }
    combo.setListIndex(current);
}

void FrmReportSettings::loadSections() {
    for (int i = 0; i < kSections; ++i) {
        Populate_SortCombo(i);
        loadSection(i);
    }
    chkTotals(99).setValue(CheckBox::valueOf(stagedFlag(session_, sectionKey("Totals", 99))));
    if (stagedFlag(session_, sectionKey("TotalPos", 99))) {
        optBelow(99).setValue(true);
    } else {
        optAbove(99).setValue(true);
    }
}

void FrmReportSettings::loadSection(int i) {
    auto flagOf = [&](const char* base) {
        return CheckBox::valueOf(stagedFlag(session_, sectionKey(base, i)));
    };
    if (stagedValue(session_, sectionKey("SortOrder", i)) == "1") {
        optAscending_[i]->setValue(true);
    } else {
        optDescending_[i]->setValue(true);
    }
    chkTotals_[i]->setValue(flagOf("Totals"));
    if (stagedFlag(session_, sectionKey("TotalPos", i))) {
        optBelow_[i]->setValue(true);
    } else {
        optAbove_[i]->setValue(true);
    }
    txtTitleCaption_[i]->setText(stagedValue(session_, sectionKey("TitleCaption", i)));
    chkTitle_[i]->setValue(flagOf("Title"));
    chkNoRepeat_[i]->setValue(flagOf("NoRepeat"));
    chkBorderBelow_[i]->setValue(flagOf("TitleBorderBelow"));
    chkEmptyBefore_[i]->setValue(flagOf("TitleEmptyBefore"));
    chkEmptyAfter_[i]->setValue(flagOf("TitleEmptyAfter"));
    applyTitleBorderButton(i);
    if (!chkTitle_[i]->checked() && chkTotals_[i]->checked()) {
        optAbove_[i]->setEnabled(true);
    }
}

void FrmReportSettings::cboSortOrder_Click(int i) {
    run("cboSortOrder_click", [&] {
        const bool chosen = cboSortOrder_[i]->listIndex() > 0;
        optAscending_[i]->setEnabled(chosen);
        optDescending_[i]->setEnabled(chosen);
        if (!chosen) {
            chkTitle_[i]->setValue(CheckBox::kUnchecked);
            chkTotals_[i]->setValue(CheckBox::kUnchecked);
        }
    });
}

void FrmReportSettings::applyTitleBorderButton(int i) {
    cmdBorder_[i]->setEnabled(chkTitle_[i]->checked() && chkBorderBelow_[i]->checked());
}

void FrmReportSettings::chkTitle_Click(int i) {
    run("chkTitle_Click", [&] {
        const bool title = chkTitle_[i]->checked();
        enableTagged("Title" + std::to_string(i), title);
        applyTitleBorderButton(i);
        const bool totals = chkTotals_[i]->checked();
        if (title && totals && optAbove_[i]->value()) {
            const MsgResult answer = ui().message({"Incompatible Settings", kIncompatibleText,
                                                   MsgButtons::YesNo, MsgIcon::Exclamation});
            if (answer == MsgResult::Yes) {
                optAbove_[i]->setEnabled(false);
                optBelow_[i]->setValue(true);
            } else {
                chkTitle_[i]->setValue(CheckBox::kUnchecked);
            }
        } else if (totals) {
            optAbove_[i]->setEnabled(!title);
        }
    });
}

void FrmReportSettings::chkTotals_Click(int i) {
    run("chkTotals_Click", [&] {
        const bool totals = chkTotals(i).checked();
        const bool title = i != 99 && chkTitle_[i]->checked();
        cmdOptions(i).setEnabled(totals);
        enableTagged("Total" + std::to_string(i), totals);
        enableTagged("IfTotal" + std::to_string(i), totals && !title);
        if (totals && !bLoading_) {
            cmdOptions_Click(i);
        }
    });
}

void FrmReportSettings::chkBorderBelow_Click(int i) {
    run("chkBorderBelow_Click", [&] { applyTitleBorderButton(i); });
}

void FrmReportSettings::cmdOptions_Click(int i) {
    run("cmdOptions_Click", [&] {
        iSortIndex = i;
        bBelow = optBelow(i).value();
        FrmSubTotalOptions options(session_, iSortIndex,
                                   bBelow ? TotalRow::Below : TotalRow::Above);
        options.showModal();
        if (options.loaded()) {
            options.unload();
        }
    });
}

void FrmReportSettings::cmdBorder_Click(int i) {
    run("cmdBorder_Click", [&] { showBorderDialog(session_, "Title", i); });
}

void FrmReportSettings::cmdTitleFormat_Click(int i) {
    run("cmdTitleFormat_Click", [&] { chooseStagedFont(session_, FontKeys::title(i)); });
}

void FrmReportSettings::Save_Sections(int i) {
    if (cboSortOrder_[i]->listIndex() > 0) {
        const int id = findReportField(cboSortOrder_[i]->text())->id;
        stageValue(session_, sectionKey("Sort", i), std::to_string(id));
        stageValue(session_, sectionKey("SortType", i), GetFieldType(session_, id));
    } else {
        stageValue(session_, sectionKey("Sort", i), "0");
        stageValue(session_, sectionKey("SortType", i), "0");
    }
    stageValue(session_, sectionKey("SortOrder", i), optAscending_[i]->value() ? "1" : "2");
    stageValue(session_, sectionKey("TitleCaption", i), txtTitleCaption_[i]->text());
    stageValue(session_, sectionKey("Title", i), flagText(chkTitle_[i]->checked()));
    stageValue(session_, sectionKey("NoRepeat", i), flagText(chkNoRepeat_[i]->checked()));
    stageValue(session_, sectionKey("TitleBorderBelow", i),
               flagText(chkBorderBelow_[i]->checked()));
    stageValue(session_, sectionKey("TitleEmptyBefore", i),
               flagText(chkEmptyBefore_[i]->checked()));
    stageValue(session_, sectionKey("TitleEmptyAfter", i), flagText(chkEmptyAfter_[i]->checked()));
    stageValue(session_, sectionKey("Totals", i), flagText(chkTotals_[i]->checked()));
    stageValue(session_, sectionKey("TotalPos", i), flagText(optBelow_[i]->value()));
}

}  // namespace bp::definitions
