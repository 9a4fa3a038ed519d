// PictavoSlides: a local automation server that stands in for the
// presentation server, so the conversion of presentations runs end to end.
//   PictavoSlides /regserver [/allusers]     register as "PowerPoint.Application"
//   PictavoSlides /unregserver [/allusers]   remove that registration
//   PictavoSlides -Embedding                 how COM starts it for a client
// Registration goes to HKEY_CURRENT_USER\Software\Classes, or with /allusers
// to HKEY_LOCAL_MACHINE\Software\Classes (where Wine's COM looks).
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "DispatchIds.h"
#include "ServerLifetime.h"
#include "ServerRegistration.h"
#include "SlidesClassFactory.h"

namespace {

enum class Mode { Serve, Register, Unregister, Usage };

struct Options {
    Mode mode = Mode::Usage;
    bool allUsers = false;
};

Options ParseOptions() {
    Options options;
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; argv && i < count; ++i) {
        std::wstring word = argv[i];
        if (!word.empty() && (word[0] == L'-' || word[0] == L'/')) word.erase(0, 1);
        if (::lstrcmpiW(word.c_str(), L"Embedding") == 0 || ::lstrcmpiW(word.c_str(), L"Automation") == 0)
            options.mode = Mode::Serve;
        else if (::lstrcmpiW(word.c_str(), L"regserver") == 0)
            options.mode = Mode::Register;
        else if (::lstrcmpiW(word.c_str(), L"unregserver") == 0)
            options.mode = Mode::Unregister;
        else if (::lstrcmpiW(word.c_str(), L"allusers") == 0)
            options.allUsers = true;
    }
    ::LocalFree(argv);
    return options;
}

std::wstring ThisProgram() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) return std::wstring(path.data(), length);
        path.resize(path.size() * 2);
    }
}

// Serves clients until the last object is released.
int Serve() {
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for the quit message
    slides::SlidesClassFactory factory;
    DWORD cookie = 0;
    HRESULT hr = ::CoRegisterClassObject(slides::kServerClsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                         &cookie);
    if (SUCCEEDED(hr)) {
        slides::BeginServing(::GetCurrentThreadId(), cookie);
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
        if (!slides::ServerIsStopping()) ::CoRevokeClassObject(cookie);
    }
    ::CoUninitialize();
    return SUCCEEDED(hr) ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    Options options = ParseOptions();
    HKEY hive = options.allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    switch (options.mode) {
    case Mode::Serve:
        return Serve();
    case Mode::Register:
        return slides::RegisterServer(hive, ThisProgram()) ? 0 : 1;
    case Mode::Unregister:
        return slides::UnregisterServer(hive) ? 0 : 1;
    case Mode::Usage:
        break;
    }
    ::MessageBoxW(nullptr,
                  L"Presentation server stand-in for Pictavo.\n\n"
                  L"PictavoSlides /regserver [/allusers]\tregister as PowerPoint.Application\n"
                  L"PictavoSlides /unregserver [/allusers]\tremove the registration",
                  L"PictavoSlides", MB_OK | MB_ICONINFORMATION);
    return 2;
}
