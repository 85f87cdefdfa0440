#include "act/automation/Dispatch.h"

#include <cstring>
#include <vector>

#include "act/automation/ComFailure.h"
#include "act/automation/DispatchCache.h"
#include "platform/WinText.h"

namespace bp::automation {

Dispatch::Dispatch(ComPtr<IDispatch> object, std::string kind)
    : object_(std::move(object)), kind_(std::move(kind)) {
    if (!object_) {
        raise(kErrObjectNotSet, "Object variable not set");
    }
}

Variant Dispatch::get(const std::string& member) {
    return get(member, {});
}

Variant Dispatch::get(const std::string& member, std::span<const Variant> args) {
    return getById(idOf(member), member, args);
}

void Dispatch::put(const std::string& member, const Variant& value) {
    invoke(idOf(member), member, DISPATCH_PROPERTYPUT, std::span<const Variant>(&value, 1), true);
}

Variant Dispatch::call(const std::string& member, std::span<const Variant> args) {
    return callById(idOf(member), member, args);
}

Variant Dispatch::getById(DISPID id, std::string_view what, std::span<const Variant> args) {
    return invoke(id, what, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, false);
}

Variant Dispatch::callById(DISPID id, std::string_view what, std::span<const Variant> args) {
    return invoke(id, what, DISPATCH_METHOD, args, false);
}

DISPID Dispatch::idOf(const std::string& member) {
    if (const auto known = ids_.find(member); known != ids_.end()) {
        return known->second;
    }
    if (!kind_.empty()) {
        if (const auto shared = DispatchCache::shared().find(kind_, member)) {
            ids_.emplace(member, *shared);
            return *shared;
        }
    }
    std::wstring wide = platform::toWide(member);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (hr == DISP_E_UNKNOWNNAME) {
        raise(kErrNoSuchMember, "Object doesn't support this property or method: " + member);
    }
    if (FAILED(hr)) {
        raiseFailure(member, hr);
    }
    ids_.emplace(member, id);
    if (!kind_.empty()) {
        DispatchCache::shared().remember(kind_, member, id);
    }
    return id;
}

Variant Dispatch::invoke(DISPID id, std::string_view what, WORD flags,
                         std::span<const Variant> args, bool namedPut) {
    // The callee reads arguments last to first. These are shallow copies: the callers' Variants
    // keep owning what they point to, and nothing here clears them.
    std::vector<VARIANTARG> reversed(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::memcpy(&reversed[args.size() - 1 - i], &args[i].get(), sizeof(VARIANTARG));
    }
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    params.rgdispidNamedArgs = namedPut ? &putId : nullptr;
    params.cNamedArgs = namedPut ? 1 : 0;

    Variant result;
    EXCEPINFO info{};
    UINT badArg = 0;
    const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                       namedPut ? nullptr : result.out(), &info, &badArg);
    if (hr == DISP_E_EXCEPTION) {
        raiseException(what, info);
    }
    if (FAILED(hr)) {
        raiseFailure(what, hr);
    }
    return result;
}

}  // namespace bp::automation
