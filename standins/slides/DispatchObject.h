#pragma once
// An automation object answering a fixed set of dispatch ids (and their
// names, for callers that ask): reference counting, the server's lifetime
// and the checks every Invoke needs; the members are the subclass's.
#include <windows.h>
#include <oleauto.h>

#include <atomic>

#include "DispatchArgs.h"
#include "ServerLifetime.h"

namespace slides {

class DispatchObject : public IDispatch {
public:
    struct Member {
        const wchar_t* name;
        DISPID id;
    };

    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

protected:
    // Starts with one reference, the creator's.
    template <size_t N>
    explicit DispatchObject(const Member (&members)[N]) : members_(members), memberCount_(N) {
        AddServerReference();
    }
    virtual ~DispatchObject();

    // Only for ids of the member table. A property takes DISPATCH_PROPERTYGET, a method DISPATCH_METHOD.
    virtual HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result, EXCEPINFO* exception) = 0;

    static bool IsGet(WORD flags) { return (flags & DISPATCH_PROPERTYGET) != 0; }
    static bool IsMethod(WORD flags) { return (flags & DISPATCH_METHOD) != 0; }

private:
    bool Knows(DISPID id) const;

    std::atomic<ULONG> references_{1};
    const Member* members_;
    size_t memberCount_;
};

}  // namespace slides
