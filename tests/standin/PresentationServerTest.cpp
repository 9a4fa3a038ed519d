// The presentation server stand-in as the conversion meets it: a separate
// process created by ProgID, driven through IDispatch by dispatch id.
#include <gtest/gtest.h>

#include <objbase.h>
#include <oleauto.h>
#include <tlhelp32.h>
#include <wrl/client.h>

#include <set>

#include "DispatchIds.h"
#include "Handles.h"
#include "PictureFixtures.h"
#include "PptxWriter.h"
#include "SlideDeck.h"
#include "SlideRenderer.h"
#include "TestSupport.h"
#include "Wait.h"

using Microsoft::WRL::ComPtr;
using namespace slides_fixtures;
using testing_support::TempFolder;

namespace {

// A variant cleared when it goes.
struct Variant : VARIANT {
    Variant() { ::VariantInit(this); }
    explicit Variant(long v) : Variant() { vt = VT_I4, lVal = v; }
    explicit Variant(const std::wstring& s) : Variant() { vt = VT_BSTR, bstrVal = ::SysAllocString(s.c_str()); }
    ~Variant() { ::VariantClear(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
};

struct CallResult {
    HRESULT hr;
    HRESULT scode;  // of the server's error, when hr is DISP_E_EXCEPTION
};

// Invokes `id`; arguments in the caller's order.
CallResult Call(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT*> args, VARIANT* result) {
    std::vector<VARIANTARG> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(**it);
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO exception{};
    UINT argumentError = 0;
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception, &argumentError);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    return {hr, exception.scode};
}

ComPtr<IDispatch> Property(IDispatch* object, DISPID id) {
    Variant result;
    if (FAILED(Call(object, id, DISPATCH_PROPERTYGET, {}, &result).hr) || result.vt != VT_DISPATCH) return nullptr;
    return ComPtr<IDispatch>(result.pdispVal);
}

ComPtr<IDispatch> CreateServer() {
    CLSID clsid{};
    ComPtr<IDispatch> application;
    if (SUCCEEDED(::CLSIDFromProgID(slides::kProgId, &clsid)))
        ::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&application));
    return application;
}

CallResult Open(IDispatch* presentations, const std::wstring& path, ComPtr<IDispatch>* presentation = nullptr) {
    Variant file(path), readOnly(0), untitled(0), withWindow(0), result;
    CallResult call = Call(presentations, slides::kDispOpen, DISPATCH_METHOD, {&file, &readOnly, &untitled, &withWindow},
                           &result);
    if (presentation && SUCCEEDED(call.hr) && result.vt == VT_DISPATCH) *presentation = result.pdispVal;
    return call;
}

long Count(IDispatch* slideList) {
    Variant result;
    Call(slideList, slides::kDispCount, DISPATCH_PROPERTYGET, {}, &result);
    return result.vt == VT_I4 ? result.lVal : -1;
}

ComPtr<IDispatch> Item(IDispatch* slideList, long index) {
    Variant i(index), result;
    Call(slideList, slides::kDispItem, DISPATCH_METHOD, {&i}, &result);
    return result.vt == VT_DISPATCH ? ComPtr<IDispatch>(result.pdispVal) : nullptr;
}

CallResult Export(IDispatch* slide, const std::wstring& path) {
    Variant file(path), filter(std::wstring(L"jpg")), width(1024), height(768);
    return Call(slide, slides::kDispExport, DISPATCH_METHOD, {&file, &filter, &width, &height}, nullptr);
}

std::set<DWORD> ServerProcesses() {
    std::set<DWORD> found;
    fw::Handle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    if (!snapshot || !::Process32FirstW(snapshot.get(), &entry)) return found;
    do {
        if (::lstrcmpiW(entry.szExeFile, L"PictavoSlides.exe") == 0) found.insert(entry.th32ProcessID);
    } while (::Process32NextW(snapshot.get(), &entry));
    return found;
}

class PresentationServer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { ::CoUninitialize(); }
    TempFolder folder_;
};

std::vector<TestSlide> Lessons(int count) {
    std::vector<TestSlide> lessons;
    for (int i = 1; i <= count; ++i)
        lessons.push_back({"Lesson " + std::to_string(i) + std::string(i, '*'), {"Point " + std::to_string(i)},
                           i == 3 ? picture_fixtures::MakeJpeg(160, 120) : std::string()});
    return lessons;
}

}  // namespace

