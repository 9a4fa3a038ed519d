#include "AboutDialog.h"

#include <cstring>
#include <string>

#include "SourceResource.h"

namespace {
// The manager may hand back fields filled to the last byte: never read past them.
template <size_t N>
std::string Field(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}
}  // namespace

CAboutDialog::CAboutDialog(HINSTANCE module, const TW_IDENTITY& identity)
    : fw::Dialog(IDD_SOURCE_ABOUT, module), identity_(identity) {}

BOOL CAboutDialog::OnInitDialog() {
    ::SetDlgItemTextA(hwnd(), IDC_ABOUT_PRODUCT, Field(identity_.ProductName).c_str());
    ::SetDlgItemTextA(hwnd(), IDC_ABOUT_VERSION, Field(identity_.Version.Info).c_str());
    ::SetDlgItemTextA(hwnd(), IDC_ABOUT_MAKER, Field(identity_.Manufacturer).c_str());
    return TRUE;
}
