#include "act/sim/SimFieldDefs.h"

#include "act/sim/SimDropDownList.h"

namespace bp::sim {

SimFieldDefs::SimFieldDefs(std::shared_ptr<SimState> state, TableKind kind)
    : state_(std::move(state)), kind_(kind), defs_(state_->store().fieldDefs(kind)) {
    CallLog& log = state_->log();
    std::string p = kind == TableKind::Contact ? "ContactFields."
                    : kind == TableKind::Sales ? "SalesFields."
                                               : "GroupFields.";
    type_ = log.member(p + "Type");
    count_ = log.member(p + "Count");
    id_ = log.member(p + "ID");
    label_ = log.member(p + "Label");
    fieldId_ = log.member(p + "FieldID");
    popupInfo_ = log.member(p + "PopupInfo");
}

const FieldDef* SimFieldDefs::find(int fieldNumber) const {
    for (const auto& def : defs_) {
        if (def.id == fieldNumber) {
            return &def;
        }
    }
    return nullptr;
}

int SimFieldDefs::Type(int fieldNumber) {
    state_->log().call(type_);
    state_->requireOpen();
    const FieldDef* def = find(fieldNumber);
    return def ? def->type : 1;
}

int SimFieldDefs::Count() {
    state_->log().call(count_);
    state_->requireOpen();
    return static_cast<int>(defs_.size());
}

int SimFieldDefs::ID(int index) {
    state_->log().call(id_);
    state_->requireOpen();
    if (index < 0 || static_cast<std::size_t>(index) >= defs_.size()) {
        return -1;
    }
    return defs_[static_cast<std::size_t>(index)].id;
}

std::string SimFieldDefs::Label(int fieldNumber) {
    state_->log().call(label_);
    state_->requireOpen();
    const FieldDef* def = find(fieldNumber);
    return def ? def->label : std::string();
}

int SimFieldDefs::FieldID(const std::string& label) {
    state_->log().call(fieldId_);
    state_->requireOpen();
    if (label.empty()) {
        return 0;
    }
    for (const auto& def : defs_) {
        if (def.label == label) {
            return def.id;
        }
    }
    return 0;
}

std::shared_ptr<act::DropDownList> SimFieldDefs::PopupInfo(int fieldNumber, int /*kind*/) {
    state_->log().call(popupInfo_);
    state_->requireOpen();
    std::vector<std::string> values;
    if (kind_ == TableKind::Sales && fieldNumber == kStageField) {
        values = state_->store().salesStages();
    }
    return std::make_shared<SimDropDownList>(state_, std::move(values));
}

}  // namespace bp::sim
