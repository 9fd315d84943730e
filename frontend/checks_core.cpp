// The firmware checks of the driver frame, the primitives, text and the
// screen operations, run in OVMF by the front-end.
#include "frontend/checks.h"

namespace {

// Pixels of pen Style at offset (DX, DY) from its centre.
bool InPen(INT32 Style, INT32 DX, INT32 DY) {
  INT32 AX = DX < 0 ? -DX : DX, AY = DY < 0 ? -DY : DY;
  switch (Style) {
    case 2: return (AX == 0 && AY <= 1) || (AY == 0 && AX <= 1);
    case 3: return AX <= 1 && AY <= 1;
    case 4: return (AX <= 2 && AY <= 2) || (AX <= 1 && AY == 3) || (AY <= 1 && AX == 3);
    case 5: return (AX <= 3 && AY <= 3) || (AX <= 1 && AY == 4) || (AY <= 1 && AX == 4);
    default: return AX == 0 && AY == 0;
  }
}

}  // namespace

void StringLengthCheck(const SceneContext &C) {
  UINT32 A = C.Ui->StringLength(W("orvane setup"));
  UINT32 B = C.Ui->StringLength(W(""));
  Line D;
  D.Text("lengths ").Dec(A).Text(" and ").Dec(B).Text(", expected 12 and 0");
  Report("string-length", A == 12 && B == 0, D);
}

void CaptureFlagCheck(const SceneContext &C) {
  BOOLEAN On = C.Ui->SetFrameBufferCapture(1);
  BOOLEAN Off = C.Ui->SetFrameBufferCapture(0);
  Line D;
  D.Text("returned ").Dec(On).Text(" and ").Dec(Off);
  Report("frame-buffer-capture", On == 1 && Off == 0, D);
}

void VideoModeCheck(const SceneContext &C) {
  EFI_STATUS Set = C.Ui->SetVideoMode(1024, 768);
  UINT32 W1 = C.Gop->Mode->Info->HorizontalResolution;
  UINT32 H1 = C.Gop->Mode->Info->VerticalResolution;
  EFI_STATUS Absurd = C.Ui->SetVideoMode(12345, 678);
  UINT32 W2 = C.Gop->Mode->Info->HorizontalResolution;
  Line D;
  D.Text("1024x768 gave ").Hex(Set).Text(" and mode ").Dec(W1).Text("x").Dec(H1);
  D.Text("; 12345x678 gave ").Hex(Absurd).Text(" width after ").Dec(W2);
  Report("video-mode",
         Set == EFI_SUCCESS && W1 == 1024 && H1 == 768 && Absurd == EFI_UNSUPPORTED && W2 == 1024,
         D);
}

namespace {

// Compares an 11 x 11 area centred on a pen stamp with the pen's pixel set.
bool PenMatches(const ORVANE_PIXEL *Area, INT32 Style, UINT32 Color, UINT32 Back, UINTN &Count) {
  Count = 0;
  bool Exact = true;
  for (INT32 Y = 0; Y < 11; Y++) {
    for (INT32 X = 0; X < 11; X++) {
      UINT32 Got = ColorOf(Area[Y * 11 + X]);
      bool Want = InPen(Style, X - 5, Y - 5);
      Count += Got == Color;
      Exact &= Got == (Want ? Color : Back);
    }
  }
  return Exact;
}

}  // namespace

