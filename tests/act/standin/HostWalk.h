#pragma once
// One tour of the host's objects, taken twice: through the server's automation objects and
// directly on an embedded host on the same database. Each answer is written down as text, in
// order, so the two tours can be compared whole.

#include <string>
#include <vector>

#include "act/Host.h"
#include "act/automation/Dispatch.h"
#include "act/automation/ProgId.h"
#include "act/automation/VariantConvert.h"

namespace bp::standin::test {

using Answers = std::vector<std::string>;

inline automation::Variant integer(int value) {
    return automation::fromInt(value);
}
inline automation::Variant text(const std::string& value) {
    return automation::fromText(value);
}

inline Answers walkDirectly(act::Host& host) {
    Answers answers;
    auto put = [&answers](const std::string& answer) { answers.push_back(answer); };
    auto app = host.createAppObject();
    put(app->IsDBOpen() ? "open" : "closed");
    auto view = app->GetViews()->Create(1, "Contacts");
    put(view->GetCurrentId());
    auto db = host.createDatabase();
    db->OpenEx("");
    put(db->CurrentUser());
    put(db->GetDatabasePath());
    auto users = db->GetUsers();
    for (int i = 1, count = users->Count(); i <= count; ++i) {
        put(users->UniqueID(i) + " " + users->Name(i));
    }
    auto contacts = db->Contact();
    for (contacts->MoveFirst(); !contacts->isEOF(); contacts->MoveNext()) {
        put(contacts->Data(1) + "|" + contacts->Data(25) + "|" + contacts->Data(26));
    }
    auto fields = contacts->Fields();
    for (int i = 0, count = fields->Count(); i < count; ++i) {
        const int id = fields->ID(i);
        put(std::to_string(id) + " " + fields->Label(id) + " " + std::to_string(fields->Type(id)));
    }
    put(std::to_string(fields->FieldID("Company")));
    auto sales = db->Sales();
    put(sales->GoTo("S00000000001") ? "found" : "missing");
    put(sales->Data(34) + "|" + sales->Data(35));
    put(sales->GoTo("S00000000099") ? "found" : "missing");
    auto stages = sales->Fields()->PopupInfo(39, 0);
    for (int i = 0, count = stages->PopupCount(); i < count; ++i) {
        put(stages->Value(i));
    }
    auto lists = db->GetListTable();
    lists->SetScope(1);
    for (int i = 0, count = lists->RecordCount(); i < count; ++i, lists->MoveNext()) {
        put(lists->Data(26));
    }
    return answers;
}

inline Answers walkThroughAutomation() {
    using automation::Dispatch;
    using automation::toBool;
    using automation::toInt;
    using automation::toText;
    auto object = [](const automation::Variant& value) {
        return Dispatch(automation::ComPtr<IDispatch>::share(value.get().pdispVal));
    };
    Answers answers;
    auto put = [&answers](const std::string& answer) { answers.push_back(answer); };
    Dispatch app(automation::createByProgId("ACTOLE.APPOBJECT"));
    put(toBool(app.get("IsDBOpen").get()) ? "open" : "closed");
    Dispatch views = object(app.get("Views"));
    const automation::Variant create[] = {integer(1), text("Contacts")};
    Dispatch view = object(views.call("Create", create));
    put(toText(view.get("GetCurrentId").get()));
    Dispatch db(automation::createByProgId("ACTOLE.DATABASE"));
    const automation::Variant attach[] = {text("")};
    db.call("OpenEx", attach);
    put(toText(db.get("CurrentUser").get()));
    put(toText(db.get("GetDatabasePath").get()));
    Dispatch users = object(db.get("Users"));
    for (int i = 1, count = toInt(users.get("Count").get()); i <= count; ++i) {
        const automation::Variant at[] = {integer(i)};
        put(toText(users.get("UniqueID", at).get()) + " " + toText(users.get("Name", at).get()));
    }
    Dispatch contacts = object(db.get("Contact"));
    auto data = [](Dispatch& table, int field) {
        const automation::Variant at[] = {integer(field)};
        return toText(table.get("Data", at).get());
    };
    for (contacts.call("MoveFirst"); !toBool(contacts.get("isEOF").get());
         contacts.call("MoveNext")) {
        put(data(contacts, 1) + "|" + data(contacts, 25) + "|" + data(contacts, 26));
    }
    Dispatch fields = object(contacts.get("Fields"));
    for (int i = 0, count = toInt(fields.get("Count").get()); i < count; ++i) {
        const automation::Variant at[] = {integer(i)};
        const int id = toInt(fields.get("ID", at).get());
        const automation::Variant field[] = {integer(id)};
        put(std::to_string(id) + " " + toText(fields.get("Label", field).get()) + " " +
            std::to_string(toInt(fields.get("Type", field).get())));
    }
    const automation::Variant label[] = {text("Company")};
    put(std::to_string(toInt(fields.get("FieldID", label).get())));
    Dispatch sales = object(db.get("Sales"));
    const automation::Variant first[] = {text("S00000000001")};
    put(toBool(sales.call("GoTo", first).get()) ? "found" : "missing");
    put(data(sales, 34) + "|" + data(sales, 35));
    const automation::Variant unknown[] = {text("S00000000099")};
    put(toBool(sales.call("GoTo", unknown).get()) ? "found" : "missing");
    Dispatch salesFields = object(sales.get("Fields"));
    const automation::Variant stageField[] = {integer(39), integer(0)};
    Dispatch stages = object(salesFields.get("PopupInfo", stageField));
    for (int i = 0, count = toInt(stages.get("PopupCount").get()); i < count; ++i) {
        const automation::Variant at[] = {integer(i)};
        put(toText(stages.get("Value", at).get()));
    }
    Dispatch lists = object(db.get("ListTable"));
    const automation::Variant products[] = {integer(1)};
    lists.call("SetScope", products);
    for (int i = 0, count = toInt(lists.get("RecordCount").get()); i < count;
         ++i, lists.call("MoveNext")) {
        put(data(lists, 26));
    }
    return answers;
}

}  // namespace bp::standin::test
