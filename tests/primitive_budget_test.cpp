// What the primitives cost in trips to the firmware: screen transfers (Blt)
// and float-service calls of one representative call of each operation, held
// to budgets, and the one-read-back composition of screen circles, triangles
// and transparent text, which must leave the screen exactly as the per-pixel
// versions do, with memory or without.
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "raster/transition.h"
#include "tests/fixture.h"
#include "tests/raster_reference.h"

using rastertest::FirstDifference;
using rastertest::RandomColor;

namespace {

class PrimitiveBudget : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    Saved = TransitionPauseIterations;
    TransitionPauseIterations = 0;
  }
  void TearDown() override {
    TransitionPauseIterations = Saved;
    DriverTest::TearDown();
  }
  UINT32 Saved = 0;
};

struct Budget {
  const char *What;
  uint64_t Blt, Float;
  std::function<void()> Call;
};

}  // namespace

TEST_F(PrimitiveBudget, EachOperationStaysWithinItsTransfersAndFloatCalls) {
  std::vector<ORVANE_PIXEL> Buffer(256 * 256), Image(1024 * 768);
  ORVANE_PIXEL *B = Buffer.data();
  ORVANE_PIXEL Back = PixelFromColor(0x00000040);
  ORVANE_PIXEL *Screen = nullptr;
  UINT32 Width = 0, Height = 0;
  const UINT32 C1 = 0x00C03010, C2 = 0x002080F0;
  const Budget Budgets[] = {
      {"33 StringLength", 0, 0, [&] { Ui->StringLength(W("Orvane")); }},
      {"34 SetFrameBufferCapture", 0, 0, [&] { Ui->SetFrameBufferCapture(0); }},
      {"35 SetVideoMode", 0, 0, [&] { Ui->SetVideoMode(1024, 768); }},
      {"36 DrawPoint, 9 x 9 pen", 13, 0, [&] { Ui->DrawPoint(nullptr, 0, 0, 500, 400, 5, C1); }},
      {"37 DrawLine, 200 x 121", 240, 9,
       [&] { Ui->DrawLine(nullptr, 0, 0, 10, 10, 209, 130, 1, C1); }},
      {"37 DrawLine, buffer", 0, 9, [&] { Ui->DrawLine(B, 256, 256, 10, 10, 209, 130, 1, C1); }},
      {"38 DrawCircle, radial", 2, 13,
       [&] { Ui->DrawCircle(nullptr, 0, 0, 120, 120, 100, 2, 2, C1, C2); }},
      {"38 DrawCircle, disc", 2, 0,
       [&] { Ui->DrawCircle(nullptr, 0, 0, 120, 120, 100, 2, 1, C1, C2); }},
      {"39 DrawRectangle, solid", 1, 0,
       [&] { Ui->DrawRectangle(nullptr, 0, 0, 20, 20, 200, 200, 1, 1, C1, C2); }},
      {"39 DrawRectangle, solid, 9 x 9 pen, partly off", 1, 0,
       [&] { Ui->DrawRectangle(nullptr, 0, 0, -30, -30, 200, 200, 5, 1, C1, C2); }},
      {"39 DrawRectangle, dotted", 1, 0,
       [&] { Ui->DrawRectangle(nullptr, 0, 0, 20, 20, 200, 200, 1, 6, C1, C2); }},
      {"39 DrawRectangle, columns", 1, 13,
       [&] { Ui->DrawRectangle(nullptr, 0, 0, 20, 20, 200, 200, 1, 2, C1, C2); }},
      {"39 DrawRectangle, outline", 4, 0,
       [&] { Ui->DrawRectangle(nullptr, 0, 0, 20, 20, 200, 200, 1, 0, C1, C2); }},
      {"40 DrawTriangle, solid", 2, 27,
       [&] { Ui->DrawTriangle(nullptr, 0, 0, 20, 20, 219, 70, 90, 219, 1, 1, C1, C2); }},
      {"40 DrawTriangle, columns", 2, 40,
       [&] { Ui->DrawTriangle(nullptr, 0, 0, 20, 20, 219, 70, 90, 219, 1, 2, C1, C2); }},
      {"41 DrawRegularPolygon, hexagon", 260, 138,
       [&] { Ui->DrawRegularPolygon(nullptr, 0, 0, 300, 300, 6, 90, 1, C1); }},
      {"42 BlitToScreen", 1, 0, [&] { Ui->BlitToScreen(Image.data(), 1024, 768, 0, 0); }},
      {"43 ClearBuffer", 0, 0, [&] { Ui->ClearBuffer(B, 256, 256); }},
      {"44 DrawText, opaque", 1, 0,
       [&] {
         Ui->DrawText(0x00FFFFFF, &Back, 1000, 10, 10, W("%s"),
                      W("The quick brown fox jumps over a lazy do"));
       }},
      {"44 DrawText, transparent", 2, 0,
       [&] {
         Ui->DrawText(0x00FFFFFF, nullptr, 1000, 10, 10, W("%s"),
                      W("The quick brown fox jumps over a lazy do"));
       }},
      {"44 DrawText, transparent 2x", 2, 0,
       [&] {
         Ui->DrawText(0x00FFFFFF, nullptr, 2000, 10, 10, W("%s"),
                      W("The quick brown fox jumps over a lazy do"));
       }},
      {"45 RenderText", 0, 0,
       [&] {
         TextImage T = {0x00FFFFFF, 0x40, 0, 0, nullptr};
         Ui->RenderText(1000, &T, W("The quick brown fox"));
         Fw.SystemTable()->BootServices->FreePool(T.Bitmap);
       }},
      {"46 CaptureScreen", 1, 0, [&] { Ui->CaptureScreen(&Screen, &Width, &Height); }},
      {"47 DimCapturedScreen", 1, 3, [&] { Ui->DimCapturedScreen(5); }},
      {"48 RestoreCapturedScreen", 1, 0, [&] { Ui->RestoreCapturedScreen(); }},
      {"49 ReleaseCapturedScreen", 0, 0, [&] { Ui->ReleaseCapturedScreen(); }},
      {"50 WipeTransition", 51 * 51, 0, [&] { Ui->WipeTransition(Image.data(), 1024, 768, 0, 0); }},
      {"51 DissolveTransition", 51 * 51, 0,
       [&] { Ui->DissolveTransition(Image.data(), 1024, 768, 0, 0); }},
      {"banner", 4, 0, [&] { Fw.BannerProtocol()->Banner(nullptr); }},
  };
  for (const Budget &Each : Budgets) {
    sim::ResetStats();
    Each.Call();
    const uint64_t Blt = sim::Stats().BltCalls, Float = sim::Stats().FloatCalls;
    EXPECT_LE(Blt, Each.Blt) << Each.What;
    EXPECT_LE(Float, Each.Float) << Each.What;
    std::printf("%-34s %6llu Blt %5llu float\n", Each.What, (unsigned long long)Blt,
                (unsigned long long)Float);
  }
}

