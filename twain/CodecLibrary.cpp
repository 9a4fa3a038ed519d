#include "CodecLibrary.h"

#include "SharedNames.h"
#include "SourceUtilities.h"

const wchar_t* CCodecLibrary::LibraryFor(DWORD setting) {
    switch (setting) {
    case 1: return L"PictavoSIMD.dll";
    case 2: return L"PictavoIJG.dll";
    default: return nullptr;
    }
}

void CCodecLibrary::Load(HINSTANCE self) {
    DWORD setting = twain::RegReadDword(HKEY_LOCAL_MACHINE, PICTAVO_INSTALL_KEY, PICTAVO_INSTALL_SECTION, "JpegLib", 1);
    const wchar_t* name = LibraryFor(setting);
    if (!name) return;
    library_.reset(twain::LoadInstalledLibrary(self, name));
    if (!library_) return;
    load_ = reinterpret_cast<device::FncLoadJpegAFn>(::GetProcAddress(library_.get(), "FncLoadJpegA"));
    // Without the entry the built-in decoder does the work; the library is of no use.
    if (!load_) library_.reset();
}
