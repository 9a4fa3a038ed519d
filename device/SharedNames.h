#pragma once
// Names the image application and the TWAIN data source must agree on. The
// application works in wide characters, the data source in narrow ones; both
// spellings come from the one literal.
#define PICTAVO_GLOBAL_MUTEX_NAME "__PICTAVO_QZM_GLOBAL_MUTEX__"
#define PICTAVO_INSTALL_KEY "Vexa\\Utility Software (QZT)"
#define PICTAVO_INSTALL_SECTION "Parameters"

namespace device {

// Held by whichever of the two uses the camera, so only one of them does.
constexpr const char* kGlobalMutexNameA = PICTAVO_GLOBAL_MUTEX_NAME;
constexpr const wchar_t* kGlobalMutexNameW = L"" PICTAVO_GLOBAL_MUTEX_NAME;

}  // namespace device
