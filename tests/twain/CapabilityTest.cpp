// DAT_CAPABILITY as a host sees it: containers, values it may set, codes it gets.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include "Handles.h"
#include "TwainHost.h"

using namespace twain_test;

namespace {

constexpr TW_UINT16 kBrightness = 0x1101;  // a capability the camera does not have

class Capabilities : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(source_.Open(), TWRC_SUCCESS); }

    TW_UINT16 Ask(TW_UINT16 msg, TW_UINT16 id, fw::GlobalMemory& container, TW_UINT16 conType = 0) {
        TW_CAPABILITY cap{id, conType, container.get()};
        TW_UINT16 rc = source_.Call(DG_CONTROL, DAT_CAPABILITY, msg, &cap);
        if (cap.hContainer != container.get()) container.reset(cap.hContainer);
        conType_ = cap.ConType;
        return rc;
    }
    TW_UINT16 Set(TW_UINT16 id, TW_UINT16 value) {
        fw::GlobalMemory one(OneValue(value));
        return Ask(MSG_SET, id, one, TWON_ONEVALUE);
    }
    TW_UINT32 Current(TW_UINT16 id) {
        fw::GlobalMemory c;
        return Ask(MSG_GETCURRENT, id, c) == TWRC_SUCCESS && conType_ == TWON_ONEVALUE ? OneValueItem(c.get())
                                                                                       : 0xFFFFFFFF;
    }

    CameraCopy camera_;
    LoadedSource source_;
    TW_UINT16 conType_ = 0;
};

}  // namespace

TEST_F(Capabilities, TransferMechanismIsAnEnumerationOfThree) {
    fw::GlobalMemory c;
    ASSERT_EQ(Ask(MSG_GET, ICAP_XFERMECH, c), TWRC_SUCCESS);
    EXPECT_EQ(conType_, TWON_ENUMERATION);
    Enumeration e = ReadEnumeration(c.get());
    EXPECT_EQ(e.items, (std::vector<TW_UINT16>{TWSX_NATIVE, TWSX_FILE, TWSX_MEMORY}));
    EXPECT_EQ(e.current, 0u);
    EXPECT_EQ(e.defaultIndex, 0u);
}

TEST_F(Capabilities, SetOneValueChangesTheCurrentValue) {
    EXPECT_EQ(Set(ICAP_XFERMECH, TWSX_MEMORY), TWRC_SUCCESS);
    EXPECT_EQ(Current(ICAP_XFERMECH), TWSX_MEMORY);
    fw::GlobalMemory c;
    ASSERT_EQ(Ask(MSG_GET, ICAP_XFERMECH, c), TWRC_SUCCESS);
    EXPECT_EQ(ReadEnumeration(c.get()).current, 2u);
}

TEST_F(Capabilities, OnlyAllowedValuesAreTaken) {
    constexpr TW_UINT16 kCentimeters = 1;
    EXPECT_EQ(Set(ICAP_UNITS, kCentimeters), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_BADVALUE);
    EXPECT_EQ(Current(ICAP_UNITS), TWUN_INCHES);
    EXPECT_EQ(Set(ICAP_UNITS, TWUN_PIXELS), TWRC_SUCCESS);
    EXPECT_EQ(Current(ICAP_UNITS), TWUN_PIXELS);
    EXPECT_EQ(Set(ICAP_XFERMECH, 7), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_BADVALUE);
}

TEST_F(Capabilities, PixelTypeOffersColourAndTakesIt) {
    fw::GlobalMemory c;
    ASSERT_EQ(Ask(MSG_GET, ICAP_PIXELTYPE, c), TWRC_SUCCESS);
    Enumeration e = ReadEnumeration(c.get());
    EXPECT_EQ(e.items, std::vector<TW_UINT16>{TWPT_RGB});
    EXPECT_EQ(e.current, 0u);
    EXPECT_EQ(e.defaultIndex, 0u);
    EXPECT_EQ(Set(ICAP_PIXELTYPE, TWPT_RGB), TWRC_SUCCESS);
    EXPECT_EQ(Current(ICAP_BITDEPTH), 24u);
}

