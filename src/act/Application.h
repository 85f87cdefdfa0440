#pragma once
// The host application, its views and its open database.

#include <memory>
#include <string>

#include "act/Tables.h"

namespace bp::act {

class ContactView {
public:
    virtual ~ContactView() = default;
    // Packed IDs: 12-character contact IDs without separators.
    virtual void CreateLookup(const std::string& packedIds) = 0;
    virtual void SetActiveTab(const std::string& tabName) = 0;
    virtual std::string GetCurrentId() = 0;
};

class Views {
public:
    virtual ~Views() = default;
    virtual std::shared_ptr<ContactView> Create(int kind, const std::string& name) = 0;
};

// The running host application ("ACTOLE.APPOBJECT").
class ActApp {
public:
    virtual ~ActApp() = default;
    virtual void OpenFile(const std::string& path) = 0;
    virtual bool IsDBOpen() = 0;
    virtual std::shared_ptr<Views> GetViews() = 0;  // the host's `Views`
    virtual void SaveCurrentLookup(const std::string& path) = 0;
    virtual void Command(int commandNumber) = 0;  // 150 closes the host, 701 before a lookup
};

// The database the host has open ("ACTOLE.DATABASE").
class Database {
public:
    virtual ~Database() = default;
    virtual void OpenEx(const std::string& path) = 0;  // "" attaches to the host's database
    virtual std::shared_ptr<ListTable> GetListTable() = 0;
    virtual std::shared_ptr<RecordTable> Contact() = 0;
    virtual std::shared_ptr<Users> GetUsers() = 0;
    virtual std::shared_ptr<RecordTable> Sales() = 0;
    virtual std::shared_ptr<RecordTable> Group() = 0;
    virtual void PhoneFormatting(int mode) = 0;
    virtual std::string CurrentUser() = 0;
    virtual std::string GetDatabasePath() = 0;
    virtual void Close() = 0;
};

}  // namespace bp::act
