#pragma once
// The host's record tables and their field definitions, as the program reaches them through
// the host's automation objects. Every member may fail; failures arrive as bp::Error with the
// host's number and description.

#include <memory>
#include <string>

namespace bp::act {

// Drop-down value list of one field (PopupInfo).
class DropDownList {
public:
    virtual ~DropDownList() = default;
    virtual int PopupCount() = 0;
    virtual std::string Value(int index) = 0;  // 0-based
};

// Field definitions of the contact or sales table.
class FieldDefs {
public:
    virtual ~FieldDefs() = default;
    virtual int Type(int fieldNumber) = 0;  // host type number; 1 (text) when unknown
    virtual int Count() = 0;
    virtual int ID(int index) = 0;  // field number at a 0-based index, -1 when none there
    virtual std::string Label(int fieldNumber) = 0;
    virtual int FieldID(const std::string& label) = 0;  // 0 or less when no field has that label
    virtual std::shared_ptr<DropDownList> PopupInfo(int fieldNumber, int kind) = 0;
};

// Contact, sales and group tables: a current record, positioned by unique ID or walked in the
// host's order.
class RecordTable {
public:
    virtual ~RecordTable() = default;
    // An ID the table does not hold leaves no record current: Data then returns "".
    virtual bool GoTo(const std::string& uniqueId) = 0;
    virtual std::string Data(int fieldNumber) = 0;  // "" for a field never filled
    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    virtual bool isEOF() = 0;
    virtual std::shared_ptr<FieldDefs> Fields() = 0;
    // Contact table only: restrict the table to the contacts of a saved lookup file; an empty
    // path lifts the restriction.
    virtual void LoadLookupQuery(const std::string& path) = 0;
};

// Drop-down lists of products (1), types (2) and competitors (3).
class ListTable {
public:
    virtual ~ListTable() = default;
    virtual void SetScope(int kind) = 0;
    virtual int RecordCount() = 0;
    virtual std::string Data(int fieldNumber) = 0;  // 26: the entry's text
    virtual void MoveNext() = 0;
};

class Users {
public:
    virtual ~Users() = default;
    virtual int Count() = 0;
    virtual std::string UniqueID(int position) = 0;  // positions from 1
    virtual std::string Name(int position) = 0;
};

}  // namespace bp::act
