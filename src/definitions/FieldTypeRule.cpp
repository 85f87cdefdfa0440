#include "definitions/FieldTypeRule.h"

#include "definitions/DefinitionFile.h"
#include "definitions/DefinitionKeys.h"
#include "definitions/ReportFields.h"
#include "platform/Conversions.h"

namespace bp::definitions {
namespace {

constexpr int kStatusFieldId = 27;

int hostTypeOf(act::Session& session, int fieldId) {
    if (fieldId < 500) {
        return session.objSales->Fields()->Type(fieldId);
    }
    if (fieldId < kFirstCustomId) {
        return session.objGroup->Fields()->Type(fieldId - 500);
    }
    if (fieldId < 1000) {
        std::string slot = stagedValue(session, sectionKey("FieldID", fieldId - kFirstCustomId));
        int contactField = platform::CInt(slot);
        return contactField > 0 ? session.objFields->Type(contactField) : 0;
    }
    return session.objFields->Type(fieldId - 1000);
}

}  // namespace

std::string typeCodeOf(int hostType) {
    switch (hostType) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 11:
        case 13:
        case 14:
        case 15:
            return "S";
        case 5:
        case 6:
            return "N";
        case 7:
        case 8:
        case 9:
        case 10:
            return "D";
        default:
            return "";
    }
}

std::string GetFieldType(act::Session& session, int fieldId) {
    if (fieldId == kStatusFieldId) {
        return "S";
    }
    return typeCodeOf(hostTypeOf(session, fieldId));
}

}  // namespace bp::definitions
