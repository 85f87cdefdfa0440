#include "act/standin/ClassFactory.h"

#include <exception>
#include <mutex>

#include "act/automation/Bstr.h"
#include "act/standin/ServerModule.h"
#include "platform/Error.h"

namespace bp::standin {

namespace {

// The reason the object could not be made (the host database missing, say) goes with the
// failure, so the client can show it rather than a bare "unspecified error".
HRESULT failedWith(const std::string& description) {
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(::CreateErrorInfo(&create))) {
        try {
            automation::Bstr text(description);
            automation::Bstr source("brindlepath-host");
            create->SetDescription(text.get());
            create->SetSource(source.get());
        } catch (...) {
            // No words to give: the failure itself still gets through.
        }
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            ::SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    return E_FAIL;
}

}  // namespace

ClassFactory::ClassFactory(const ServerClass& serverClass) : class_(serverClass) {
    ServerModule::objectCreated();
}

ClassFactory::~ClassFactory() {
    ServerModule::objectDestroyed();
}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() {
    return ++references_;
}

ULONG ClassFactory::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (outer != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    try {
        const std::lock_guard hostCalls(ServerModule::hostCalls());
        DispatchObject* created = class_.create(ServerModule::host());
        const HRESULT hr = created->QueryInterface(iid, object);
        created->Release();
        return hr;
    } catch (const Error& error) {
        return failedWith(error.description());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception& error) {
        return failedWith(error.what());
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock) {
        ServerModule::lock();
    } else {
        ServerModule::unlock();
    }
    return S_OK;
}

}  // namespace bp::standin
