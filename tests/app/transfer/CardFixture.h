#pragma once
// A camera stand-in with its card, opened, and a local folder of source
// files: what the transfer and the card tree are tried against.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CameraHarness.h"
#include "TestSupport.h"

namespace transfer_test {

class CardTest : public ::testing::Test {
protected:
    void SetUp() override;
    // The stand-in's settings file text.
    virtual std::string Settings() const { return ""; }

    // A card folder ("DCIM\100ABCDE") made in the card's host folder.
    void MakeCardFolder(const std::wstring& relative);
    std::wstring CardHostPath(const std::wstring& relative) const { return camera->cardFolder() + L"\\" + relative; }
    // A source file of `size` bytes whose content tells it from the others.
    std::string WriteSource(const std::wstring& name, size_t size = 4096);
    // The command codes the camera received since `after`.
    std::vector<uint16_t> CommandsSince(LONG after) const;
    LONG RequestMark() const { return camera->control().RequestsLogged(); }

    std::unique_ptr<camera_test::LoadedCamera> camera;
    testing_support::TempFolder source;
};

}  // namespace transfer_test
