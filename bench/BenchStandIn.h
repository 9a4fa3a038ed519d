#pragma once
// The camera stand-in loaded into a benchmark from its own copy in the
// benchmark's folder, whose "SDCard" folder is then the card; opened on a
// message-only window.
#include <windows.h>

#include <string>

#include "DeviceControl.h"

inline bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    ::CloseHandle(file);
    return ok;
}

struct StandIn {
    HMODULE library = nullptr;
    device::IDeviceControl* camera = nullptr;
    device::ReleaseInstanceFn release = nullptr;
    HWND window = nullptr;

    bool Load(const std::wstring& folder) {
        wchar_t self[MAX_PATH];
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring here(self);
        here.resize(here.find_last_of(L'\\') + 1);
        const std::wstring dll = folder + L"KorvoDocCameraIM.dll";
        if (!::CopyFileW((here + L"KorvoDocCameraIM.dll").c_str(), dll.c_str(), FALSE)) return false;
        WriteBytes(folder + L"KorvoDocCameraIM.ini", "[Camera]\r\nFrameRate=0\r\n");
        library = ::LoadLibraryW(dll.c_str());
        auto create = library ? reinterpret_cast<device::CreateInstanceFn>(::GetProcAddress(library, "CreateInstance"))
                              : nullptr;
        release = library ? reinterpret_cast<device::ReleaseInstanceFn>(::GetProcAddress(library, "ReleaseInstance"))
                          : nullptr;
        if (!create || !release || !create(&camera) || !camera) return false;
        window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        DWORD detail = 0;
        return camera->bOpen(window, &detail) != 0;
    }
    ~StandIn() {
        if (camera) {
            DWORD detail = 0;
            camera->bClose(&detail);
            release(&camera);
        }
        if (window) ::DestroyWindow(window);
        if (library) ::FreeLibrary(library);
    }
};