TEST_F(Capabilities, EnumerationSetIsRefusedAndTheContainerLeftAlone) {
    fw::GlobalMemory mine(::GlobalAlloc(GHND, sizeof(TW_ENUMERATION) + 4));
    HGLOBAL original = mine.get();
    TW_CAPABILITY cap{ICAP_XFERMECH, TWON_ENUMERATION, original};
    EXPECT_EQ(source_.Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &cap), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_BADVALUE);
    EXPECT_EQ(cap.hContainer, original);
    EXPECT_EQ(cap.ConType, TWON_ENUMERATION);
    EXPECT_EQ(Current(ICAP_XFERMECH), TWSX_NATIVE);
}

TEST_F(Capabilities, UnsupportedCapabilityCodeFollowsTheHostsProtocol) {
    fw::GlobalMemory c;
    EXPECT_EQ(Ask(MSG_GET, kBrightness, c), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_CAPUNSUPPORTED);

    ASSERT_EQ(source_.Close(), TWRC_SUCCESS);
    source_.app = MakeAppIdentity(7, /*protocolMinor=*/5);
    ASSERT_EQ(source_.Open(), TWRC_SUCCESS);
    EXPECT_EQ(Ask(MSG_GET, kBrightness, c), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_BADCAP);
}

// Only for capabilities the source has: the others hand out no container at all.
TEST_F(Capabilities, DefaultsAreNotHandedOut) {
    fw::GlobalMemory c;
    for (TW_UINT16 msg : {MSG_GETDEFAULT, MSG_RESET, MSG_QUERYSUPPORT}) {
        EXPECT_EQ(Ask(msg, kBrightness, c), TWRC_FAILURE) << msg;
        EXPECT_EQ(c.get(), nullptr) << msg;
    }
    ASSERT_EQ(Set(ICAP_XFERMECH, TWSX_FILE), TWRC_SUCCESS);
    ASSERT_EQ(Ask(MSG_GETDEFAULT, ICAP_XFERMECH, c), TWRC_SUCCESS);
    EXPECT_EQ(OneValueItem(c.get()), TWSX_NATIVE);
    ASSERT_EQ(Ask(MSG_RESET, ICAP_XFERMECH, c), TWRC_SUCCESS);
    EXPECT_EQ(Current(ICAP_XFERMECH), TWSX_NATIVE) << "RESET goes back to the default";
}