// A screen circle, triangle or line of transparent text reads back what lies
// under it and sends it once: two transfers, or one when the frame buffer is
// read instead. Off the screen in part or whole, and without memory for the
// read-back (then run by run), the screen ends exactly as the plain version leaves it.
TEST_F(PrimitiveBudget, ScreenShapesAreOneReadBackAndOneTransfer) {
  std::mt19937 Rng(61);
  const INT32 SW = (INT32)Fw.Width(), SH = (INT32)Fw.Height();
  for (int N = 0; N < 40; N++) {
    const bool Circle = N % 2 == 0;
    const INT32 Cx = (INT32)(Rng() % (SW + 200)) - 100, Cy = (INT32)(Rng() % (SH + 200)) - 100;
    const INT32 R = 1 + Rng() % 120, Pen = Rng() % 6, Fill = (INT32)(Rng() % 8);
    const UINT32 C1 = RandomColor(Rng), C2 = RandomColor(Rng);
    UINT32 P[6];
    for (int I = 0; I < 6; I++) {
      const INT32 V = (I % 2 ? Cy : Cx) + (INT32)(Rng() % 241) - 120;
      P[I] = (UINT32)(V < 0 ? 0 : V);  // corners read as unsigned: keep them near the screen
    }
    auto Draw = [&](bool Plain) {
      if (Circle && Plain) {
        ref::DrawCircle(nullptr, 0, 0, Cx, Cy, R, Pen, Fill, C1, C2);
      } else if (Circle) {
        Ui->DrawCircle(nullptr, 0, 0, Cx, Cy, R, Pen, Fill, C1, C2);
      } else if (Plain) {
        ref::DrawTriangle(nullptr, 0, 0, P[0], P[1], P[2], P[3], P[4], P[5], Pen, Fill, C1, C2);
      } else {
        Ui->DrawTriangle(nullptr, 0, 0, P[0], P[1], P[2], P[3], P[4], P[5], Pen, Fill, C1, C2);
      }
    };
    Fw.FillScreen(0x00314159);
    Draw(true);
    const std::vector<uint32_t> Want = Fw.Snapshot();
    for (int Way = 0; Way < 3; Way++) {  // Blt read-back, frame-buffer read-back, no memory
      Fw.FillScreen(0x00314159);
      Ui->SetFrameBufferCapture(Way == 1);
      Fw.FailAllocation(Way == 2 ? 0 : -1);
      sim::ResetStats();
      Draw(false);
      Fw.FailAllocation(-1);
      const std::vector<uint32_t> Got = Fw.Snapshot();
      ASSERT_EQ(Got, Want) << FirstDifference(Got, Want, SW) << (Circle ? " circle" : " triangle")
                           << " way " << Way << " fill " << Fill;
      if (Way < 2) {
        ASSERT_LE(sim::Stats().BltCalls, Way == 0 ? 2u : 1u) << "way " << Way;
        ASSERT_EQ(sim::Stats().BltByOperation[EfiBltVideoToBltBuffer],
                  sim::Stats().BltCalls > 0 && Way == 0 ? 1u : 0u);
      }
    }
    Ui->SetFrameBufferCapture(0);
  }
}

