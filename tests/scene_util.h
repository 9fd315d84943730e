// The front-end's scenes on the driver running in a simulated firmware: their
// context, and the reviewed pictures in tests/golden/ they are held to.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "frontend/scenes.h"
#include "sim/sim.h"

inline SceneContext SceneContextOf(sim::Firmware &Fw) {
  SceneContext C = {};
  C.Ui = Fw.Ui();
  C.Banner = Fw.BannerProtocol();
  C.Bs = Fw.SystemTable()->BootServices;
  C.Gop = Fw.Gop();
  return C;
}

// The screen must equal tests/golden/<Name>.png in blue, green and red. With
// ORVANE_UPDATE_GOLDEN set it writes the picture instead; after a failure the
// screen is left in golden-<Name>-actual.png to look at.
inline void ExpectScreenIsGolden(sim::Firmware &Fw, const char *Name) {
  const std::string Here = __FILE__;
  const std::string Path = Here.substr(0, Here.find_last_of('/') + 1) + "golden/" + Name + ".png";
  if (std::getenv("ORVANE_UPDATE_GOLDEN") != nullptr) {
    ASSERT_TRUE(sim::WritePng(Path, Fw.FrameBuffer(), Fw.Width(), Fw.Height(), Fw.Width()));
    return;
  }
  std::vector<uint32_t> Want;
  uint32_t W = 0, H = 0;
  ASSERT_TRUE(sim::ReadPng(Path, Want, W, H)) << Path;
  ASSERT_EQ(W, Fw.Width());
  ASSERT_EQ(H, Fw.Height());
  std::vector<uint32_t> Got = Fw.Snapshot();
  size_t Differ = 0, First = Got.size();
  for (size_t I = 0; I < Got.size(); I++) {
    if ((Got[I] & 0x00FFFFFF) != Want[I]) {
      if (Differ++ == 0) First = I;
    }
  }
  if (Differ != 0) {
    sim::WritePng(std::string("golden-") + Name + "-actual.png", Fw.FrameBuffer(), W, H, W);
  }
  EXPECT_EQ(Differ, 0u) << Name << ": first difference at (" << First % W << ", " << First / W
                        << "); the picture drawn is golden-" << Name << "-actual.png";
}
