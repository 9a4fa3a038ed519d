#pragma once
// The optional JPEG codec library, chosen by the installation's "JpegLib"
// setting; the data source takes only its ANSI load entry.
#include <windows.h>

#include "Handles.h"
#include "JpegCodecLibrary.h"

class CCodecLibrary {
public:
    // 1 "PictavoSIMD.dll", 2 "PictavoIJG.dll", anything else none.
    static const wchar_t* LibraryFor(DWORD setting);

    // From the installation only (see twain::LoadInstalledLibrary).
    void Load(HINSTANCE self);
    device::FncLoadJpegAFn load() const { return load_; }

private:
    fw::Module library_;
    device::FncLoadJpegAFn load_ = nullptr;
};
