#include "convert/Automation.h"

namespace automation {

namespace {

HRESULT TakeObject(Variant& value, ComRef<IDispatch>& result) {
    if (::VariantChangeType(value.get(), value.get(), 0, VT_DISPATCH) != S_OK || !value.value().pdispVal)
        return DISP_E_TYPEMISMATCH;
    value.get()->pdispVal->AddRef();
    *result.receive() = value.value().pdispVal;
    return S_OK;
}

}  // namespace

HRESULT Invoke(IDispatch* object, DISPID id, WORD flags, const std::vector<Arg>& args, Variant* result) {
    if (!object) return E_POINTER;
    std::vector<Variant> owned;
    owned.reserve(args.size());
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        std::visit([&owned](const auto& value) { owned.emplace_back(value); }, *it);
    std::vector<VARIANT> reversed;
    for (Variant& value : owned) reversed.push_back(value.value());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO exception{};
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result ? result->get() : nullptr,
                                &exception, nullptr);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    return hr;
}

HRESULT GetObject(IDispatch* object, DISPID property, ComRef<IDispatch>& result) {
    Variant value;
    HRESULT hr = Invoke(object, property, DISPATCH_PROPERTYGET, {}, &value);
    return FAILED(hr) ? hr : TakeObject(value, result);
}

HRESULT GetLong(IDispatch* object, DISPID property, long& result) {
    Variant value;
    HRESULT hr = Invoke(object, property, DISPATCH_PROPERTYGET, {}, &value);
    if (FAILED(hr)) return hr;
    if (::VariantChangeType(value.get(), value.get(), 0, VT_I4) != S_OK) return DISP_E_TYPEMISMATCH;
    result = value.value().lVal;
    return S_OK;
}

HRESULT Call(IDispatch* object, DISPID method, const std::vector<Arg>& args) {
    Variant ignored;
    return Invoke(object, method, DISPATCH_METHOD, args, &ignored);
}

HRESULT CallForObject(IDispatch* object, DISPID method, const std::vector<Arg>& args, ComRef<IDispatch>& result) {
    Variant value;
    HRESULT hr = Invoke(object, method, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, &value);
    return FAILED(hr) ? hr : TakeObject(value, result);
}

}  // namespace automation
