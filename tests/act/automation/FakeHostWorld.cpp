#include "FakeHostWorld.h"

#include "act/automation/ComFailure.h"
#include "act/automation/VariantConvert.h"

namespace bp::automation::test {

namespace {

// A member that returns a new object of another kind at every call.
FakeObject::Handler makes(std::function<ComPtr<FakeObject>()> make) {
    return [make = std::move(make)](const std::vector<Variant>&, VARIANT* result, EXCEPINFO*) {
        const ComPtr<FakeObject> object = make();
        return ::VariantCopy(result, const_cast<VARIANT*>(&objectValue(object.get()).get()));
    };
}

void answersNothing(FakeObject& object, std::initializer_list<const char*> members) {
    for (const char* member : members) {
        object.answer(member, Variant());
    }
}

}  // namespace

FakeHostWorld::FakeHostWorld() = default;

ObjectFactory FakeHostWorld::factory() {
    return [this](std::string_view progId) -> ComPtr<IDispatch> {
        if (progId == "ACTOLE.APPOBJECT") {
            return ComPtr<IDispatch>::adopt(app().release());
        }
        if (progId == "ACTOLE.DATABASE") {
            return ComPtr<IDispatch>::adopt(database().release());
        }
        if (progId == "ACTOLE.AUXCMDS") {
            return ComPtr<IDispatch>::adopt(auxCmds().release());
        }
        if (progId == "ACTEVENTLib.ActEvent" && eventControlInstalled) {
            return ComPtr<IDispatch>::share(&control);
        }
        throw NotRegisteredError(kErrCannotCreateObject,
                                 "Cannot create object " + std::string(progId));
    };
}

ComPtr<FakeObject> FakeHostWorld::make(const std::string& prefix) {
    ComPtr<FakeObject> object = FakeObject::create(prefix, tally);
    return object;
}

ComPtr<FakeObject> FakeHostWorld::app() {
    ComPtr<FakeObject> app = make("App.");
    answersNothing(*app.get(), {"OpenFile", "SaveCurrentLookup", "Command"});
    app->on("IsDBOpen", [this](const std::vector<Variant>& args, VARIANT* result, EXCEPINFO* info) {
        if (appIsDBOpen) {
            return appIsDBOpen(args, result, info);
        }
        return ::VariantCopy(result, const_cast<VARIANT*>(&fromBool(true).get()));
    });
    app->on("Views", makes([this] {
                ComPtr<FakeObject> views = make("Views.");
                views->on("Create", makes([this] {
                              ComPtr<FakeObject> view = make("ContactView.");
                              answersNothing(*view.get(), {"CreateLookup", "SetActiveTab"});
                              view->answer("GetCurrentId", fromText("C00000000002"));
                              return view;
                          }));
                return views;
            }));
    return app;
}

ComPtr<FakeObject> FakeHostWorld::database() {
    ComPtr<FakeObject> db = make("Database.");
    answersNothing(*db.get(), {"OpenEx", "PhoneFormatting", "Close"});
    db->answer("CurrentUser", fromText("Ann Admin"));
    db->answer("GetDatabasePath", fromText("C:\\Contacts\\demo.dbf"));
    db->on("Contact", makes([this] { return table("Contact"); }));
    db->on("Sales", makes([this] { return table("Sales"); }));
    db->on("Group", makes([this] { return table("Group"); }));
    db->on("ListTable", makes([this] {
               ComPtr<FakeObject> list = make("ListTable.");
               answersNothing(*list.get(), {"SetScope", "MoveNext"});
               list->answer("RecordCount", fromInt(2));
               list->answer("Data", fromText("Widget"));
               return list;
           }));
    db->on("Users", makes([this] {
               ComPtr<FakeObject> users = make("Users.");
               users->answer("Count", fromInt(2));
               users->answer("UniqueID", fromText("U00000000001"));
               users->answer("Name", fromText("Ann Admin"));
               return users;
           }));
    return db;
}

ComPtr<FakeObject> FakeHostWorld::table(const std::string& name) {
    ComPtr<FakeObject> table = make(name + ".");
    answersNothing(*table.get(), {"MoveFirst", "MoveNext", "LoadLookupQuery"});
    table->answer("GoTo", fromBool(true));
    table->answer("isEOF", fromBool(false));
    table->on(
        "Data", [this, name](const std::vector<Variant>& args, VARIANT* result, EXCEPINFO* info) {
            if (name != "Sales") {
                return ::VariantCopy(result, const_cast<VARIANT*>(&fromText("").get()));
            }
            if (salesDataFault) {
                return raiseHostError(info, salesDataFault->first, salesDataFault->second.c_str());
            }
            const auto field = salesFields.find(toInt(args.at(0).get()));
            const Variant value = field == salesFields.end() ? fromText("") : field->second;
            return ::VariantCopy(result, const_cast<VARIANT*>(&value.get()));
        });
    table->on("Fields", makes([this, name] { return fieldDefs(name); }));
    return table;
}

ComPtr<FakeObject> FakeHostWorld::fieldDefs(const std::string& name) {
    ComPtr<FakeObject> fields = make(name + "Fields.");
    fields->answer("Type", fromInt(1));
    fields->answer("Count", fromInt(3));
    fields->answer("ID", fromInt(25));
    fields->answer("Label", fromText("Company"));
    fields->answer("FieldID", fromInt(25));
    fields->on("PopupInfo", makes([this] {
                   ComPtr<FakeObject> list = make("DropDown.");
                   list->answer("PopupCount", fromInt(2));
                   list->answer("Value", fromText("Widget"));
                   return list;
               }));
    return fields;
}

ComPtr<FakeObject> FakeHostWorld::auxCmds() {
    ComPtr<FakeObject> aux = make("AuxCmds.");
    for (const char* member :
         {"AddAuxCommand", "AuxCommandExists", "AuxCommandExistsInToolbar",
          "AuxCommandExistsInToolsMenu", "AddAuxCommandToToolbar", "AddAuxCommandToToolsMenu",
          "RemoveAuxCommandFromToolbar", "RemoveAuxCommandFromToolsMenu"}) {
        aux->answer(member, fromInt(0));
    }
    return aux;
}

}  // namespace bp::automation::test
