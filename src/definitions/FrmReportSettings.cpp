#include "definitions/FrmReportSettings.h"

#include "definitions/DefinitionFile.h"
#include "definitions/DefinitionKeys.h"
#include "definitions/StagedValues.h"
#include "platform/AppInfo.h"
#include "platform/ErrorHandler.h"

namespace bp::definitions {
namespace {

using namespace bp::forms;

constexpr const char* kNone = "_None";

// Contact fields the custom slots never offer: the ones the report has columns of its own for
// and the host's internal ones.
constexpr int kExcludedContactFields[] = {3,  4,  5,  6,  25, 26, 30,  41,  42,  43,  44,
                                          78, 79, 90, 91, 92, 93, 202, 203, 500, 501, 502};

bool isExcludedContactField(int id) {
    for (int excluded : kExcludedContactFields) {
        if (excluded == id) {
            return true;
        }
    }
    return false;
}

// A host that miscounts its fields must not keep the dialog asking for ever.
constexpr int kMaxFieldIndex = 32767;

}  // namespace

FrmReportSettings::FrmReportSettings(act::Session& session)
    : Form(*session.ui, "frmReportSettings", "Report Settings"), session_(session) {
    createFrame();
    createDataTab();
    createFieldsTab();
    createCustomFieldsTab();
    for (int i = 0; i < kSections; ++i) {
        createSectionTab(i);
        bindSectionTab(i);
    }
    createSummaryTab();
    bindSectionTab(99);
    bindFieldsTab();
    cmdClose_->onClick = [this] { cmdClose_Click(); };
    mstSettings_->onClick = [this](int PreviousTab) { mstSettings_Click(PreviousTab); };
}

void FrmReportSettings::run(const char* routine, const std::function<void()>& body) {
    platform::guarded(ui(), platform::Routine{"frmReportSettings", routine}, body);
}

void FrmReportSettings::Form_Load() {
    bool opened = false;
    run("Form_Load", [&] {
        bLoading_ = true;
        mstSettings_->setTab(kTabData, Announcement::BeQuiet);
        txtReportName_->setText(session_.sReportName());
        if (!Load_DefFile(session_, session_.sReportName(), session_.iOutputType())) {
            return;
        }
        hideWhatCsvDoesNotUse();
        loadDataTab();
        Populate_lstRight();
        cboTables_->clear();
        for (const char* table : {"Contact", "Group", "Sales"}) {
            cboTables_->addItem(table);
        }
        cboTables_->setListIndex(kContactTable);
        loadCustomFields();
        loadSections();
        opened = true;
    });
    bLoading_ = false;
    // A half-opened dialog is not shown: its Close would write the controls that were never
    // filled over the definition's own values.
    if (!opened) {
        unload();
    }
}

void FrmReportSettings::hideWhatCsvDoesNotUse() {
    if (session_.iOutputType() != kCsvExport) {
        return;
    }
    fraTopLeft_->setVisible(false);
    for (int tab = kTabFirstSection + 1; tab <= kTabSummary; ++tab) {
        mstSettings_->setTabVisible(tab, false);
    }
    fraTitle_[0]->setVisible(false);
    fraSubTotal_[0]->setVisible(false);
}

void FrmReportSettings::loadDataTab() {
    txtTopLeftRow_->setNumeric(true);
    txtTopLeftCol_->setTextCase(TextCase::Upper);
    txtTopLeftCol_->setText(stagedValue(session_, "TopLeftCol"));
    txtTopLeftRow_->setText(stagedValue(session_, "TopLeftRow"));
    chkHeader_->setValue(CheckBox::valueOf(stagedFlag(session_, "Header")));
}

void FrmReportSettings::loadCustomFields() {
    for (int j = 0; j < kCustomSlots; ++j) {
        slotIds_[j] = static_cast<int>(stagedNumber(session_, sectionKey("FieldID", j)));
        slotShown_[j] = false;
        Combo1_[j]->clear();
        Combo1_[j]->addItem(kNone);
        Combo1_[j]->setListIndex(0);
    }
    act::FieldDefs& fields = *session_.objFields;
    const int count = fields.Count();
    int seen = 0;
    for (int i = 0; seen < count && i <= kMaxFieldIndex; ++i) {
        const int id = fields.ID(i);
        if (id == -1) {
            continue;
        }
        ++seen;
        if (isExcludedContactField(id)) {
            continue;
        }
        const std::string label = fields.Label(id);
        for (int j = 0; j < kCustomSlots; ++j) {
            const int at = Combo1_[j]->addItem(label);
            if (slotIds_[j] == id) {
                Combo1_[j]->setListIndex(at);
                slotShown_[j] = true;
            }
        }
    }
}

void FrmReportSettings::txtTopLeftCol_KeyPress(int& KeyAscii) {
    // A spreadsheet column is one or two letters; anything else would give the report builder a
    // cell that does not exist. Backspace is refused with the other keys, so Delete and the
    // mouse edit the box.
    const bool letter =
        (KeyAscii >= 'A' && KeyAscii <= 'Z') || (KeyAscii >= 'a' && KeyAscii <= 'z');
    if (txtTopLeftCol_->length() >= 2 || !letter) {
        KeyAscii = 0;
        ui().beep();
    }
}

void FrmReportSettings::mstSettings_Click(int PreviousTab) {
    run("mstSettings_Click", [&] {
        if (PreviousTab == kTabFields) {
            Save_Fields();
            refreshSortCombos();
        } else if (PreviousTab >= kTabFirstSection && PreviousTab < kTabFirstSection + kSections) {
            Save_Sections(PreviousTab - kTabFirstSection);
        }
        if (mstSettings_->tab() == kTabFirstSection) {
            refreshSortCombos();
        }
    });
}

void FrmReportSettings::refreshSortCombos() {
    // Every section tab left so far has staged its sort field, so the combos come back as the
    // user left them, less the fields no longer included: no section (the second and third
    // included) keeps sorting by a field the user has just excluded.
    for (int i = 0; i < kSections; ++i) {
        Populate_SortCombo(i);
    }
}

void FrmReportSettings::saveDataTab() {
    stageValue(session_, "Header", flagText(chkHeader_->checked()));
    // An emptied box would give the report builder no cell to start at.
    const std::string row = txtTopLeftRow_->text();
    const std::string col = txtTopLeftCol_->text();
    stageValue(session_, "TopLeftRow", row.empty() ? keyDefault("TopLeftRow") : row);
    stageValue(session_, "TopLeftCol", col.empty() ? keyDefault("TopLeftCol") : col);
}

bool FrmReportSettings::saveCustomFields() {
    std::array<int, kCustomSlots> ids{};
    for (int j = 0; j < kCustomSlots; ++j) {
        ids[j] = Combo1_[j]->listIndex() > 0 ? session_.objFields->FieldID(Combo1_[j]->text()) : 0;
    }
    for (int a = 0; a < kCustomSlots; ++a) {
        for (int b = a + 1; b < kCustomSlots; ++b) {
            if (ids[a] > 0 && ids[a] == ids[b]) {
                ui().message({std::string(platform::kAppTitle), "Two custom fields are the same!",
                              MsgButtons::OK, MsgIcon::Exclamation});
                return false;
            }
        }
    }
    for (int j = 0; j < kCustomSlots; ++j) {
        if (Combo1_[j]->listIndex() > 0 && ids[j] > 0) {
            stageValue(session_, sectionKey("FieldName", j), Combo1_[j]->text());
            stageValue(session_, sectionKey("FieldID", j), std::to_string(ids[j]));
        } else if (Combo1_[j]->listIndex() <= 0 && slotShown_[j]) {
            // The user emptied a slot that showed a field: without this the field would come
            // back at the next opening and stay in the report.
            stageValue(session_, sectionKey("FieldName", j), "");
            stageValue(session_, sectionKey("FieldID", j), "0");
        }
    }
    return true;
}

void FrmReportSettings::saveSummary() {
    stageValue(session_, sectionKey("Totals", 99), flagText(chkTotals(99).checked()));
    stageValue(session_, sectionKey("TotalPos", 99), flagText(optBelow(99).value()));
}

void FrmReportSettings::cmdClose_Click() {
    run("cmdClose_Click", [&] {
        // Each group of keys reaches the store in one write; the custom slots' check may ask
        // the user, which must not happen while the store is held.
        session_.settings->batch([&] {
            saveDataTab();
            Save_Fields();
            if (mstSettings_->tab() == kTabFields) {
                refreshSortCombos();
            }
        });
        if (!saveCustomFields()) {
            return;
        }
        session_.settings->batch([&] {
            for (int i = 0; i < kSections; ++i) {
                Save_Sections(i);
            }
            saveSummary();
        });
        if (Update_DefFile(session_, txtReportName_->text(), session_.iOutputType())) {
            written_ = true;
        } else {
            ui().message({std::string(platform::kAppTitle),
                          "The definition file for this report could not be updated!",
                          MsgButtons::OK, MsgIcon::Exclamation});
        }
        unload();
    });
}

bool showReportSettings(act::Session& session) {
    FrmReportSettings dialog(session);
    dialog.showModal();
    if (dialog.loaded()) {
        dialog.unload();
    }
    return dialog.written();
}

}  // namespace bp::definitions
