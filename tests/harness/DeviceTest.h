// The fixture of every test that drives the emulated device.
#pragma once

#include "Device.h"

#include <gtest/gtest.h>

// Each test starts with no resident copy, no settings key, no theme key, no
// user strip, an empty device log and the stand-ins' own answers, and ends
// every program it started.
class DeviceTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    device::Program program;
};
