#include "definitions/FrmSubTotalOptions.h"

#include <sstream>

#include "definitions/DefinitionFile.h"
#include "definitions/DefinitionKeys.h"
#include "definitions/FrmBorder.h"
#include "definitions/ReportFields.h"
#include "definitions/StagedFont.h"
#include "definitions/StagedValues.h"
#include "forms/DialogButtons.h"
#include "platform/ErrorHandler.h"

namespace bp::definitions {
namespace {

using namespace bp::forms;

constexpr const char* kCalcCaptions[] = {"No calculation", "Total", "Average", "Count"};
constexpr int kCalcCount = 4;

// A column's own formatting on the total row: its font keys and its border above the cell.
constexpr const char* kOwnFormattingKeys[] = {"FontName",       "FontBold",  "FontItalic",
                                              "FontUnderline",  "FontColor", "FontSize",
                                              "FontStrikeThru", "LineAbove"};

template <class T>
T& placeInDialog(Form& form, const std::string& name, int index, Control* in, int row, int column,
                 int columnSpan = 1) {
    T& control = form.add<T>(name, index, in);
    control.setLayout(row, column, 1, columnSpan);
    return control;
}

template <class T>
T& captionInDialog(Form& form, const std::string& name, int index, Control* in, int row, int column,
                   const std::string& caption, int columnSpan = 1) {
    T& control = placeInDialog<T>(form, name, index, in, row, column, columnSpan);
    control.setCaption(caption);
    return control;
}

std::vector<std::string> items(const std::string& list) {
    std::vector<std::string> result;
    if (list.empty()) {
        return result;
    }
    std::istringstream in(list.substr(0, list.size() - 1));
    std::string item;
    while (std::getline(in, item, kItemEnd)) {
        result.push_back(item);
    }
    return result;
}

}  // namespace

FrmSubTotalOptions::FrmSubTotalOptions(act::Session& session, int sortIndex, TotalRow totalRow)
    : Form(*session.ui, "frmSubTotalOptions", "Sub-Total Options"),
      session_(session),
      n_(sortIndex),
      totalRow_(totalRow) {
    createControls();
    createColumnControls();
    bindControls();
}

void FrmSubTotalOptions::createControls() {
    auto& fra1 = captionInDialog<Frame>(*this, "fra1", -1, nullptr, 0, 0, "Caption :", 2);
    txtCaption_ = &placeInDialog<TextBox>(*this, "txtCaption", -1, &fra1, 0, 0, 2);
    captionInDialog<Label>(*this, "lblPosition", -1, &fra1, 1, 0, "Write this caption in column :");
    txtCaptionCol_ = &placeInDialog<TextBox>(*this, "txtCaptionCol", -1, &fra1, 1, 1);

    auto& fmt = captionInDialog<Frame>(*this, "fraFormatting", -1, nullptr, 1, 0,
                                       "Default formatting for this sub-total section :");
    chkBorder_ = &placeInDialog<CheckBox>(*this, "chkBorder", -1, &fmt, 0, 0);
    cmdBorder_ = &captionInDialog<CommandButton>(*this, "cmdBorder", -1, &fmt, 0, 1, "Border");
    cmdFontGlobal_ =
        &captionInDialog<CommandButton>(*this, "cmdFontGlobal", -1, &fmt, 1, 1, "Font...");
    cmdBorder_->setEnabled(false);

    auto& empty = captionInDialog<Frame>(*this, "fraEmpty", -1, nullptr, 1, 1, "Empty lines :");
    chkEmptyBefore_ = &captionInDialog<CheckBox>(*this, "chkEmptyBefore", -1, &empty, 0, 0,
                                                 "Empty line before the total");
    chkEmptyAfter_ = &captionInDialog<CheckBox>(*this, "chkEmptyAfter", -1, &empty, 1, 0,
                                                "Empty line after the total");

    cmdClose_ = &captionInDialog<CommandButton>(*this, "cmdClose", -1, nullptr, 3, 0, "&Close");
    cmdCancel_ = &addDialogButton(*this, "cmdCancel", {"&Cancel", 3, 1}, ButtonRole::Cancel,
                                  [this] { cmdCancel_Click(); });
}

void FrmSubTotalOptions::createColumnControls() {
    auto& totals = captionInDialog<Frame>(*this, "fraTotals", -1, nullptr, 2, 0,
                                          "Calculation for each column :", 2);
    cboFields_ = &placeInDialog<ComboBox>(*this, "cboFields", -1, &totals, 0, 0, 2);
    cboFields_->setStyle(ComboStyle::DropDownList);
    for (int i = 0; i < kCalcCount; ++i) {
        optCalc_[i] = &captionInDialog<OptionButton>(*this, "optCalc", i, &totals, i + 1, 0,
                                                     kCalcCaptions[i]);
    }
    chkDifferent_ = &captionInDialog<CheckBox>(*this, "chkDifferent", -1, &totals, 1, 1,
                                               "Ignore Default Formatting");
    chkLineabove_ =
        &captionInDialog<CheckBox>(*this, "chkLineabove", -1, &totals, 2, 1, "Border above cell");
    cmdFont_ = &captionInDialog<CommandButton>(*this, "cmdFont", -1, &totals, 3, 1, "Font...");
    // A column without its own formatting has no border or font of its own to set.
    chkLineabove_->setEnabled(false);
    cmdFont_->setEnabled(false);
}

void FrmSubTotalOptions::bindControls() {
    cboFields_->onClick = [this] { cboFields_Click(); };
    for (int i = 0; i < kCalcCount; ++i) {
        optCalc_[i]->onClick = [this, i] { optCalc_Click(i); };
    }
    chkDifferent_->onClick = [this] { chkDifferent_Click(); };
    chkLineabove_->onClick = [this] { chkLineabove_Click(); };
    chkBorder_->onClick = [this] { chkBorder_Click(); };
    cmdBorder_->onClick = [this] { cmdBorder_Click(); };
    cmdFontGlobal_->onClick = [this] { cmdFontGlobal_Click(); };
    cmdFont_->onClick = [this] { cmdFont_Click(); };
    cmdClose_->onClick = [this] { cmdClose_Click(); };
}

void FrmSubTotalOptions::run(const char* routine, const std::function<void()>& body) {
    platform::guarded(ui(), platform::Routine{"frmSubTotalOptions", routine}, body);
}

void FrmSubTotalOptions::Form_Load() {
    run("Form_Load", [&] {
        chkBorder_->setCaption(totalRow_ == TotalRow::Below ? "Border above" : "Border below");
        chkBorder_->setValue(
            CheckBox::valueOf(stagedFlag(session_, sectionKey("TotalBorder", n_))));
        chkEmptyBefore_->setValue(
            CheckBox::valueOf(stagedFlag(session_, sectionKey("TotalEmptyBefore", n_))));
        chkEmptyAfter_->setValue(
            CheckBox::valueOf(stagedFlag(session_, sectionKey("TotalEmptyAfter", n_))));
        txtCaption_->setText(stagedValue(session_, sectionKey("TotalCaption", n_)));
        txtCaptionCol_->setNumeric(true);
        txtCaptionCol_->setText(stagedValue(session_, sectionKey("TotalCaptionCol", n_)));
        Load_Combo();
    });
}

void FrmSubTotalOptions::Load_Combo() {
    const auto ids = items(stagedValue(session_, "FieldsIncluded"));
    const auto names = items(stagedValue(session_, "FieldNamesIncluded"));
    cboFields_->clear();
    for (std::size_t p = 0; p < ids.size(); ++p) {
        const auto id = wholeNumberOf(ids[p]);
        auto field = id ? findReportField(static_cast<int>(*id)) : std::nullopt;
        if (!field) {
            continue;
        }
        // The caption list is the one the report builder shows; the field table fills in
        // when a hand-edited definition lacks it.
        const std::string caption = p < names.size() ? names[p] : std::string(field->caption);
        const int at = cboFields_->addItem(caption);
        cboFields_->setItemData(at, field->id);
    }
    setColumnControlsEnabled(cboFields_->listCount() > 0);
    if (cboFields_->listCount() > 0) {
        cboFields_->setListIndex(0);
    }
}

void FrmSubTotalOptions::setColumnControlsEnabled(bool enabled) {
    cboFields_->setEnabled(enabled);
    for (auto* option : optCalc_) {
        option->setEnabled(enabled);
    }
    chkDifferent_->setEnabled(enabled);
}

int FrmSubTotalOptions::fieldId() const {
    const int p = cboFields_->listIndex();
    return p < 0 ? 0 : static_cast<int>(cboFields_->itemData(p));
}

std::string FrmSubTotalOptions::columnKeyOf(const char* base) const {
    return columnKey(fieldId(), base, n_);
}

void FrmSubTotalOptions::cboFields_Click() {
    run("cboFields_Click", [&] {
        if (fieldId() == 0) {
            return;
        }
        chkLineabove_->setValue(CheckBox::valueOf(stagedFlag(session_, columnKeyOf("LineAbove"))));
        const long calc = stagedNumber(session_, columnKeyOf("CalcType"));
        optCalc_[calc >= 0 && calc < kCalcCount ? calc : 0]->setValue(true);
        chkDifferent_->setValue(CheckBox::valueOf(stagedFlag(session_, columnKeyOf("Different"))));
    });
}

void FrmSubTotalOptions::optCalc_Click(int index) {
    run("optCalc_Click", [&] {
        if (fieldId() != 0) {
            stageValue(session_, columnKeyOf("CalcType"), std::to_string(index));
        }
    });
}

void FrmSubTotalOptions::chkLineabove_Click() {
    run("chkLineabove_Click", [&] {
        if (fieldId() != 0) {
            stageValue(session_, columnKeyOf("LineAbove"), flagText(chkLineabove_->checked()));
        }
    });
}

void FrmSubTotalOptions::chkDifferent_Click() {
    run("chkDifferent_Click", [&] {
        const bool different = chkDifferent_->checked();
        chkLineabove_->setEnabled(different);
        cmdFont_->setEnabled(different);
        if (fieldId() == 0) {
            return;
        }
        if (!different) {
            // Cleared first: its own handler would stage the border key again.
            chkLineabove_->setValue(CheckBox::kUnchecked);
            for (const char* base : kOwnFormattingKeys) {
                session_.settings->DeleteSetting(kStagingSection, columnKeyOf(base));
            }
        }
        stageValue(session_, columnKeyOf("Different"), flagText(different));
    });
}

void FrmSubTotalOptions::chkBorder_Click() {
    cmdBorder_->setEnabled(chkBorder_->checked());
}

void FrmSubTotalOptions::cmdBorder_Click() {
    run("cmdBorder_Click", [&] { showBorderDialog(session_, "Total", n_); });
}

void FrmSubTotalOptions::cmdFontGlobal_Click() {
    run("cmdFontGlobal_Click", [&] { chooseStagedFont(session_, FontKeys::totalDefault(n_)); });
}

void FrmSubTotalOptions::cmdFont_Click() {
    run("cmdFont_Click", [&] {
        if (fieldId() != 0) {
            chooseStagedFont(session_, FontKeys::column(fieldId(), n_));
        }
    });
}

void FrmSubTotalOptions::cmdClose_Click() {
    run("cmdClose_Click", [&] {
        stageValue(session_, sectionKey("TotalBorder", n_), flagText(chkBorder_->checked()));
        stageValue(session_, sectionKey("TotalEmptyBefore", n_),
                   flagText(chkEmptyBefore_->checked()));
        stageValue(session_, sectionKey("TotalEmptyAfter", n_),
                   flagText(chkEmptyAfter_->checked()));
        stageValue(session_, sectionKey("TotalCaption", n_), txtCaption_->text());
        // An emptied column box would leave the report builder no column for the caption.
        const std::string column = txtCaptionCol_->text();
        stageValue(session_, sectionKey("TotalCaptionCol", n_),
                   column.empty() ? keyDefault(sectionKey("TotalCaptionCol", n_)) : column);
        unload();
    });
}

void FrmSubTotalOptions::cmdCancel_Click() {
    unload();
}

}  // namespace bp::definitions
