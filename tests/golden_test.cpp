// Golden pictures: the front-end's scenes drawn by the host build must stay
// what they were when last reviewed. After an intended change, rerun with
// ORVANE_UPDATE_GOLDEN=1 and look at the new pictures before committing them.
#include <cstdlib>
#include <string>
#include <vector>

#include "frontend/scenes.h"
#include "tests/fixture.h"
#include "tests/painter_reference.h"

namespace {

std::string GoldenPath(const char *Name) {
  std::string Here = __FILE__;
  return Here.substr(0, Here.find_last_of('/') + 1) + "golden/" + Name + ".png";
}

class Golden : public DriverTest {
 protected:
  SceneContext Context() {
    SceneContext C = {};
    C.Ui = Ui;
    C.Banner = Fw.BannerProtocol();
    C.Bs = Fw.SystemTable()->BootServices;
    C.Gop = Fw.Gop();
    return C;
  }

  void Check(const char *Name) {
    const std::string Path = GoldenPath(Name);
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
};

}  // namespace

struct Scene {
  const char *Name;
  void (*Draw)(const SceneContext &);
};

constexpr Scene kScenes[] = {
    {"primitive-scene", DrawPrimitiveScene},
    {"demo-text", DemoText},
    {"demo-shapes", DemoShapes},
    {"demo-final", DemoFinal},
    {"demo-list-popup", DemoListPopup},
    {"demo-dialog", DemoDialog},
    {"demo-settings", DemoSettings},
    {"status-painters", DrawStatusPainterSheet},
    {"demo-status", DemoStatus},
    {"demo-option-popups", DemoOptionPopups},
    {"demo-dock", DemoDock},
};

TEST_F(Golden, ScenesMatchTheirPictures) {
  for (const Scene &S : kScenes) {
    SCOPED_TRACE(S.Name);
    Fw.FillScreen(0);
    SceneContext C = Context();
    S.Draw(C);
    EXPECT_EQ(C.FailedCalls, 0u);
    Check(S.Name);
  }
}
