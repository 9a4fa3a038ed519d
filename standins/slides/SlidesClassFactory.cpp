#include "SlidesClassFactory.h"

#include <new>

#include "ServerLifetime.h"
#include "SlidesApplication.h"

namespace slides {

STDMETHODIMP SlidesClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) SlidesClassFactory::AddRef() { return ++references_; }
STDMETHODIMP_(ULONG) SlidesClassFactory::Release() { return --references_; }

STDMETHODIMP SlidesClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (ServerIsStopping()) return CO_E_SERVER_STOPPING;
    auto* application = new (std::nothrow) SlidesApplication();
    if (!application) return E_OUTOFMEMORY;
    HRESULT hr = application->QueryInterface(iid, object);
    application->Release();
    return hr;
}

STDMETHODIMP SlidesClassFactory::LockServer(BOOL lock) {
    if (lock)
        AddServerReference();
    else
        ReleaseServerReference();
    return S_OK;
}

}  // namespace slides
