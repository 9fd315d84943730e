// Golden pictures: the front-end's scenes drawn by the host build must stay
// what they were when last reviewed. After an intended change, rerun with
// ORVANE_UPDATE_GOLDEN=1 and look at the new pictures before committing them.
#include "frontend/scenes.h"
#include "tests/fixture.h"
#include "tests/painter_reference.h"
#include "tests/scene_util.h"

using Golden = DriverTest;

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
    SceneContext C = SceneContextOf(Fw);
    S.Draw(C);
    EXPECT_EQ(C.FailedCalls, 0u);
    ExpectScreenIsGolden(Fw, S.Name);
  }
}