void PenChecks(const SceneContext &C) {
  constexpr UINTN Expected[7] = {1, 1, 5, 9, 37, 61, 1};
  ORVANE_PIXEL Area[121];
  const UINT32 Color = 0x00ABCDEF, Back = 0x00102030;
  bool ScreenOk = true, BufferOk = true;
  Line DS, DB;
  DS.Text("counts");
  DB.Text("counts");
  for (INT32 S = 0; S <= 6; S++) {
    FillScreenRect(C, 200, 300, 11, 11, Back);
    C.Ui->DrawPoint(nullptr, 0, 0, 205, 305, S, Color);
    UINTN Count = 0;
    bool Ok = ReadScreen(C, Area, 200, 300, 11, 11) && PenMatches(Area, S, Color, Back, Count);
    ScreenOk &= Ok && Count == Expected[S];
    DS.Text(" ").Dec((INT64)Count);

    for (ORVANE_PIXEL &P : Area) P = {0x30, 0x20, 0x10, 0};
    C.Ui->DrawPoint(Area, 11, 11, 5, 5, S, Color);
    Ok = PenMatches(Area, S, Color, Back, Count);
    BufferOk &= Ok && Count == Expected[S];
    DB.Text(" ").Dec((INT64)Count);
  }
  DS.Text(", expected 1 1 5 9 37 61 1 in the pen shapes");
  DB.Text(", expected 1 1 5 9 37 61 1 in the pen shapes");
  Report("pens-screen", ScreenOk, DS);
  Report("pens-buffer", BufferOk, DB);
}

void ClearBufferCheck(const SceneContext &C) {
  ORVANE_PIXEL Pixels[16];
  for (ORVANE_PIXEL &P : Pixels) P = {0xFF, 0xFF, 0xFF, 0xFF};
  C.Ui->ClearBuffer(Pixels, 4, 3);
  C.Ui->ClearBuffer(Pixels, 0, 5);
  UINTN Zero = 0, Kept = 0;
  for (UINTN I = 0; I < 16; I++) {
    UINT32 V = ColorOf(Pixels[I]) | ((UINT32)Pixels[I].Reserved << 24);
    Zero += I < 12 && V == 0;
    Kept += I >= 12 && V == 0xFFFFFFFF;
  }
  Line D;
  D.Text("cleared ").Dec((INT64)Zero).Text(" of 12, kept ").Dec((INT64)Kept).Text(" of 4");
  Report("clear-buffer", Zero == 12 && Kept == 4, D);
}

void BlitPositionCheck(const SceneContext &C) {
  ORVANE_PIXEL Source[50];
  for (UINT32 I = 0; I < 50; I++) {
    Source[I] = {(UINT8)(I * 5), (UINT8)(255 - I), (UINT8)(I * 3 + 1), 0};
  }
  const UINT32 Back = 0x00202020;
  FillScreenRect(C, 98, 48, 14, 9, Back);
  C.Ui->BlitToScreen(Source, 10, 5, 100, 50);
  ORVANE_PIXEL Area[14 * 9];
  UINTN Wrong = ReadScreen(C, Area, 98, 48, 14, 9) ? 0 : 126;
  for (INT32 Y = 0; Y < 9 && Wrong == 0; Y++) {
    for (INT32 X = 0; X < 14; X++) {
      bool Inside = X >= 2 && X < 12 && Y >= 2 && Y < 7;
      UINT32 Want = Inside ? ColorOf(Source[(Y - 2) * 10 + (X - 2)]) : Back;
      Wrong += ColorOf(Area[Y * 14 + X]) != Want;
    }
  }
  Line D;
  D.Dec((INT64)Wrong).Text(" pixels differ around a 10x5 transfer to (100, 50)");
  Report("blit-position", Wrong == 0, D);
}