TEST_F(PresentationServer, TwelveSlidesExportTwelvePicturesShowingTheirOwnTitles) {
    ASSERT_TRUE(testing_support::WriteFileBytes(folder_ / L"lessons.pptx", MakePptx(Lessons(12))));
    ComPtr<IDispatch> application = CreateServer();
    ASSERT_TRUE(application) << "PowerPoint.Application is not registered in this prefix";
    ComPtr<IDispatch> presentations = Property(application.Get(), slides::kDispPresentations), presentation;
    ASSERT_TRUE(presentations);
    ASSERT_EQ(Open(presentations.Get(), folder_ / L"lessons.pptx", &presentation).hr, S_OK);
    ComPtr<IDispatch> slideList = Property(presentation.Get(), slides::kDispSlides);
    ASSERT_TRUE(slideList);
    ASSERT_EQ(Count(slideList.Get()), 12);

    // Each exported picture is closer to this process's drawing of its own slide than to any other slide's.
    slides::SlideDeck deck;
    ASSERT_EQ(deck.Load(folder_ / L"lessons.pptx"), slides::SlideDeck::Status::Ok);
    std::vector<picture_fixtures::Pixels> expected(12), exported(12);
    for (long i = 1; i <= 12; ++i) {
        std::wstring path = folder_ / (L"slide" + std::to_wstring(i) + L".jpg");
        ComPtr<IDispatch> slide = Item(slideList.Get(), i);
        ASSERT_TRUE(slide) << i;
        ASSERT_EQ(Export(slide.Get(), path).hr, S_OK) << i;
        ASSERT_TRUE(picture_fixtures::ReadWithWic(path, exported[i - 1])) << i;
        EXPECT_EQ(exported[i - 1].width, 1024);
        EXPECT_EQ(exported[i - 1].height, 768);
        fw::Surface page;
        ASSERT_TRUE(page.Create(nullptr, {1024, 768}, fw::SurfaceFormat::BottomUpDib24));
        slides::RenderSlide(deck.slide(i - 1), {deck.width(), deck.height()}, page);
        expected[i - 1] = picture_fixtures::DibPixels(page.bitmap());
    }
    for (int i = 0; i < 12; ++i) {
        double own = picture_fixtures::MeanDifference(exported[i], expected[i]);
        for (int j = 0; j < 12; ++j)
            if (j != i) {
                EXPECT_LT(own, picture_fixtures::MeanDifference(exported[i], expected[j])) << i << " vs " << j;
            }
    }
}

TEST_F(PresentationServer, OpenFailsForBinaryDamagedAndMissingFiles) {
    const std::string good = MakePptx(Lessons(2));
    const struct { const wchar_t* name; std::string content; } kCases[] = {
        {L"old.ppt", BinaryPresentation()},
        {L"cut.pptx", good.substr(0, good.size() / 2)},
        {L"empty.pptx", ""},
        {L"missing.pptx", ""},
    };
    ComPtr<IDispatch> application = CreateServer();
    ASSERT_TRUE(application);
    ComPtr<IDispatch> presentations = Property(application.Get(), slides::kDispPresentations);
    ASSERT_TRUE(presentations);
    for (const auto& c : kCases) {
        if (std::wstring(c.name) != L"missing.pptx") {
            ASSERT_TRUE(testing_support::WriteFileBytes(folder_ / c.name, c.content));
        }
        ComPtr<IDispatch> presentation;
        CallResult open = Open(presentations.Get(), folder_ / c.name, &presentation);
        EXPECT_EQ(open.hr, DISP_E_EXCEPTION) << c.name;
        EXPECT_EQ(open.scode, E_FAIL) << c.name;
        EXPECT_FALSE(presentation) << c.name;
    }
}

