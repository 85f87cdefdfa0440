#pragma once
// A scripted automation object for the adapter's tests: members by name (any case) with the
// answer each gives, a tally of the Invokes it received under "<prefix><member>", and the
// flags and arguments of the last call. Lives on the heap and ends with its last reference.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oaidl.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "act/automation/ComPtr.h"
#include "act/automation/Variant.h"

namespace bp::automation::test {

// What the stand-in objects received, by "<prefix><member>": Invokes, the flags and the
// argument kinds of the last call.
struct Tally {
    std::map<std::string, std::uint64_t> counts;
    std::map<std::string, WORD> flags;
    std::map<std::string, std::vector<VARTYPE>> argKinds;
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FakeObject final : public IDispatch {
public:
    using Handler =
        std::function<HRESULT(const std::vector<Variant>& args, VARIANT* result, EXCEPINFO*)>;

    // `prefix` names the tally entries ("Sales."); the tally is shared with the test.
    static ComPtr<FakeObject> create(std::string prefix, std::shared_ptr<Tally> tally);

    void on(const std::string& member, Handler handler);
    // The member answers a copy of `value` (an object reference takes its own count).
    void answer(const std::string& member, const Variant& value);

    WORD lastFlags = 0;
    std::vector<Variant> lastArgs;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* info, UINT*) override;

private:
    FakeObject(std::string prefix, std::shared_ptr<Tally> tally)
        : prefix_(std::move(prefix)), tally_(std::move(tally)) {}

    struct Member {
        std::string name;
        Handler handler;
    };
    std::string prefix_;
    std::shared_ptr<Tally> tally_;
    std::map<DISPID, Member> members_;
    long refs_ = 1;
};
#pragma GCC diagnostic pop

// An object reference as a VARIANT (takes its own count).
Variant objectValue(IDispatch* object);
// An exception as the server reports a host error: control facility, the host's number.
HRESULT raiseHostError(EXCEPINFO* info, int number, const wchar_t* description);

}  // namespace bp::automation::test