void BannerTextCheck(const SceneContext &C) {
  CHAR16 Text[200];
  for (CHAR16 &Ch : Text) Ch = 0x2A2A;
  CHAR16 *Returned = C.Banner->Banner(Text);
  const char *Head = "ORVANE PROTOCOL\nVersion OrvaneUI_m019\n";
  UINTN Length = 0;
  while (Length < 200 && Text[Length] != 0) Length++;
  bool HeadOk = true;
  UINTN HeadLength = 0, FirstDiff = 0;
  for (; Head[HeadLength] != 0; HeadLength++) {
    bool Same = HeadLength < Length && Text[HeadLength] == (CHAR16)Head[HeadLength];
    if (!Same && HeadOk) FirstDiff = HeadLength;
    HeadOk &= Same;
  }
  UINTN Newlines = 0, LastBreak = 0;
  for (UINTN I = 0; I < Length; I++) {
    if (Text[I] == '\n') {
      Newlines++;
      LastBreak = I;
    }
  }
  bool Untouched = true;
  for (UINTN I = 125; I < 200; I++) Untouched &= Text[I] == 0x2A2A;
  bool Ok = Returned == Text && HeadOk && Length <= 124 && Newlines == 3 &&
            Text[Length - 1] != '\n' && LastBreak > HeadLength && Untouched;
  if (Length < 200) {
    Line().Text("INFO banner \"").Text(Text).Text("\"").Emit();
  }
  Line D;
  D.Text("returned ").Text(Returned == Text ? "the buffer" : "another pointer");
  D.Text(", length ").Dec((INT64)Length).Text(", lines ").Dec((INT64)Newlines + 1);
  if (HeadOk) {
    D.Text(", head ok");
  } else {
    D.Text(", head differs at ").Dec((INT64)FirstDiff).Text(": code ").Hex(Text[FirstDiff]);
  }
  D.Text(Untouched ? "" : ", wrote past 125 characters");
  Report("banner-text", Ok, D);
}

void BannerScreenCheck(const SceneContext &C) {
  const UINT32 Back = 0x00405060;
  FillScreenRect(C, 0, 0, 400, 110, Back);
  CHAR16 *Returned = C.Banner->Banner(nullptr);
  // Lines are opaque, white on 0x002041, 19 rows high at y = 20, 40, 60, 80.
  ORVANE_PIXEL Row[400];
  UINTN Wrong = 0;
  Line D;
  for (UINT32 Y = 0; Y < 110; Y++) {
    if (!ReadScreen(C, Row, 0, Y, 400, 1)) {
      Wrong++;
      continue;
    }
    bool InLine = Y >= 20 && Y < 99 && (Y - 20) % 20 != 19;
    UINTN Fore = 0, Cell = 0, Old = 0;
    for (UINT32 X = 0; X < 400; X++) {
      UINT32 V = ColorOf(Row[X]);
      Fore += V == 0x00FFFFFF;
      Cell += V == 0x00002041;
      Old += V == Back;
    }
    // In a line row the text starts at x = 0 with its cell colour; elsewhere nothing changes.
    bool Ok =
        InLine ? (ColorOf(Row[0]) != Back && Fore + Cell + Old == 400 && Cell > 0) : Old == 400;
    if (!Ok && Wrong++ == 0) {
      D.Text("first wrong row ").Dec(Y).Text(": ").Dec((INT64)Fore).Text(" white, ");
      D.Dec((INT64)Cell).Text(" cell, ").Dec((INT64)Old).Text(" untouched");
    }
  }
  if (Wrong == 0) D.Text("four opaque lines at rows 20, 40, 60 and 80, nothing else touched");
  if (Returned != nullptr) D.Text("; returned a pointer");
  Report("banner-screen", Wrong == 0 && Returned == nullptr, D);
}

void RenderTextCheck(const SceneContext &C) {
  constexpr Milli Scales[3] = {1000, 1500, 2000};
  constexpr UINT32 Widths[3] = {72, 108, 144}, Heights[3] = {19, 28, 38};
  bool Ok = true;
  Line D;
  for (int I = 0; I < 3; I++) {
    TextImage Image = {0x00FFFFFF, 0x00000000, 0, 0, nullptr};
    UINTN Status = C.Ui->RenderText(Scales[I], &Image, W("Orvane 42"));
    UINTN Fore = 0;
    if (Status == 0 && Image.Bitmap != nullptr) {
      for (UINTN P = 0; P < (UINTN)Image.Width * Image.Height; P++) {
        Fore += ColorOf(Image.Bitmap[P]) == 0x00FFFFFF;
      }
      FreePixels(C, Image.Bitmap);
    }
    bool Good = Status == 0 && Image.Width == Widths[I] && Image.Height == Heights[I] && Fore > 0 &&
                Fore < (UINTN)Image.Width * Image.Height;
    Ok &= Good;
    D.Text(I ? "; " : "").Text("scale ").Dec(Scales[I]).Text(": status ").Hex(Status);
    D.Text(" ").Dec(Image.Width).Text("x").Dec(Image.Height).Text(" (want ");
    D.Dec(Widths[I]).Text("x").Dec(Heights[I]).Text(") glyph pixels ").Dec((INT64)Fore);
  }
  // A record pointer of NULL is refused.
  UINTN Null = C.Ui->RenderText(1000, nullptr, W("x"));
  D.Text("; NULL record ").Hex(Null);
  Report("render-text-size", Ok && Null == 1, D);
}

