#pragma once
// A whole stand-in host for the adapter's tests: every object kind with every member the
// program uses, answering plausible values, each Invoke tallied under the embedded host's
// names, and a factory for AutomationHost. Tests change answers through the public fields.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "FakeEventControl.h"
#include "FakeObject.h"
#include "act/automation/AdapterContext.h"

namespace bp::automation::test {

class FakeHostWorld {
public:
    FakeHostWorld();

    // Starts the object a program id names; the event control only while installed.
    ObjectFactory factory();

    std::shared_ptr<Tally> tally = std::make_shared<Tally>();
    // What Sales.Data answers per field number (an empty text for others).
    std::map<int, Variant> salesFields;
    // When set, Sales.Data fails as the host reports an error: number and description.
    std::optional<std::pair<int, std::wstring>> salesDataFault;
    bool eventControlInstalled = true;
    // When set, how App.IsDBOpen answers (true otherwise).
    FakeObject::Handler appIsDBOpen;
    FakeEventControl control{tally};

private:
    ComPtr<FakeObject> make(const std::string& prefix);
    ComPtr<FakeObject> app();
    ComPtr<FakeObject> database();
    ComPtr<FakeObject> table(const std::string& name);
    ComPtr<FakeObject> fieldDefs(const std::string& name);
    ComPtr<FakeObject> auxCmds();
};

}  // namespace bp::automation::test
