#pragma once
// Makes an Application object for each client. The factory itself does not
// keep the server running; LockServer does.
#include <windows.h>
#include <objbase.h>

#include <atomic>

namespace slides {

class SlidesClassFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    // Lives on the serving thread's stack for the whole run: references are counted, never fatal.
    std::atomic<ULONG> references_{1};
};

}  // namespace slides