// A text longer than the font service's image wraps; only its first line is kept.
// OVMF's image is 800 pixels wide and breaks after the last whole word that fits:
// thirteen "orvane " and one "orvane", 97 cells of 8 pixels.
void RenderTextWrapCheck(const SceneContext &C) {
  CHAR16 Long[121];
  const char *Word = "orvane ";
  for (UINTN I = 0; I < 120; I++) Long[I] = (CHAR16)Word[I % 7];
  Long[120] = 0;
  TextImage Image = {0x00FFFFFF, 0x00000000, 0, 0, nullptr};
  UINTN Status = C.Ui->RenderText(1000, &Image, Long);
  if (Image.Bitmap != nullptr) FreePixels(C, Image.Bitmap);
  Line D;
  D.Text("status ").Hex(Status).Text(", ").Dec(Image.Width).Text("x").Dec(Image.Height);
  D.Text(" for 120 characters");
  D.Text(", expected 776x19");
  Report("render-text-wrap", Status == 0 && Image.Height == 19 && Image.Width == 776, D);
}

void OpaqueTextCheck(const SceneContext &C) {
  const UINT32 Old = 0x00406080, Fore = 0x00FFFF00;
  ORVANE_PIXEL Back = {0x40, 0x10, 0x80, 0};  // 0x00801040
  FillScreenRect(C, 300, 400, 200, 60, Old);
  UINTN Status = C.Ui->DrawText(Fore, &Back, 2000, 310, 410, W("Opq %d"), 7);
  // "Opq 7" is 5 cells: 80 x 38 at scale 2; the rest of the area keeps its colour.
  UINTN F = 0, B = 0, Other = 0, OF = 0, OB = 0, Outside = 0;
  bool Read = Census(C, 310, 410, 80, 38, Fore, 0x00801040, F, B, Other) &&
              Census(C, 300, 400, 200, 60, Old, Old, Outside, OB, OF);
  bool Ok = Read && Status == 0 && Other == 0 && F > 0 && B > 0 && Outside == 12000 - 80 * 38;
  Line D;
  D.Text("status ").Hex(Status).Text(", in the text cell ").Dec((INT64)F).Text(" glyph ");
  D.Dec((INT64)B).Text(" cell ").Dec((INT64)Other).Text(" other; untouched around ");
  D.Dec((INT64)Outside).Text(" of ").Dec(12000 - 80 * 38);
  Report("opaque-text", Ok, D);
}

void TransparentTextCheck(const SceneContext &C) {
  const UINT32 Old = 0x00336699, Fore = 0x00FFEE00;
  bool Ok = true;
  Line D;
  constexpr Milli Scales[2] = {1000, 1500};
  for (int I = 0; I < 2; I++) {
    FillScreenRect(C, 300, 400, 200, 40, Old);
    UINTN Status = C.Ui->DrawText(Fore, nullptr, Scales[I], 305, 405, W("Hi %d"), 42);
    UINTN F = 0, B = 0, Other = 0;
    bool Read = Census(C, 300, 400, 200, 40, Fore, Old, F, B, Other);
    Ok &= Read && Status == 0 && Other == 0 && F > 0 && B > 0;
    D.Text(I ? "; " : "").Text("scale ").Dec(Scales[I]).Text(" status ").Hex(Status);
    D.Text(": glyph ").Dec((INT64)F).Text(" old ").Dec((INT64)B);
    D.Text(" other ").Dec((INT64)Other);
  }
  // Black text draws only its black pixels; the substitute background never shows.
  FillScreenRect(C, 300, 400, 200, 40, Old);
  UINTN Status = C.Ui->DrawText(0x00000000, nullptr, 1000, 305, 405, W("Black"));
  UINTN F = 0, B = 0, Other = 0;
  bool Read = Census(C, 300, 400, 200, 40, 0x00000000, Old, F, B, Other);
  Ok &= Read && Status == 0 && Other == 0 && F > 0 && B > 0;
  D.Text("; black: glyph ").Dec((INT64)F).Text(" old ").Dec((INT64)B);
  D.Text(" other ").Dec((INT64)Other);
  Report("transparent-text", Ok, D);
}

