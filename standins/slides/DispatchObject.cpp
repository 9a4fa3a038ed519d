#include "DispatchObject.h"

namespace slides {

DispatchObject::~DispatchObject() { ReleaseServerReference(); }

STDMETHODIMP DispatchObject::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) DispatchObject::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) DispatchObject::Release() {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

// No type library: callers bind by id, as the conversion does, or by name.
STDMETHODIMP DispatchObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP DispatchObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    for (size_t m = 0; m < memberCount_; ++m)
        if (names[0] && ::lstrcmpiW(names[0], members_[m].name) == 0) ids[0] = members_[m].id;
    // Argument names are not offered: the members take their arguments by position.
    if (ids[0] == DISPID_UNKNOWN || count > 1) return DISP_E_UNKNOWNNAME;
    return S_OK;
}

bool DispatchObject::Knows(DISPID id) const {
    for (size_t m = 0; m < memberCount_; ++m)
        if (members_[m].id == id) return true;
    return false;
}

STDMETHODIMP DispatchObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                    EXCEPINFO* exception, UINT* argumentError) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!Knows(id)) return DISP_E_MEMBERNOTFOUND;
    if (result) ::VariantInit(result);
    return Call(id, flags, DispatchArgs(params, argumentError), result, exception);
}

}  // namespace slides
