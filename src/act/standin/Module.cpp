// The entry points of brindlepath-host.dll, the in-process automation server that puts the
// embedded host behind the real host's program ids on Windows.
//
// In-process on purpose: the server shares the caller's environment (BRINDLEPATH_HOST, the
// Wine prefix), so it opens the same host database the caller means without being told; it
// needs no server process to start, keep alive and stop, and no marshalling of calls between
// processes; and a test can load it, use it and see it unloaded deterministically.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <objbase.h>

#include <new>

#include "act/standin/ClassFactory.h"
#include "act/standin/ServerClasses.h"
#include "act/standin/ServerModule.h"

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    const bp::standin::ServerClass* serverClass = bp::standin::findServerClass(clsid);
    if (serverClass == nullptr) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    auto* factory = new (std::nothrow) bp::standin::ClassFactory(*serverClass);
    if (factory == nullptr) {
        return E_OUTOFMEMORY;
    }
    const HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return bp::standin::ServerModule::canUnload() ? S_OK : S_FALSE;
}

}  // extern "C"
