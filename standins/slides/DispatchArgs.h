#pragma once
// The arguments of one IDispatch::Invoke, by position as the caller wrote
// them (Invoke hands them over last first), converted as a server of this
// object model converts them, and the error a caller sees for each fault.
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace slides {

class DispatchArgs {
public:
    DispatchArgs(const DISPPARAMS* params, UINT* argumentError) : params_(params), argumentError_(argumentError) {}

    // S_OK when there are `required` to `most` positional arguments and no named ones.
    HRESULT Check(UINT required, UINT most) const;
    HRESULT String(UINT index, std::wstring& value) const;
    // An argument left out (or passed as "missing") takes `fallback`.
    HRESULT Int(UINT index, long fallback, long& value) const;

private:
    const VARIANTARG* At(UINT index) const;  // null when not given
    HRESULT Convert(UINT index, VARTYPE type, VARIANT& out) const;

    const DISPPARAMS* params_;
    UINT* argumentError_;
};

// A server error as a caller's wrapper reports it: DISP_E_EXCEPTION with
// the code and text in `exception`, or the code itself without one.
HRESULT RaiseError(EXCEPINFO* exception, HRESULT code, const std::wstring& text);

// Hands `object` (one reference, taken over) to the caller as the result.
HRESULT ReturnObject(VARIANT* result, IDispatch* object);

}  // namespace slides
