// A stand-in for the 64-bit source manager TWAINDSM.DLL: it records the
// messages a source sends it, for a test that gives the source no entry point.
#include <windows.h>

#include "Twain.h"

namespace {
constexpr int kKept = 16;
TW_UINT16 g_messages[kKept];
LONG g_count = 0;
}  // namespace

extern "C" TW_UINT16 __stdcall DSM_Entry(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                                         TW_MEMREF) {
    if (dg != DG_CONTROL || dat != DAT_NULL) return TWRC_FAILURE;
    LONG n = ::InterlockedIncrement(&g_count);
    if (n <= kKept) g_messages[n - 1] = msg;
    return TWRC_SUCCESS;
}

// The messages received so far, at most `max` of them; returns how many were received.
extern "C" int __stdcall RecordedMessages(TW_UINT16* out, int max) {
    int n = g_count < kKept ? static_cast<int>(g_count) : kKept;
    for (int i = 0; i < n && i < max; ++i) out[i] = g_messages[i];
    return static_cast<int>(g_count);
}
