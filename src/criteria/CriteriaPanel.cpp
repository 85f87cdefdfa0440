#include "criteria/CriteriaPanel.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "criteria/CriteriaTexts.h"
#include "criteria/Library1.h"
#include "criteria/SessionKey.h"
#include "forms/MenuEntry.h"
#include "platform/ErrorHandler.h"
#include "platform/SettingsStore.h"

namespace bp::criteria {
namespace {

using forms::CheckBox;

// The kind of value controls a condition field needs; empty for a text the panel does not know.
std::string kindOfField(const std::string& field) {
    if (field == "Products" || field == "Types" || field == "Competitors" ||
        field == "Sales Stages") {
        return "list";
    }
    if (field == "Forecasted Close Dates" || field == "Edit Date") {
        return "date";
    }
    if (field == "Units" || field == "Amounts" || field == "Probabilities") {
        return "numeric";
    }
    return {};
}

std::string withoutAsterisks(std::string caption) {
    caption.erase(std::remove(caption.begin(), caption.end(), '*'), caption.end());
    return caption;
}

void setEnabled(std::initializer_list<forms::Control*> controls, bool enabled) {
    for (forms::Control* control : controls) {
        control->setEnabled(enabled);
    }
}

// Decimal text as the window stores it; anything else reads as 0, as the number of an
// unreadable text does.
int numberOf(const std::string& text) {
    return std::atoi(text.c_str());
}

}  // namespace

CriteriaPanel::CriteriaPanel(forms::Form& form, forms::TabControl& tabs, act::Session& session,
                             PanelHooks hooks)
    : form_(form),
      session_(session),
      hooks_(std::move(hooks)),
      c_(CriteriaControls::create(form, tabs)) {
    bindEvents();
}

void CriteriaPanel::bindEvents() {
    for (int i = 0; i < 2; ++i) {
        c_.cboCondition[i].onClick = [this, i] { cboCondition_Click(i); };
        c_.chkCondition[i].onClick = [this, i] { chkCondition_Click(i); };
        c_.lstCriteria[i].onClick = [this, i] { lstCriteria_Click(i); };
        c_.optOr[i].onClick = [this, i] { optOr_Click(i); };
        c_.optChoice[i].onClick = [this, i] { optChoice_Click(i); };
        c_.optDate[i].onClick = [this, i] { optDate_Click(i); };
        c_.optManagedby[i].onClick = [this, i] { optmanagedby_Click(i); };
        c_.optSalesManagedBy[i].onClick = [this, i] { optsalesmanagedby_Click(i); };
    }
    c_.optAnd[0].onClick = [this] { optAnd_Click(0); };
    c_.chkReverse->onClick = [this] { chkReverse_Click(); };
    for (int i = 0; i < 4; ++i) {
        c_.chkSales[i].onClick = [this, i] { chkSales_Click(i); };
    }
    c_.cboOutput->onClick = [this] { cboOutput_Click(); };
}

void CriteriaPanel::run(const char* routine, const std::function<void()>& body) {
    platform::guarded(*session_.ui, platform::Routine{"frmMain", routine}, body);
}

void CriteriaPanel::cboCondition_Click(int Index) {
    run("cboCondition_Click", [&] {
        if (!loading() && resolveConflict(Index)) {
            return;
        }
        forms::ComboBox& combo = c_.cboCondition[Index];
        const std::string field = combo.text();
        c_.lblSelect[Index].setCaption(kSelectPrefix + field + " :");
        refillCriteriaList(Index, field);
        sPrevCondition_[Index] = std::to_string(combo.listIndex());
    });
}

// Two conditions on one field would contradict or repeat each other. A fresh pick of the
// other condition's field is refused; a clash that arises otherwise (the second condition
// switched on over the same field) moves this combo aside. Either way the new ListIndex runs
// the handler again, which refreshes the condition; true when that happened.
bool CriteriaPanel::resolveConflict(int Index) {
    forms::ComboBox& combo = c_.cboCondition[Index];
    if (!c_.chkCondition[1].checked() || combo.listIndex() < 0 ||
        c_.cboCondition[0].listIndex() != c_.cboCondition[1].listIndex()) {
        return false;
    }
    const int previous = numberOf(sPrevCondition_[Index]);
    if (previous != combo.listIndex()) {
        session_.ui->message(
            {.title = kConflictTitle, .text = kConflictText, .icon = forms::MsgIcon::Exclamation});
        combo.setListIndex(previous);
        return true;
    }
    const int last = combo.listCount() - 1;
    combo.setListIndex(combo.listIndex() < last ? combo.listIndex() + 1 : combo.listIndex() - 1);
    return true;
}

void CriteriaPanel::refillCriteriaList(int Index, const std::string& field) {
    forms::ListBox& list = c_.lstCriteria[Index];
    const std::string kind = kindOfField(field);
    if (kind == "list") {
        if (field == "Sales Stages") {
            Create_Stages_List(list, *session_.objSales);
        } else {
            const ListKind listKind = field == "Products" ? ListKind::Products
                                      : field == "Types"  ? ListKind::Types
                                                          : ListKind::Competitors;
            Create_Prod_Or_Type_List(listKind, list, *session_.objListTable);
        }
    }
    if (!kind.empty()) {
        Show_By_Tag(kind, Index);
    }
}

void CriteriaPanel::Show_By_Tag(const std::string& kind, int Index) {
    const std::string d = std::to_string(Index);
    form_.forEachControl([&](forms::Control& control) {
        const std::string& tag = control.tag();
        if (tag.empty()) {
            return;
        }
        if (tag.find(d) != std::string::npos) {
            control.setVisible(false);
        }
        if (tag.find(d + kind) != std::string::npos) {
            control.setVisible(true);
        }
        if (tag.find(d + "listmulti") != std::string::npos) {
            control.setEnabled(false);
        }
    });
}

void CriteriaPanel::setMultiEnabled(int Index, bool enabled) {
    const std::string multi = std::to_string(Index) + "listmulti";
    form_.forEachControl([&](forms::Control& control) {
        if (control.tag().find(multi) != std::string::npos) {
            control.setEnabled(enabled);
        }
    });
}

void CriteriaPanel::lstCriteria_Click(int Index) {
    run("lstCriteria_Click", [&] {
        setMultiEnabled(Index,
                        c_.lstCriteria[Index].selCount() >= 2 && c_.chkCondition[Index].checked());
    });
}

void CriteriaPanel::updateConditionTab(int Index, bool ticked) {
    const int tab = Index + 2;
    std::string caption = withoutAsterisks(c_.mstSSTab->tabCaption(tab));
    if (ticked) {
        caption = "*" + caption + "*";
    } else {
        session_.settings->DeleteSetting(platform::kSettingsSection,
                                         "lstCriteria" + std::to_string(Index));
    }
    c_.mstSSTab->setTabCaption(tab, caption);
}

void CriteriaPanel::chkCondition_Click(int Index) {
    run("chkCondition_Click", [&] {
        const bool ticked = c_.chkCondition[Index].checked();
        updateConditionTab(Index, ticked);

        const bool secondAllowed = c_.chkCondition[0].checked();
        c_.chkCondition[1].setEnabled(secondAllowed);
        c_.fraSecond->setEnabled(secondAllowed);
        if (!secondAllowed) {
            c_.chkCondition[1].setValue(CheckBox::kUnchecked);
        }

        c_.cboCondition[Index].setEnabled(ticked);
        c_.fraDefine[Index].setEnabled(ticked);
        Enable_Controls(form_, ticked, c_.fraDefine[Index], true, Index);
        if (ticked) {
            c_.cboCondition[Index].setListIndex(c_.cboCondition[Index].listIndex());
        }
        if (!c_.lstCriteria[Index].enabled()) {
            Deselect(c_.lstCriteria[Index], DeselectScope::All);
        }
    });
}

void CriteriaPanel::optOr_Click(int Index) {
    run("optOr_Click", [&] {
        if (Index == 0) {
            const bool atLeastOne = c_.optOr[0].value() && !c_.optAnd[0].value();
            c_.lblExplanation[0].setCaption(atLeastOne ? kExplanationAtLeastOne : kExplanationAll);
        }
    });
}

void CriteriaPanel::optAnd_Click(int Index) {
    run("optAnd_Click", [&] { optOr_Click(Index); });
}

void CriteriaPanel::chkReverse_Click() {
    run("chkReverse_Click", [&] {
        c_.lblReverse->setCaption(c_.chkReverse->checked() ? kReverseAndNot : kReverseAnd);
    });
}

// "No Sales Opportunities" excludes the three statuses, so ticking either side clears the
// other; clearing a box changes nothing else.
void CriteriaPanel::chkSales_Click(int Index) {
    run("chkSales_Click", [&] {
        if (!c_.chkSales[Index].checked()) {
            return;
        }
        if (Index == 3) {
            for (int i = 0; i < 3; ++i) {
                c_.chkSales[i].setValue(CheckBox::kUnchecked);
            }
        } else {
            c_.chkSales[3].setValue(CheckBox::kUnchecked);
        }
    });
}

void CriteriaPanel::optChoice_Click(int Index) {
    run("optChoice_Click", [&] {
        const bool report = c_.optChoice[1].value();
        if (auto* menu = form_.findAs<forms::MenuEntry>("mnuReport")) {
            menu->setVisible(report);
        }
        if (report && hooks_.Update_ReportMenu) {
            hooks_.Update_ReportMenu();
        }
        const bool forReport = Index == 1;
        if (!forReport) {
            Deselect(*c_.lstReports, DeselectScope::All);
        }
        setEnabled({c_.fraReport, &c_.optReport[0], &c_.optReport[1], &c_.optReport[2],
                    c_.fraOutput, c_.cboOutput, c_.fraTemplate, c_.lstReports},
                   forReport);
        setEnabled({&c_.optLookup[0], &c_.optLookup[1], &c_.optLookup[2], c_.fraLookup,
                    &c_.chkSales[3], &c_.optOr[0], &c_.optOr[1], &c_.optAnd[0]},
                   !forReport);
    });
}

void CriteriaPanel::optDate_Click(int Index) {
    run("optDate_Click", [&] {
        const bool selected = Index == 1;
        c_.dtpStartDate->setEnabled(selected);
        c_.dtpEndDate->setEnabled(selected);
        c_.lblFrom->setEnabled(selected);
        c_.lblTo->setEnabled(selected);
    });
}

void CriteriaPanel::optmanagedby_Click(int Index) {
    run("optmanagedby_Click", [&] {
        c_.lstUsers->setEnabled(Index == 1);
        if (Index != 1) {
            Deselect(*c_.lstUsers, DeselectScope::All);
        }
    });
}

void CriteriaPanel::optsalesmanagedby_Click(int Index) {
    run("optsalesmanagedby_Click", [&] {
        c_.lstSalesUsers->setEnabled(Index == 1);
        if (Index != 1) {
            Deselect(*c_.lstSalesUsers, DeselectScope::All);
        }
    });
}

void CriteriaPanel::cboOutput_Click() {
    run("cboOutput_Click", [&] {
        session_.iOutputType.set(SessionKey{}, c_.cboOutput->listIndex());
        if (hooks_.Load_Reports) {
            hooks_.Load_Reports();
        }
        if (hooks_.Update_ReportMenu) {
            hooks_.Update_ReportMenu();
        }
    });
}

namespace {

template <std::size_t N>
std::array<bool, N> optionValues(const forms::ControlArray<forms::OptionButton>& options) {
    std::array<bool, N> values{};
    for (std::size_t i = 0; i < N; ++i) {
        values[i] = options[static_cast<int>(i)].value();
    }
    return values;
}

std::vector<int> selectedUsers(const forms::ListBox& list) {
    std::vector<int> users;
    for (int position : list.selectedIndices()) {
        users.push_back(static_cast<int>(list.itemData(position)));
    }
    return users;
}

}  // namespace

Criteria CriteriaPanel::criteria() const {
    Criteria result;
    result.reportOutput = c_.optChoice[1].value();
    result.optLookup = optionValues<3>(c_.optLookup);
    result.optReport = optionValues<3>(c_.optReport);
    result.optManagedby = optionValues<2>(c_.optManagedby);
    result.optSalesManagedBy = optionValues<2>(c_.optSalesManagedBy);
    result.optDate = optionValues<2>(c_.optDate);
    for (int i = 0; i < 4; ++i) {
        result.chkSales[static_cast<std::size_t>(i)] = c_.chkSales[i].checked();
    }
    for (int i = 0; i < 2; ++i) {
        ConditionCriteria& condition = result.conditions[static_cast<std::size_t>(i)];
        condition.applied = c_.chkCondition[i].checked();
        condition.field = c_.cboCondition[i].listIndex();
        const forms::ListBox& list = c_.lstCriteria[i];
        for (int position : list.selectedIndices()) {
            condition.selectedItems.push_back(list.list(position));
        }
        // The second condition has no AND option: several items always mean at least one.
        condition.atLeastOne = i == 1 || !c_.optAnd[0].value();
        condition.minText = c_.txtValueMin[i].text();
        condition.maxText = c_.txtValueMax[i].text();
        condition.start = c_.dtpStart[i].value();
        condition.end = c_.dtpEnd[i].value();
    }
    result.reverseSecond = c_.chkReverse->checked();
    result.selectedContactManagers = selectedUsers(*c_.lstUsers);
    result.selectedSalesManagers = selectedUsers(*c_.lstSalesUsers);
    result.createdFrom = c_.dtpStartDate->value();
    result.createdTo = c_.dtpEndDate->value();
    return result;
}

}  // namespace bp::criteria