namespace {

struct Expected {
    TW_UINT16 cap;
    TW_UINT16 itemType;
    TW_UINT16 getContainer;  // MSG_GET's; the other queries answer with one value (an array stays an array)
    bool settable;
};

// The capabilities and containers a TWAIN host expects, as the TWAIN standard gives them.
const Expected kExpected[] = {
    {CAP_XFERCOUNT, TWTY_INT16, TWON_ONEVALUE, true},
    {CAP_SUPPORTEDCAPS, TWTY_UINT16, TWON_ARRAY, false},
    {CAP_UICONTROLLABLE, TWTY_BOOL, TWON_ONEVALUE, false},
    {CAP_INDICATORS, TWTY_BOOL, TWON_ONEVALUE, true},
    {CAP_DEVICEONLINE, TWTY_BOOL, TWON_ONEVALUE, false},
    {CAP_ENABLEDSUIONLY, TWTY_BOOL, TWON_ONEVALUE, false},
    {ICAP_COMPRESSION, TWTY_UINT16, TWON_ENUMERATION, true},
    {ICAP_PLANARCHUNKY, TWTY_UINT16, TWON_ENUMERATION, true},
    {ICAP_BITORDER, TWTY_UINT16, TWON_ENUMERATION, true},
    {ICAP_XRESOLUTION, TWTY_FIX32, TWON_ENUMERATION, true},
    {ICAP_YRESOLUTION, TWTY_FIX32, TWON_ENUMERATION, true},
    {ICAP_PHYSICALWIDTH, TWTY_FIX32, TWON_ONEVALUE, false},
    {ICAP_PHYSICALHEIGHT, TWTY_FIX32, TWON_ONEVALUE, false},
    {ICAP_IMAGEFILEFORMAT, TWTY_UINT16, TWON_ENUMERATION, true},
    {ICAP_FRAMES, TWTY_FRAME, TWON_ENUMERATION, false},
    {ICAP_UNITS, TWTY_UINT16, TWON_ENUMERATION, true},
    {ICAP_PIXELTYPE, TWTY_UINT16, TWON_ENUMERATION, true},
    {ICAP_BITDEPTH, TWTY_UINT16, TWON_ENUMERATION, true},
    {ICAP_PIXELFLAVOR, TWTY_UINT16, TWON_ENUMERATION, true},
    {ICAP_XFERMECH, TWTY_UINT16, TWON_ENUMERATION, true},
};

const Expected* ExpectedFor(TW_UINT16 cap) {
    for (const Expected& e : kExpected)
        if (e.cap == cap) return &e;
    return nullptr;
}

// Item type of any container; for an enumeration also that its indexes lie in its list.
TW_UINT16 CheckContainer(HGLOBAL container, TW_UINT16 conType) {
    fw::GlobalLock lock(container);
    const auto* p = static_cast<const BYTE*>(lock.get());
    if (!p) return 0xFFFF;
    if (conType == TWON_ENUMERATION) {
        const auto* e = reinterpret_cast<const TW_ENUMERATION*>(p);
        EXPECT_GT(e->NumItems, 0u);
        EXPECT_LT(e->CurrentIndex, e->NumItems);
        EXPECT_LT(e->DefaultIndex, e->NumItems);
    }
    return *reinterpret_cast<const TW_UINT16*>(p);  // ItemType leads every container
}

double Fix32(TW_FIX32 f) { return f.Whole + f.Frac / 65536.0; }

}  // namespace

TEST_F(Capabilities, WalkOfTheSupportedCapabilities) {
    fw::GlobalMemory list;
    ASSERT_EQ(Ask(MSG_GET, CAP_SUPPORTEDCAPS, list), TWRC_SUCCESS);
    ASSERT_EQ(conType_, TWON_ARRAY);
    fw::GlobalLock lock(list.get());
    const auto* array = static_cast<const TW_ARRAY*>(lock.get());
    ASSERT_EQ(array->ItemType, TWTY_UINT16);
    const auto* ids = reinterpret_cast<const TW_UINT16*>(array->ItemList);
    std::vector<TW_UINT16> listed(ids, ids + array->NumItems);
    EXPECT_EQ(listed.size(), std::size(kExpected)) << "exactly the capabilities answered";
    for (TW_UINT16 cap : listed) {
        const Expected* want = ExpectedFor(cap);
        ASSERT_NE(want, nullptr) << std::hex << cap;
        fw::GlobalMemory c;
        ASSERT_EQ(Ask(MSG_QUERYSUPPORT, cap, c), TWRC_SUCCESS) << std::hex << cap;
        TW_UINT32 operations = TWQC_GET | TWQC_GETCURRENT | TWQC_GETDEFAULT | TWQC_RESET;
        EXPECT_EQ(OneValueItem(c.get()), operations | (want->settable ? TWQC_SET : 0)) << std::hex << cap;
        for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_RESET}) {
            fw::GlobalMemory answer;
            ASSERT_EQ(Ask(msg, cap, answer), TWRC_SUCCESS) << std::hex << cap << " msg " << msg;
            TW_UINT16 conType = msg == MSG_GET || want->getContainer == TWON_ARRAY ? want->getContainer : TWON_ONEVALUE;
            EXPECT_EQ(conType_, conType) << std::hex << cap << " msg " << msg;
            EXPECT_EQ(CheckContainer(answer.get(), conType_), want->itemType) << std::hex << cap << " msg " << msg;
        }
    }
}

