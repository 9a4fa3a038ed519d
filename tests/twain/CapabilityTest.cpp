// DAT_CAPABILITY as a host sees it: containers, values it may set, codes it gets.
#include <gtest/gtest.h>

#include "Handles.h"
#include "TwainHost.h"

using namespace twain_test;

namespace {

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
    EXPECT_EQ(Set(ICAP_UNITS, TWUN_PIXELS), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_BADVALUE);
    EXPECT_EQ(Current(ICAP_UNITS), TWUN_PIXELS);
    EXPECT_EQ(Set(ICAP_UNITS, TWUN_INCHES), TWRC_SUCCESS);
    EXPECT_EQ(Current(ICAP_UNITS), TWUN_INCHES);
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
    EXPECT_EQ(Ask(MSG_GET, CAP_XFERCOUNT, c), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_CAPUNSUPPORTED);

    ASSERT_EQ(source_.Close(), TWRC_SUCCESS);
    source_.app = MakeAppIdentity(7, /*protocolMinor=*/5);
    ASSERT_EQ(source_.Open(), TWRC_SUCCESS);
    EXPECT_EQ(Ask(MSG_GET, CAP_XFERCOUNT, c), TWRC_FAILURE);
    EXPECT_EQ(source_.Condition(), TWCC_BADCAP);
}

TEST_F(Capabilities, DefaultsAreNotHandedOut) {
    fw::GlobalMemory c;
    EXPECT_EQ(Ask(MSG_GETDEFAULT, ICAP_PIXELFLAVOR, c), TWRC_FAILURE);
    EXPECT_EQ(c.get(), nullptr);
    EXPECT_EQ(Ask(MSG_RESET, ICAP_XFERMECH, c), TWRC_FAILURE);
}
