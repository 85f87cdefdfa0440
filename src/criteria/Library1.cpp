#include "criteria/Library1.h"

#include "criteria/Criteria.h"
#include "forms/Control.h"

namespace bp::criteria {

void Load_Users(forms::ListBox& list, act::Users& users) {
    const int n = users.Count();
    for (int i = 0; i < n; ++i) {
        int at = list.addItem(users.Name(i + 1));
        list.setItemData(at, i + 1);
    }
}

void Load_Conditions(forms::ComboBox& combo) {
    for (const char* field : kConditionFields) {
        combo.addItem(field);
    }
}

void Create_Prod_Or_Type_List(ListKind kind, forms::ListBox& list, act::ListTable& listTable) {
    Empty_List(list);
    listTable.SetScope(static_cast<int>(kind));
    const int n = listTable.RecordCount();
    for (int i = 0; i < n; ++i) {
        list.addItem(listTable.Data(kListEntryField));
        listTable.MoveNext();
    }
    list.addItem(kEmptyItem);
}

void Create_Stages_List(forms::ListBox& list, act::RecordTable& sales) {
    auto stages = sales.Fields()->PopupInfo(kSalesStageField, 0);
    Empty_List(list);
    list.addItem(kEmptyItem);
    const int n = stages->PopupCount();
    for (int i = 0; i < n; ++i) {
        list.addItem(stages->Value(i));
    }
}

const std::vector<int>& GetSelectedItems(const forms::ListBox& list) {
    if (list.multiSelect() != forms::MultiSelect::None) {
        std::vector<int> selected = list.selectedIndices();
        if (!selected.empty()) {
            gSelectedItems = std::move(selected);
        }
        return gSelectedItems;
    }
    gSelectedItems.assign(1, 0);
    for (int i = 0; i < list.listCount(); ++i) {
        if (list.selected(i)) {
            gSelectedItems[0] = i;
            break;
        }
    }
    return gSelectedItems;
}

void Deselect(forms::ListBox& list, DeselectScope scope, int last) {
    if (list.selCount() == 0) {
        return;
    }
    bDeselecting = true;
    if (scope == DeselectScope::UpTo) {
        for (int i = 0; i <= last && i < list.listCount(); ++i) {
            list.setSelected(i, false);
        }
    } else if (list.multiSelect() == forms::MultiSelect::None) {
        for (int i = 0; i < list.listCount(); ++i) {
            list.setSelected(i, false);
        }
    } else {
        list.deselectAll();
    }
    bDeselecting = false;
}

void Empty_List(forms::ListControl& list) {
    const int n = list.listCount();
    for (int i = 0; i < n; ++i) {
        list.removeItem(0);
    }
}

void Enable_Controls(forms::Form& form, bool enable, const forms::Frame& frame, bool useIndex,
                     int index) {
    form.forEachControl([&](forms::Control& control) {
        if (control.kind() == forms::ControlKind::Menu ||
            control.kind() == forms::ControlKind::Timer) {
            return;
        }
        const forms::Control* container = control.container();
        if (container == nullptr || container->name() != frame.name()) {
            return;
        }
        if (useIndex && container->index() != index) {
            return;
        }
        control.setEnabled(enable);
    });
}

void ForceTextBoxNumeric(forms::TextBox& box, bool on) {
    box.setNumeric(on);
}

void ForceTextBoxCase(forms::TextBox& box, int mode) {
    switch (mode) {
        case static_cast<int>(TextCaseMode::Mixed):
            box.setTextCase(forms::TextCase::Mixed);
            break;
        case static_cast<int>(TextCaseMode::Upper):
            box.setTextCase(forms::TextCase::Upper);
            break;
        case static_cast<int>(TextCaseMode::Lower):
            box.setTextCase(forms::TextCase::Lower);
            break;
        default:
            break;
    }
}

void GiveFocus(forms::TextBox& box) {
    box.setFocus();
    box.setSelStart(0);
    box.setSelLength(box.length());
}

}  // namespace bp::criteria