TEST_F(Capabilities, WhatHostsAskOnOpeningIsAnswered) {
    EXPECT_EQ(static_cast<TW_INT16>(Current(CAP_XFERCOUNT)), -1);
    EXPECT_EQ(Current(ICAP_COMPRESSION), TWCP_NONE);
    EXPECT_EQ(Current(ICAP_IMAGEFILEFORMAT), TWFF_BMP);
    EXPECT_EQ(Current(ICAP_XRESOLUTION), 100u) << "100.0 as a TW_FIX32, the DIB header's resolution";
    EXPECT_EQ(Current(ICAP_YRESOLUTION), 100u);
    EXPECT_EQ(Current(CAP_DEVICEONLINE), 1u);
    fw::GlobalMemory units;
    ASSERT_EQ(Ask(MSG_GET, ICAP_UNITS, units), TWRC_SUCCESS);
    Enumeration e = ReadEnumeration(units.get());
    EXPECT_EQ(e.items, (std::vector<TW_UINT16>{TWUN_INCHES, TWUN_PIXELS}));
    EXPECT_EQ(e.current, 0u);

    // Values a host sets: only those the camera's pictures really have are taken.
    struct Case {
        TW_UINT16 cap, value;
        TW_UINT16 rc;
    } cases[] = {{CAP_XFERCOUNT, 1, TWRC_SUCCESS},          {CAP_XFERCOUNT, 0xFFFF, TWRC_SUCCESS},
                 {CAP_XFERCOUNT, 5, TWRC_FAILURE},          {ICAP_IMAGEFILEFORMAT, TWFF_TIFF, TWRC_FAILURE},
                 {ICAP_COMPRESSION, 2, TWRC_FAILURE},       {CAP_DEVICEONLINE, 0, TWRC_FAILURE},
                 {ICAP_IMAGEFILEFORMAT, TWFF_BMP, TWRC_SUCCESS}};
    for (const Case& c : cases) EXPECT_EQ(Set(c.cap, c.value), c.rc) << std::hex << c.cap << " " << c.value;
    EXPECT_EQ(Current(ICAP_IMAGEFILEFORMAT), TWFF_BMP);

    // The frame is the whole picture, in the units in use.
    for (TW_UINT16 unit : {TWUN_INCHES, TWUN_PIXELS}) {
        ASSERT_EQ(Set(ICAP_UNITS, unit), TWRC_SUCCESS);
        double scale = unit == TWUN_PIXELS ? 1.0 : 0.01;
        fw::GlobalMemory frames;
        ASSERT_EQ(Ask(MSG_GETCURRENT, ICAP_FRAMES, frames), TWRC_SUCCESS);
        fw::GlobalLock lock(frames.get());
        TW_FRAME frame;
        std::memcpy(&frame, static_cast<const BYTE*>(lock.get()) + offsetof(TW_ONEVALUE, Item), sizeof(frame));
        EXPECT_NEAR(Fix32(frame.Right), 1024 * scale, 0.001) << unit;
        EXPECT_NEAR(Fix32(frame.Bottom), 768 * scale, 0.001) << unit;
        TW_IMAGELAYOUT layout{};
        ASSERT_EQ(source_.Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout), TWRC_SUCCESS);
        EXPECT_EQ(std::memcmp(&layout.Frame, &frame, sizeof(frame)), 0) << unit;
        layout.Frame.Right.Whole = 2;
        EXPECT_EQ(source_.Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout), TWRC_CHECKSTATUS) << "always whole";
        EXPECT_EQ(std::memcmp(&layout.Frame, &frame, sizeof(frame)), 0) << unit;
    }
    ASSERT_TRUE(camera_.control().Unplug());
    EXPECT_EQ(Current(CAP_DEVICEONLINE), 0u);
}
