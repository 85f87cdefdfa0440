#pragma once
// Creates the objects of one server class for CoCreateInstance.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <unknwn.h>

#include <atomic>

#include "act/standin/ServerClasses.h"

namespace bp::standin {

// COM interfaces are released through Release, never deleted through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class ClassFactory final : public IClassFactory {
public:
    // Starts with one reference, which the creator takes over.
    explicit ClassFactory(const ServerClass& serverClass);
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~ClassFactory();

    const ServerClass& class_;
    std::atomic<ULONG> references_{1};
};
#pragma GCC diagnostic pop

}  // namespace bp::standin
