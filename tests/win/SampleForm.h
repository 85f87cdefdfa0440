#pragma once
// A dialog with one control of each kind the Win32 renderer draws, recording what its
// handlers saw, for tests that drive the real window controls.

#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/DialogButtons.h"
#include "forms/Form.h"

namespace bp::win::test {

class SampleForm : public forms::Form {
public:
    explicit SampleForm(forms::UiService& ui) : Form(ui, "frmSample", "Sample") {
        lblName = &add<forms::Label>("lblName");
        lblName->setCaption("&Name:");
        lblName->setLayout(0, 0);
        txtName = &add<forms::TextBox>("txtName");
        txtName->setLayout(0, 1);
        // A file name cannot hold a slash: the key is refused before the box sees it.
        txtName->onKeyPress = [](int& key) {
            if (key == '/') {
                key = 0;
            }
        };
        txtName->onChange = [this] { ++changes; };
        chkAll = &add<forms::CheckBox>("chkAll");
        chkAll->setCaption("&All contacts");
        chkAll->setLayout(1, 0, 1, 2);
        chkAll->onClick = [this] { ++checkClicks; };
        fraPick = &add<forms::Frame>("fraPick");
        fraPick->setCaption("Pick");
        fraPick->setLayout(2, 0, 1, 2);
        optFirst = &add<forms::OptionButton>("optFirst", -1, fraPick);
        optFirst->setCaption("First");
        optFirst->setLayout(0, 0);
        optSecond = &add<forms::OptionButton>("optSecond", -1, fraPick);
        optSecond->setCaption("Second");
        optSecond->setLayout(0, 1);
        optSecond->onClick = [this] { ++optionClicks; };
        cboKind = &add<forms::ComboBox>("cboKind");
        cboKind->setStyle(forms::ComboStyle::DropDownList);
        cboKind->setLayout(3, 0);
        for (const char* kind : {"Excel", "CSV", "Lookup"}) {
            cboKind->addItem(kind);
        }
        cboKind->onClick = [this] { ++comboClicks; };
        cboCity = &add<forms::ComboBox>("cboCity");
        cboCity->setLayout(3, 1);
        for (const char* city : {"Berlin", "Bern"}) {
            cboCity->addItem(city);
        }
        cboCity->onChange = [this] { ++cityChanges; };
        lstItems = &add<forms::ListBox>("lstItems");
        lstItems->setMultiSelect(forms::MultiSelect::Simple);
        lstItems->setLayout(4, 0, 1, 2);
        for (const char* item : {"Alpha", "Beta", "Gamma"}) {
            lstItems->addItem(item);
        }
        lstItems->onClick = [this] { ++listClicks; };
        lstItems->onDblClick = [this] { ++listDoubleClicks; };
        cmdOK = &forms::addDialogButton(*this, "cmdOK", {"OK", 5, 0}, forms::ButtonRole::Default,
                                        [this] {
                                            result = txtName->text();
                                            hide();
                                        });
        cmdCancel = &forms::addDialogButton(*this, "cmdCancel", {"Cancel", 5, 1},
                                            forms::ButtonRole::Cancel, [this] {
                                                cancelled = true;
                                                hide();
                                            });
    }

    forms::Label* lblName = nullptr;
    forms::TextBox* txtName = nullptr;
    forms::CheckBox* chkAll = nullptr;
    forms::Frame* fraPick = nullptr;
    forms::OptionButton* optFirst = nullptr;
    forms::OptionButton* optSecond = nullptr;
    forms::ComboBox* cboKind = nullptr;
    forms::ComboBox* cboCity = nullptr;
    forms::ListBox* lstItems = nullptr;
    forms::CommandButton* cmdOK = nullptr;
    forms::CommandButton* cmdCancel = nullptr;

    std::string result;
    bool cancelled = false;
    int changes = 0, checkClicks = 0, optionClicks = 0, comboClicks = 0, listClicks = 0;
    int cityChanges = 0, listDoubleClicks = 0;
};

}  // namespace bp::win::test
