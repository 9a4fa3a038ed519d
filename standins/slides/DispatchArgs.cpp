#include "DispatchArgs.h"

namespace slides {

namespace {
constexpr wchar_t kErrorSource[] = L"Presentation server stand-in";
}  // namespace

HRESULT DispatchArgs::Check(UINT required, UINT most) const {
    if (!params_) return required == 0 ? S_OK : DISP_E_BADPARAMCOUNT;
    if (params_->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (params_->cArgs < required || params_->cArgs > most) return DISP_E_BADPARAMCOUNT;
    return S_OK;
}

const VARIANTARG* DispatchArgs::At(UINT index) const {
    if (!params_ || index >= params_->cArgs) return nullptr;
    const VARIANTARG* arg = &params_->rgvarg[params_->cArgs - 1 - index];
    bool missing = V_VT(arg) == VT_ERROR && V_ERROR(arg) == DISP_E_PARAMNOTFOUND;
    return missing || V_VT(arg) == VT_EMPTY ? nullptr : arg;
}

HRESULT DispatchArgs::Convert(UINT index, VARTYPE type, VARIANT& out) const {
    const VARIANTARG* arg = At(index);
    if (!arg) return DISP_E_PARAMNOTOPTIONAL;
    // Copying through VariantChangeType also follows arguments passed by reference.
    HRESULT hr = ::VariantChangeType(&out, const_cast<VARIANTARG*>(arg), 0, type);
    if (FAILED(hr) && argumentError_) *argumentError_ = params_->cArgs - 1 - index;
    return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

HRESULT DispatchArgs::String(UINT index, std::wstring& value) const {
    VARIANT converted;
    ::VariantInit(&converted);
    HRESULT hr = Convert(index, VT_BSTR, converted);
    if (SUCCEEDED(hr)) value.assign(V_BSTR(&converted) ? V_BSTR(&converted) : L"", ::SysStringLen(V_BSTR(&converted)));
    ::VariantClear(&converted);
    return hr;
}

HRESULT DispatchArgs::Int(UINT index, long fallback, long& value) const {
    if (!At(index)) {
        value = fallback;
        return S_OK;
    }
    VARIANT converted;
    ::VariantInit(&converted);
    HRESULT hr = Convert(index, VT_I4, converted);
    if (SUCCEEDED(hr)) value = V_I4(&converted);
    return hr;
}

HRESULT RaiseError(EXCEPINFO* exception, HRESULT code, const std::wstring& text) {
    if (!exception) return code;
    *exception = EXCEPINFO{};
    exception->bstrSource = ::SysAllocString(kErrorSource);
    exception->bstrDescription = ::SysAllocString(text.c_str());
    exception->scode = code;
    return DISP_E_EXCEPTION;
}

HRESULT ReturnObject(VARIANT* result, IDispatch* object) {
    if (!object) return E_OUTOFMEMORY;
    if (!result) {
        object->Release();
        return S_OK;
    }
    ::VariantInit(result);
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;
    return S_OK;
}

}  // namespace slides