// Opaque text is one transfer of its whole bitmap: where it does not fit on
// the mode nothing is shown and the answer is 5. Transparent text at the same
// place shows the glyph pixels that lie on the screen.
void OpaqueTextFitCheck(const SceneContext &C) {
  const UINT32 Old = 0x00203040, Fore = 0x00FFFFFF;
  ORVANE_PIXEL Back = {0x00, 0x00, 0x80, 0};  // 0x00800000
  FillScreenRect(C, 964, 700, 60, 68, Old);
  UINTN Right = C.Ui->DrawText(Fore, &Back, 1000, 1000, 710, W("Edge"));
  UINTN Bottom = C.Ui->DrawText(Fore, &Back, 2000, 970, 740, W("x"));
  UINTN Untouched = 0, White = 0, Other = 0;
  bool Read = Census(C, 964, 700, 60, 68, Old, Fore, Untouched, White, Other);
  UINTN Transparent = C.Ui->DrawText(Fore, nullptr, 1000, 1000, 710, W("Edge"));
  UINTN Glyph = 0, Kept = 0, Stray = 0;
  Read = Read && Census(C, 1000, 710, 24, 19, Fore, Old, Glyph, Kept, Stray);
  bool Ok = Read && Right == 5 && Bottom == 5 && Untouched == 60 * 68 && Transparent == 0 &&
            Glyph > 0 && Kept > 0 && Stray == 0;
  Line D;
  D.Text("past the right edge ").Hex(Right).Text(", past the bottom ").Hex(Bottom);
  D.Text(", untouched ").Dec((INT64)Untouched).Text(" of ").Dec(60 * 68);
  D.Text("; transparent ").Hex(Transparent).Text(" with ").Dec((INT64)Glyph);
  D.Text(" glyph pixels on screen, ").Dec((INT64)Stray).Text(" other");
  Report("opaque-text-fit", Ok, D);
}

namespace {

// Paints four bands of known colours over the whole screen.
void PaintBands(const SceneContext &C) {
  constexpr UINT32 Bands[4] = {0x00FF8040, 0x00010203, 0x00FFFFFF, 0x00807F7E};
  for (UINT32 I = 0; I < 4; I++) FillScreenRect(C, 0, I * 192, 1024, 192, Bands[I]);
}

// Compares the screen with Expected (1024 x 768), after applying Shift to every channel.
UINTN ScreenDiffers(const SceneContext &C, const ORVANE_PIXEL *Expected, UINT32 Shift) {
  ORVANE_PIXEL Row[1024];
  UINTN Wrong = 0;
  for (UINT32 Y = 0; Y < 768; Y++) {
    if (!ReadScreen(C, Row, 0, Y, 1024, 1)) return 1024 * 768;
    for (UINT32 X = 0; X < 1024; X++) {
      const ORVANE_PIXEL &E = Expected[Y * 1024 + X];
      Wrong += Row[X].Red != (E.Red >> Shift) || Row[X].Green != (E.Green >> Shift) ||
               Row[X].Blue != (E.Blue >> Shift);
    }
  }
  return Wrong;
}

}  // namespace

