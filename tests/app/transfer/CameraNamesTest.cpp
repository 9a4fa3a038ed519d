// The camera's naming rules for card folders and picture files.
#include <gtest/gtest.h>

#include "transfer/CameraNames.h"

namespace {

struct NameCase {
    const wchar_t* name;
    bool passes;
};

TEST(CameraNames, FolderNames) {
    const NameCase cases[] = {
        {L"100ABCDE", true},  {L"101_pict", true},  {L"999zzzzz", true},  {L"100_____", true},
        {L"099ABCDE", false}, {L"000ABCDE", false}, {L"100ABCD", false},  {L"100ABCDEF", false},
        {L"100AB-DE", false}, {L"10AABCDE", false}, {L"100ABC.E", false}, {L"", false},
        {L"100ABCD\u00C9", false},  // letters the camera has no font for
    };
    for (const NameCase& c : cases) EXPECT_EQ(IsCameraFolderName(c.name), c.passes) << c.name;
}

TEST(CameraNames, FileNames) {
    const NameCase cases[] = {
        {L"IMAG0001.jpg", true},      {L"DSC_0123.JPG", true},   {L"imag9999.Jpg", true},  {L"____0010.JPG", true},
        {L"IMAG0000.JPG", false},     {L"IMAG001.JPG", false},   {L"IMAG0001.JPEG", false}, {L"IMAG0001.JPG.bak", false},
        {L"IMAG0001", false},         {L"IMAGE0001.JPG", false}, {L"IMA-0001.JPG", false}, {L"IMAG000A.JPG", false},
        {L"PHOTO1.JPG", false},       {L".JPG", false},          {L"", false},
    };
    for (const NameCase& c : cases) EXPECT_EQ(IsCameraFileName(c.name), c.passes) << c.name;
}

}  // namespace