TEST_F(PresentationServer, AnswersOnlyItsOwnIdsAndRefusesBadArguments) {
    ASSERT_TRUE(testing_support::WriteFileBytes(folder_ / L"two.pptx", MakePptx(Lessons(2))));
    ComPtr<IDispatch> application = CreateServer();
    ASSERT_TRUE(application);
    ComPtr<IDispatch> presentations = Property(application.Get(), slides::kDispPresentations), presentation;
    ASSERT_TRUE(presentations);
    ASSERT_EQ(Open(presentations.Get(), folder_ / L"two.pptx", &presentation).hr, S_OK);
    ComPtr<IDispatch> slideList = Property(presentation.Get(), slides::kDispSlides);
    ComPtr<IDispatch> slide = Item(slideList.Get(), 2);
    ASSERT_TRUE(slideList && slide);

    for (IDispatch* object : {application.Get(), presentations.Get(), presentation.Get(), slideList.Get(), slide.Get()})
        EXPECT_EQ(Call(object, 1234, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, nullptr).hr, DISP_E_MEMBERNOTFOUND);
    Variant zero(0), thirteen(13), badFilter(std::wstring(L"png")), file(folder_ / L"x.png"), result;
    EXPECT_EQ(Call(slideList.Get(), slides::kDispItem, DISPATCH_METHOD, {&zero}, &result).hr, DISP_E_EXCEPTION);
    EXPECT_EQ(Call(slideList.Get(), slides::kDispItem, DISPATCH_METHOD, {&thirteen}, &result).hr, DISP_E_EXCEPTION);
    EXPECT_EQ(Call(slideList.Get(), slides::kDispItem, DISPATCH_METHOD, {}, &result).hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(slide.Get(), slides::kDispExport, DISPATCH_METHOD, {&file, &badFilter}, nullptr).hr, DISP_E_EXCEPTION);
    EXPECT_EQ(Export(slide.Get(), folder_ / L"no such folder\\slide.jpg").hr, DISP_E_EXCEPTION);
    EXPECT_FALSE(testing_support::FileExists(folder_ / L"x.png"));

    LPOLESTR names[] = {const_cast<LPOLESTR>(L"slides")};
    DISPID id = 0;
    EXPECT_EQ(presentation->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, slides::kDispSlides);
    EXPECT_EQ(application->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
}

TEST_F(PresentationServer, ProcessEndsWhenTheLastReferenceIsReleased) {
    ASSERT_TRUE(testing_support::WriteFileBytes(folder_ / L"one.pptx", MakePptx(Lessons(1))));
    const std::set<DWORD> before = ServerProcesses();
    ComPtr<IDispatch> application = CreateServer();
    ASSERT_TRUE(application);
    fw::Handle process;
    for (DWORD pid : ServerProcesses())
        if (!before.count(pid)) process.reset(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    ASSERT_TRUE(process) << "no new server process";
    ComPtr<IDispatch> presentations = Property(application.Get(), slides::kDispPresentations), presentation;
    ASSERT_EQ(Open(presentations.Get(), folder_ / L"one.pptx", &presentation).hr, S_OK);
    application.Reset();
    presentations.Reset();
    // An object still held keeps the server running.
    EXPECT_EQ(::WaitForSingleObject(process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ComPtr<IDispatch> slideList = Property(presentation.Get(), slides::kDispSlides);
    EXPECT_EQ(Count(slideList.Get()), 1);
    presentation.Reset();
    slideList.Reset();
    EXPECT_TRUE(testing_support::WaitUntil(
        [&] { return ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; }, testing_support::kProcessWaitLimitMs));
}

TEST_F(PresentationServer, RegistersAndUnregistersForTheCurrentUser) {
    const std::wstring server = testing_support::TestProgramFolder() + L"PictavoSlides.exe";
    const std::wstring classKey = std::wstring(L"Software\\Classes\\CLSID\\") + slides::kServerClsidText;
    auto run = [&](const wchar_t* option) {
        std::wstring command = L"\"" + server + L"\" " + option;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (!::CreateProcessW(server.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &info)) {
            ADD_FAILURE() << "CreateProcess failed with error " << ::GetLastError();
            return DWORD(~0u);
        }
        fw::Handle process(info.hProcess), thread(info.hThread);
        DWORD code = ~0u;
        testing_support::WaitUntil([&] { return ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; },
                                   testing_support::kProcessWaitLimitMs);
        ::GetExitCodeProcess(process.get(), &code);
        return code;
    };
    auto value = [](const std::wstring& key) {
        wchar_t text[MAX_PATH] = {};
        DWORD bytes = sizeof(text) - sizeof(wchar_t);
        ::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &bytes);
        return std::wstring(text);
    };
    ASSERT_EQ(run(L"/regserver"), 0u);
    EXPECT_EQ(value(L"Software\\Classes\\PowerPoint.Application\\CLSID"), slides::kServerClsidText);
    EXPECT_EQ(::lstrcmpiW(value(classKey + L"\\LocalServer32").c_str(), (L"\"" + server + L"\"").c_str()), 0);
    ASSERT_EQ(run(L"/unregserver"), 0u);
    EXPECT_EQ(value(classKey + L"\\LocalServer32"), L"");
    EXPECT_EQ(value(L"Software\\Classes\\PowerPoint.Application\\CLSID"), L"");

    // Another server's ProgID stays when this one leaves.
    {
        testing_support::RegistryValue other(HKEY_CURRENT_USER, L"Software\\Classes\\PowerPoint.Application\\CLSID",
                                             L"");
        other.SetString(L"{00000000-0000-0000-0000-000000000001}");
        EXPECT_EQ(run(L"/unregserver"), 0u);
        EXPECT_EQ(value(L"Software\\Classes\\PowerPoint.Application\\CLSID"), L"{00000000-0000-0000-0000-000000000001}");
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\PowerPoint.Application");
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Classes\\PowerPoint.Application");
}