void CaptureChecks(const SceneContext &C) {
  PaintBands(C);
  for (INT32 K = 0; K < 20; K++) {
    C.Ui->DrawPoint(nullptr, 0, 0, 50 + K * 47, 100 + K * 29, 1 + K % 5, K * 0x0A0B0C);
  }
  ORVANE_PIXEL *Screen = nullptr;
  UINT32 W = 0, H = 0;
  UINTN Status = C.Ui->CaptureScreen(&Screen, &W, &H);
  bool Captured = Status == 0 && Screen != nullptr && W == 1024 && H == 768;
  UINTN Wrong = Captured ? ScreenDiffers(C, Screen, 0) : 1;
  Line D;
  D.Text("status ").Hex(Status).Text(", ").Dec(W).Text("x").Dec(H).Text(", ");
  D.Dec((INT64)Wrong).Text(" pixels differ from the screen");
  Report("capture-screen", Captured && Wrong == 0, D);
  if (!Captured) {
    return;
  }

  ORVANE_PIXEL *Again = Screen;
  UINTN Status2 = C.Ui->CaptureScreen(&Again, &W, &H);
  Line D2;
  D2.Text("status ").Hex(Status2).Text(Again == Screen ? ", same buffer" : ", another buffer");
  Report("capture-again", Status2 == 0 && Again == Screen, D2);

  // Level 5 halves every channel exactly; 0 and 10 change nothing.
  C.Ui->DimCapturedScreen(5);
  UINTN Dimmed = ScreenDiffers(C, Screen, 1);
  C.Ui->DimCapturedScreen(0);
  C.Ui->DimCapturedScreen(10);
  UINTN Kept = ScreenDiffers(C, Screen, 1);
  Line D3;
  D3.Text("level 5: ").Dec((INT64)Dimmed).Text(" pixels not halved; after levels 0 and 10: ");
  D3.Dec((INT64)Kept);
  Report("dim-captured-screen", Dimmed == 0 && Kept == 0, D3);

  C.Ui->RestoreCapturedScreen();
  UINTN Restored = ScreenDiffers(C, Screen, 0);
  Line D4;
  D4.Dec((INT64)Restored).Text(" pixels differ after restore");
  Report("restore-captured-screen", Restored == 0, D4);

  UINTN R1 = C.Ui->ReleaseCapturedScreen();
  UINTN R2 = C.Ui->ReleaseCapturedScreen();

  // The frame-buffer path reads the same picture straight from video memory.
  C.Ui->SetFrameBufferCapture(1);
  ORVANE_PIXEL *Direct = nullptr;
  UINTN Status3 = C.Ui->CaptureScreen(&Direct, &W, &H);
  UINTN DirectWrong = Status3 == 0 && Direct != nullptr ? ScreenDiffers(C, Direct, 0) : 1;
  C.Ui->ReleaseCapturedScreen();
  C.Ui->SetFrameBufferCapture(0);
  Line D5;
  D5.Text("release ").Hex(R1).Text(" then ").Hex(R2).Text("; frame-buffer capture status ");
  D5.Hex(Status3).Text(", ").Dec((INT64)DirectWrong).Text(" pixels differ");
  Report("capture-frame-buffer", R1 == 0 && R2 == 0 && Status3 == 0 && DirectWrong == 0, D5);
}