TEST_F(PrimitiveBudget, TransparentTextIsOneReadBackAndOneTransfer) {
  const CHAR16 *Text = W("Orvane: transparent text, one transfer");
  for (const INT32 X : {10, (INT32)Fw.Width() - 100, (INT32)Fw.Width() + 5}) {
    Fw.FillScreen(0x00203040);
    Ui->SetFrameBufferCapture(0);
    Fw.FailAllocation(5);  // the read-back buffer: the runs go one by one
    ASSERT_EQ(Ui->DrawText(0x00FFFF00, nullptr, 1500, (UINT16)X, (UINT16)(Fw.Height() - 20),
                           W("%s"), Text),
              0u);
    Fw.FailAllocation(-1);
    const std::vector<uint32_t> Want = Fw.Snapshot();
    for (BOOLEAN FrameBuffer : {0, 1}) {
      Fw.FillScreen(0x00203040);
      Ui->SetFrameBufferCapture(FrameBuffer);
      sim::ResetStats();
      ASSERT_EQ(Ui->DrawText(0x00FFFF00, nullptr, 1500, (UINT16)X, (UINT16)(Fw.Height() - 20),
                             W("%s"), Text),
                0u);
      EXPECT_EQ(Fw.Snapshot(), Want) << "x " << X;
      const bool Shown = X < (INT32)Fw.Width();
      EXPECT_EQ(sim::Stats().BltCalls, Shown ? (FrameBuffer ? 1u : 2u) : 0u) << "x " << X;
    }
  }
}
