#include <gtest/gtest.h>

#include "base/Registry.h"
#include "TestSupport.h"
#include "base/Utilities.h"

using namespace testing_support;

TEST(Settings, MissingOrMistypedValuesGiveTheDefault) {
    RegistryValue jpegLib = JpegLibValue();
    jpegLib.Delete();
    EXPECT_EQ(GetJpegLibSetting(), 1u);
    jpegLib.SetDword(3);
    EXPECT_EQ(GetJpegLibSetting(), 3u);
    jpegLib.SetString(L"2");  // not a 4-byte value
    EXPECT_EQ(GetJpegLibSetting(), 1u);
    EXPECT_EQ(RegReadString(HKEY_LOCAL_MACHINE, L"Vexa\\No Such Key", L"X", L"Y", L"fallback"), L"fallback");
}

TEST(Settings, WrittenStringsReadBackAndDerivedPaths) {
    RegistryValue input(HKEY_CURRENT_USER, L"SOFTWARE\\Vexa\\Pictavo (QZT)\\PictavoForPresentation\\ImgSection",
                        L"InputFolder");
    EXPECT_EQ(RegWriteString(HKEY_CURRENT_USER, kUserKey, kUserSection, L"InputFolder", L"C:\\pictures\\"), 1);
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kUserKey, kUserSection, L"InputFolder", L""), L"C:\\pictures\\");
    EXPECT_EQ(RegWriteString(HKEY_CURRENT_USER, kUserKey, kUserSection, L"InputFolder", L""), 1);
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kUserKey, kUserSection, L"InputFolder", L"x"), L"");

    RegistryValue install = InstallPathValue();
    install.Delete();
    EXPECT_EQ(GetInstallPath(), L"");
    EXPECT_EQ(GetHelpFilePath(), L"");
    install.SetString(L"C:\\Program Files\\Pictavo");
    EXPECT_EQ(GetHelpFilePath(), L"C:\\Program Files\\Pictavo\\HELP\\Pictavo.chm");
}
