#include "FakeSlideServer.h"

#include "PictureFixtures.h"
#include "TestSupport.h"

namespace convert_fixtures {

namespace {

enum class Role { Application, Presentations, Presentation, Slides, Slide };

constexpr long Key(Role role, DISPID id) { return static_cast<long>(role) * 100000 + id; }

class FakeObject : public IDispatch {
public:
    FakeObject(FakeSlideServer& server, Role role, int index = 0) : server_(server), role_(role), index_(index) {
        ++server_.live;
    }
    virtual ~FakeObject() { --server_.live; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IDispatch) return *out = nullptr, E_NOINTERFACE;
        *out = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        switch (Key(role_, id)) {
        case Key(Role::Application, 2001): return Object(result, Role::Presentations);
        case Key(Role::Presentations, 2004):
            server_.opened.push_back(params->rgvarg[params->cArgs - 1].bstrVal);
            return Object(result, Role::Presentation);
        case Key(Role::Presentation, 2011): return Object(result, Role::Slides);
        case Key(Role::Slides, 11):
            result->vt = VT_I4;
            result->lVal = server_.slideCount;
            return S_OK;
        case Key(Role::Slides, 0): return Object(result, Role::Slide, params->rgvarg[0].lVal);
        case Key(Role::Slide, 2025): return Export(params);
        default: return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    HRESULT Object(VARIANT* result, Role role, int index = 0) {
        result->vt = VT_DISPATCH;
        result->pdispVal = new FakeObject(server_, role, index);
        return S_OK;
    }

    // Arguments arrive last first: FileName, FilterName, ScaleWidth, ScaleHeight.
    HRESULT Export(DISPPARAMS* params) {
        const std::wstring path = params->rgvarg[3].bstrVal;
        if (params->rgvarg[1].lVal != 1024 || params->rgvarg[0].lVal != 768) return E_INVALIDARG;
        testing_support::WriteFileBytes(path, picture_fixtures::MakeJpeg(1024, 768));
        ++server_.exports;
        if (server_.onExport) server_.onExport(index_);
        return S_OK;
    }

    FakeSlideServer& server_;
    Role role_;
    int index_;
    ULONG refs_ = 1;
};

}  // namespace

HRESULT FakeSlideServer::Create(IDispatch** application) {
    *application = new FakeObject(*this, Role::Application);
    return S_OK;
}

}  // namespace convert_fixtures
