#include "transfer/CardMessages.h"

#include "DeviceProtocol.h"
#include "MessageBox.h"
#include "Strings.h"
#include "base/AppServices.h"
#include "base/ControlDialog.h"
#include "resource.h"

int ShowCardMessage(HWND owner, const std::wstring& text, UINT type) {
    const std::wstring caption = fw::LoadResString(IDS_APP_TITLE);
    IAppServices* services = AppServices();
    if (services && services->controlDialog()) return services->controlDialog()->ShowMessageBox(owner, text, caption, type);
    return fw::ShowMessageBox(owner, text, caption, type);
}

int ShowCardMessage(HWND owner, UINT stringId, UINT type) {
    return ShowCardMessage(owner, fw::LoadResString(stringId), type);
}

void ShowCardAccessMessage(HWND owner, int32_t status, UINT noCardIcon, UINT otherIcon) {
    if (status == device::kSdNoCard)
        ShowCardMessage(owner, IDS_SD_NOT_INSERTED, MB_OK | noCardIcon);
    else
        ShowCardMessage(owner, IDS_SD_UNAVAILABLE, MB_OK | otherIcon);
}
