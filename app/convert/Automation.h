#pragma once
// Late-bound calls on an automation server's IDispatch objects, and owners
// for what those calls hand out.
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "Handles.h"

namespace automation {

// COM references are framework handle owners.
template <class T>
using ComRef = fw::ComRef<T>;

// A VARIANT cleared when it goes.
class Variant {
public:
    Variant() { ::VariantInit(&v_); }
    explicit Variant(long value) : Variant() {
        v_.vt = VT_I4;
        v_.lVal = value;
    }
    explicit Variant(const std::wstring& text) : Variant() {
        v_.vt = VT_BSTR;
        v_.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    ~Variant() { ::VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& o) noexcept : v_(o.v_) { o.v_.vt = VT_EMPTY; }
    VARIANT* get() { return &v_; }
    const VARIANT& value() const { return v_; }

private:
    VARIANT v_;
};

// An argument: a 32-bit integer or a string.
using Arg = std::variant<long, std::wstring>;

// Arguments in the order a caller writes them; IDispatch wants them reversed.
HRESULT Invoke(IDispatch* object, DISPID id, WORD flags, const std::vector<Arg>& args, Variant* result);
HRESULT GetObject(IDispatch* object, DISPID property, ComRef<IDispatch>& result);
HRESULT GetLong(IDispatch* object, DISPID property, long& result);
// A method whose result, if any, is not wanted.
HRESULT Call(IDispatch* object, DISPID method, const std::vector<Arg>& args);
// A method answering an object.
HRESULT CallForObject(IDispatch* object, DISPID method, const std::vector<Arg>& args, ComRef<IDispatch>& result);

}  // namespace automation
