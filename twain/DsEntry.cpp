// The library's one export, DS_Entry, and the one source object behind it.
#include <memory>

#include "CodecLibrary.h"
#include "ModulePin.h"
#include "Twain.h"
#include "TwainSource.h"

namespace {

HINSTANCE g_module = nullptr;
// Built on the first call rather than in DllMain: loading the codec library
// under the loader lock is not allowed.
std::unique_ptr<CCodecLibrary> g_codec;
std::unique_ptr<CTwainSource> g_source;

CTwainSource* Source() {
    if (!g_source) {
        g_codec = std::make_unique<CCodecLibrary>();
        g_codec->Load(g_module);
        g_source = std::make_unique<CTwainSource>(g_module, g_codec->load());
    }
    return g_source.get();
}

}  // namespace

extern "C" TW_UINT16 __stdcall DS_Entry(TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                                        TW_MEMREF data) {
    CEntryCall call;
    try {
        return Source()->Entry(origin, dg, dat, msg, data);
    } catch (...) {
        // Nothing may unwind into the host: it knows only return codes.
        return TWRC_FAILURE;
    }
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        ::DisableThreadLibraryCalls(module);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded by FreeLibrary: an open source holds its own reference until
        // CLOSEDS, so normally only a closed one gets here; one still open
        // (its reference could not be taken) cannot wait for its preview thread.
        if (g_source && g_source->state() == CTwainSource::kLoaded) {
            g_source.reset();
            g_codec.reset();
        } else {
            (void)g_source.release();
            (void)g_codec.release();
        }
    }
    return TRUE;
}
