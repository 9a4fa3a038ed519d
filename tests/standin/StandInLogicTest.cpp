// Card path rules and the lens model of the camera stand-in.
#include <gtest/gtest.h>

#include "CameraOptics.h"
#include "CardPath.h"
#include "StandInCodes.h"

using namespace standin;

TEST(CardPath, SplitsSafePathsAndRefusesEverythingElse) {
    const struct { const char* path; bool ok; std::vector<std::wstring> parts; } kCases[] = {
        {"C:\\", true, {}},
        {"C:", true, {}},
        {"c:\\DCIM", true, {L"DCIM"}},
        {"C:\\DCIM\\100KORVO\\IMAG0001.JPG", true, {L"DCIM", L"100KORVO", L"IMAG0001.JPG"}},
        {"C:\\PLAYLIST.TXT", true, {L"PLAYLIST.TXT"}},
        {"", false, {}},
        {"D:\\DCIM", false, {}},
        {"C:DCIM", false, {}},
        {"C:\\..", false, {}},
        {"C:\\DCIM\\..\\..\\x", false, {}},
        {"C:\\DCIM\\.", false, {}},
        {"C:\\DCIM\\\\x", false, {}},
        {"C:\\DCIM\\", false, {}},
        {"C:\\DCIM/..", false, {}},
        {"C:\\a:b", false, {}},
        {"C:\\a*", false, {}},
        {"C:\\name.", false, {}},
        {"C:\\name ", false, {}},
        {"C:\\CON", false, {}},
        {"C:\\nul.txt", false, {}},
        {"C:\\COM1", false, {}},
        {"C:\\COMMA", true, {L"COMMA"}},
        {"\\\\server\\share", false, {}},
        {"C:\\tab\there", false, {}},
    };
    for (const auto& c : kCases) {
        auto parts = SplitCardPath(c.path);
        EXPECT_EQ(parts.has_value(), c.ok) << c.path;
        if (parts && c.ok) {
            EXPECT_EQ(*parts, c.parts) << c.path;
        }
    }
}

TEST(CardPath, HostAndCardPathsAreBuiltFromTheParts) {
    EXPECT_EQ(HostPath(L"Z:\\card\\", {}), L"Z:\\card");
    EXPECT_EQ(HostPath(L"Z:\\card", {L"DCIM", L"100KORVO"}), L"Z:\\card\\DCIM\\100KORVO");
    EXPECT_EQ(CardPathOf({}), std::optional<std::string>("C:\\"));
    EXPECT_EQ(CardPathOf({L"DCIM", L"100KORVO"}), std::optional<std::string>("C:\\DCIM\\100KORVO"));
    EXPECT_EQ(CardPathOf({L"\u4E2D\u6587"}), std::nullopt);  // no exact form in the ANSI code page
}

namespace {
struct Step {
    uint16_t command;
    uint32_t parameter;
    ULONGLONG atMs;
};

struct LensCase {
    const char* name;
    std::vector<Step> steps;
    ULONGLONG viewAt;
    double zoom;
    int blur;
    double gain;
};
}  // namespace

TEST(CameraOptics, MovementsRunFromStartToStopWithinTheirRange) {
    const double kMax = CameraOptics::kMaxZoom;
    const LensCase kCases[] = {
        {"at rest", {}, 5000, 1, 0, 1},
        {"tele held one second doubles", {{kCameraZoom, 1, 0}, {kCameraZoom, 0, 1000}}, 5000, 2, 0, 1},
        {"tele still running", {{kCameraZoom, 1, 0}}, 500, 1.41421356, 0, 1},
        {"tele stops at the end", {{kCameraZoom, 1, 0}}, 60000, kMax, 0, 1},
        {"wide below one stays at one", {{kCameraZoom, 2, 0}}, 3000, 1, 0, 1},
        {"tele then wide", {{kCameraZoom, 1, 0}, {kCameraZoom, 2, 1000}, {kCameraZoom, 0, 1500}}, 5000, 1.41421356,
         0, 1},
        {"near blurs", {{kCameraFocus, 1, 0}, {kCameraFocus, 0, 1000}}, 5000, 1, CameraOptics::kMaxBlur / 2, 1},
        {"far blurs fully", {{kCameraFocus, 2, 0}}, 9000, 1, CameraOptics::kMaxBlur, 1},
        {"auto focus sharpens", {{kCameraFocus, 2, 0}, {kCameraAutoFocus, 0, 1000}}, 5000, 1, 0, 1},
        {"iris open one stop", {{kCameraIris, 2, 0}, {kCameraIris, 4, 1000}}, 5000, 1, 0, 2},
        {"iris close one stop", {{kCameraIris, 3, 0}, {kCameraIris, 4, 1000}}, 5000, 1, 0, 0.5},
        {"iris open limit", {{kCameraIris, 2, 0}}, 9000, 1, 0, 4},
        {"iris normal resets", {{kCameraIris, 2, 0}, {kCameraIris, 5, 1000}}, 5000, 1, 0, 1},
    };
    for (const auto& c : kCases) {
        CameraOptics lens(0);
        for (const Step& s : c.steps) EXPECT_TRUE(lens.Apply(s.command, s.parameter, s.atMs)) << c.name;
        LensView view = lens.ViewAt(c.viewAt);
        EXPECT_NEAR(view.zoom, c.zoom, 1e-3) << c.name;
        EXPECT_EQ(view.blurRadius, c.blur) << c.name;
        EXPECT_NEAR(view.gain, c.gain, 1e-3) << c.name;
    }
}

TEST(CameraOptics, UnknownParametersChangeNothing) {
    CameraOptics lens(0);
    for (Step s : {Step{kCameraZoom, 3, 0}, Step{kCameraFocus, 7, 0}, Step{kCameraIris, 0, 0},
                   Step{kCameraIris, 1, 0}, Step{kCameraIris, 6, 0}, Step{kCameraAutoFocus, 1, 0}, Step{0x808E, 0, 0}})
        EXPECT_FALSE(lens.Apply(s.command, s.parameter, s.atMs)) << std::hex << s.command << " " << s.parameter;
    LensView view = lens.ViewAt(10000);
    EXPECT_EQ(view.zoom, 1);
    EXPECT_EQ(view.blurRadius, 0);
    EXPECT_EQ(view.gain, 1);
}