// In a mode smaller than 1024 x 768 the frame-buffer capture reads the frame
// buffer at the mode's scan line (by Blt where there is none) and gives the
// whole screen. Video memory past the frame buffer's end, where there is a
// frame buffer, is painted magenta here, so a pixel read from there shows up
// as a colour other than the fill (pixels left out read as 0).
// Afterwards the screen returns to 1024 x 768.
void SmallModeCaptureCheck(const SceneContext &C) {
  const UINT32 Fill = 0x00405060;
  EFI_STATUS Set = C.Ui->SetVideoMode(800, 600);
  UINTN Status = ~(UINTN)0, Filled = 0, Zero = 0, Other = 0;
  UINTN End = C.Gop->Mode->FrameBufferSize / sizeof(ORVANE_PIXEL);
  UINT32 W = 0, H = 0;
  if (Set == EFI_SUCCESS) {
    FillScreen(C, Fill);
    // The display's memory reaches well past 1024 x 768 pixels.
    UINT32 *Video = (UINT32 *)(UINTN)C.Gop->Mode->FrameBufferBase;
    for (UINTN I = End; Video != nullptr && I < 1024 * 768; I++) Video[I] = 0x00FF00FF;
    C.Ui->SetFrameBufferCapture(1);
    ORVANE_PIXEL *Screen = nullptr;
    Status = C.Ui->CaptureScreen(&Screen, &W, &H);
    for (UINTN I = 0; Status == 0 && Screen != nullptr && I < (UINTN)W * H; I++) {
      UINT32 V = ColorOf(Screen[I]);
      if (V == Fill)
        Filled++;
      else if (V == 0)
        Zero++;
      else
        Other++;
    }
    C.Ui->ReleaseCapturedScreen();
    C.Ui->SetFrameBufferCapture(0);
  }
  EFI_STATUS Back = C.Ui->SetVideoMode(1024, 768);
  Line D;
  D.Text("800x600 gave ").Hex(Set).Text(" with a frame buffer of ").Dec((INT64)End);
  D.Text(" pixels, capture ").Hex(Status).Text(" at ").Dec(W);
  D.Text("x").Dec(H).Text(": ").Dec((INT64)Filled).Text(" fill, ").Dec((INT64)Zero);
  D.Text(" left out, ").Dec((INT64)Other).Text(" from past the frame buffer");
  D.Text("; back to 1024x768 gave ").Hex(Back);
  Report("capture-small-mode",
         Set == EFI_SUCCESS && Status == 0 && W == 800 && H == 600 && Filled == (UINTN)W * H &&
             Back == EFI_SUCCESS,
         D);
}

namespace {

// A 102 x 51 image has 2 x 1 blocks; it must land exactly, the rest untouched.
void TransitionCheck(const SceneContext &C, const char *Name, bool Dissolve) {
  constexpr UINT32 IW = 102, IH = 51, X = 700, Y = 600;
  ORVANE_PIXEL *Image = AllocPixels(C, IW * IH);
  if (Image == nullptr) {
    Line D;
    D.Text("no memory");
    Report(Name, false, D);
    return;
  }
  for (UINT32 I = 0; I < IW * IH; I++) {
    Image[I] = {(UINT8)(I * 7), (UINT8)(I >> 3), (UINT8)(Dissolve ? 200 : 20), 0};
  }
  const UINT32 Old = 0x00334455;
  FillScreenRect(C, X - 2, Y - 2, IW + 4, IH + 4, Old);
  UINTN Status = Dissolve ? C.Ui->DissolveTransition(Image, IW, IH, X, Y)
                          : C.Ui->WipeTransition(Image, IW, IH, X, Y);
  ORVANE_PIXEL Row[IW + 4];
  UINTN Wrong = 0;
  for (UINT32 R = 0; R < IH + 4; R++) {
    if (!ReadScreen(C, Row, X - 2, Y - 2 + R, IW + 4, 1)) {
      Wrong += IW + 4;
      continue;
    }
    for (UINT32 U = 0; U < IW + 4; U++) {
      bool Inside = U >= 2 && U < IW + 2 && R >= 2 && R < IH + 2;
      UINT32 Want = Inside ? ColorOf(Image[(R - 2) * IW + U - 2]) : Old;
      Wrong += ColorOf(Row[U]) != Want;
    }
  }
  FreePixels(C, Image);
  Line D;
  D.Text("status ").Hex(Status).Text(", ").Dec((INT64)Wrong).Text(" pixels differ");
  Report(Name, Status == 0 && Wrong == 0, D);
}

}  // namespace

void TransitionChecks(const SceneContext &C) {
  Line().Text("INFO transitions start").Emit();
  TransitionCheck(C, "wipe-transition", false);
  Line().Text("INFO wipe done").Emit();
  TransitionCheck(C, "dissolve-transition", true);
  Line().Text("INFO dissolve done").Emit();
}
