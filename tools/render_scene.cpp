// Draws the front-end's scenes with the host build of the driver inside the
// simulated firmware, so firmware screenshots can be checked against them.
//
//   render-scene [--out scene.png] [--compare shot.png [--diff diff.png]]
//       the fixed primitive scene; with --compare, counts the pixels whose
//       colour differs from the screenshot and exits 1 when any does
//   render-scene --demo DIR
//       every demo stage, as DIR/host-demo-<stage>.png
//   render-scene --banner
//       the banner's buffer text, escaped as the firmware front-end prints it
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frontend/scenes.h"
#include "sim/sim.h"

namespace {

struct Options {
  std::string Out, Compare, Diff, DemoDir;
  bool Banner = false;
};

bool Parse(int Argc, char **Argv, Options &O) {
  for (int I = 1; I < Argc; I++) {
    std::string A = Argv[I];
    if (A == "--banner") {
      O.Banner = true;
      continue;
    }
    if (I + 1 >= Argc) return false;
    std::string V = Argv[++I];
    if (A == "--out")
      O.Out = V;
    else if (A == "--compare")
      O.Compare = V;
    else if (A == "--diff")
      O.Diff = V;
    else if (A == "--demo")
      O.DemoDir = V;
    else
      return false;
  }
  return true;
}

struct Host {
  sim::Firmware *Fw;
  std::string Dir;
  int Written = 0;
};

void WriteSnapshot(const SceneContext *C, const char *Name) {
  Host *H = static_cast<Host *>(C->Owner);
  std::string Path = H->Dir + "/host-demo-" + Name + ".png";
  if (sim::WritePng(Path, H->Fw->FrameBuffer(), H->Fw->Width(), H->Fw->Height(), H->Fw->Width())) {
    std::printf("%s\n", Path.c_str());
    H->Written++;
  } else {
    std::fprintf(stderr, "cannot write %s\n", Path.c_str());
  }
}

// Colour mismatches between the frame buffer and a screenshot, with a picture
// of them: the reference dimmed, every differing pixel in bright red.
int Compare(sim::Firmware &Fw, const Options &O) {
  std::vector<uint32_t> Shot;
  uint32_t W = 0, H = 0;
  if (!sim::ReadPng(O.Compare, Shot, W, H)) {
    std::fprintf(stderr, "cannot read %s\n", O.Compare.c_str());
    return 2;
  }
  if (W != Fw.Width() || H != Fw.Height()) {
    std::printf("size differs: screenshot %ux%u, scene %ux%u\n", W, H, Fw.Width(), Fw.Height());
    return 1;
  }
  std::vector<uint32_t> Mine = Fw.Snapshot();
  std::vector<ORVANE_PIXEL> Picture(Mine.size());
  uint64_t Mismatches = 0;
  uint32_t Left = W, Top = H, Right = 0, Bottom = 0;
  for (uint32_t Y = 0; Y < H; Y++) {
    for (uint32_t X = 0; X < W; X++) {
      size_t I = (size_t)Y * W + X;
      uint32_t A = Mine[I] & 0x00FFFFFF, B = Shot[I] & 0x00FFFFFF;
      ORVANE_PIXEL &P = Picture[I];
      P = {(uint8_t)((A & 0xFF) / 3), (uint8_t)(((A >> 8) & 0xFF) / 3),
           (uint8_t)(((A >> 16) & 0xFF) / 3), 0};
      if (A != B) {
        if (Mismatches < 10) {
          std::printf("  (%u, %u): host 0x%06X, firmware 0x%06X\n", X, Y, A, B);
        }
        Mismatches++;
        P = {0, 0, 255, 0};
        Left = X < Left ? X : Left;
        Top = Y < Top ? Y : Top;
        Right = X > Right ? X : Right;
        Bottom = Y > Bottom ? Y : Bottom;
      }
    }
  }
  std::printf("mismatches %llu of %u pixels\n", (unsigned long long)Mismatches, W * H);
  if (Mismatches != 0) {
    std::printf("differing area (%u, %u) to (%u, %u)\n", Left, Top, Right, Bottom);
  }
  if (!O.Diff.empty() && Mismatches != 0) {
    sim::WritePng(O.Diff, Picture.data(), W, H, W);
    std::printf("difference picture %s\n", O.Diff.c_str());
  }
  return Mismatches == 0 ? 0 : 1;
}

// The same escaping as the front-end's serial lines.
void PrintBanner(sim::Firmware &Fw) {
  CHAR16 Text[200] = {};
  Fw.BannerProtocol()->Banner(Text);
  std::string Line;
  for (size_t I = 0; I < 200 && Text[I] != 0; I++) {
    CHAR16 Ch = Text[I];
    if (Ch == '\n')
      Line += "\\n";
    else if (Ch == '\r')
      Line += "\\r";
    else
      Line += (Ch >= 0x20 && Ch < 0x7F) ? (char)Ch : '?';
  }
  std::printf("banner \"%s\"\n", Line.c_str());
}

}  // namespace

int main(int Argc, char **Argv) {
  Options O;
  if (!Parse(Argc, Argv, O)) {
    std::fprintf(stderr,
                 "usage: %s [--out scene.png] [--compare shot.png [--diff diff.png]]\n"
                 "       %s --demo DIR\n"
                 "       %s --banner\n",
                 Argv[0], Argv[0], Argv[0]);
    return 2;
  }
  sim::Firmware Fw(2);  // 1024 x 768
  if (Fw.StartDriver() != EFI_SUCCESS || Fw.Ui() == nullptr) {
    std::fprintf(stderr, "the driver did not start\n");
    return 2;
  }
  if (O.Banner) {
    PrintBanner(Fw);
    return 0;
  }
  Host H{&Fw, O.DemoDir};
  SceneContext C = {Fw.Ui(),
                    Fw.BannerProtocol(),
                    Fw.SystemTable()->BootServices,
                    Fw.Gop(),
                    O.DemoDir.empty() ? nullptr : WriteSnapshot,
                    nullptr,
                    &H,
                    0,
                    0,
                    nullptr,
                    0};

  if (!O.DemoDir.empty()) {
    RunDemo(C);
  } else {
    DrawPrimitiveScene(C);
  }
  std::printf("%zu toolkit calls, %zu failed", C.Calls, C.FailedCalls);
  if (C.FailedCalls != 0) {
    std::printf(", first %s with 0x%zx", C.FirstFailedCall, C.FirstFailedStatus);
  }
  std::printf("\n");
  // Every scene hands back all the pool memory it took.
  if (Fw.LiveAllocations() != 0) {
    std::fprintf(stderr, "%zu pool allocations left behind\n", Fw.LiveAllocations());
    return 2;
  }
  if (!O.Out.empty() &&
      !sim::WritePng(O.Out, Fw.FrameBuffer(), Fw.Width(), Fw.Height(), Fw.Width())) {
    std::fprintf(stderr, "cannot write %s\n", O.Out.c_str());
    return 2;
  }
  if (!O.Compare.empty()) {
    return Compare(Fw, O);
  }
  return 0;
}
