#include "controls/status/status_paint.h"

#include "controls/status/exact_float.h"

StepGradient::StepGradient(UINT32 From, UINT32 To, INT32 Steps) : Color_(From) {
  FLOAT32_BITS N = 0;
  for (INT32 C = 0; C < 3; C++) {
    const INT32 A = (INT32)((From >> (8 * C)) & 0xFF), B = (INT32)((To >> (8 * C)) & 0xFF);
    Source_[C] = C;
    for (INT32 D = 0; D < C; D++) {
      if (Source_[D] == D && A == (INT32)((From >> (8 * D)) & 0xFF) &&
          B == (INT32)((To >> (8 * D)) & 0xFF)) {
        Source_[C] = D;
        break;
      }
    }
    if (Source_[C] != C) {
      continue;
    }
    if (N == 0) {
      N = fm::FromInt(Steps == 0 ? 1 : Steps);  // no steps would divide by zero
    }
    Value_[C] = fm::FromInt(A);
    Step_[C] = fm::Div(fm::Sub(fm::FromInt(B), Value_[C]), N);
  }
}

void StepGradient::Advance() {
  UINT32 Bytes[3] = {};
  for (INT32 C = 0; C < 3; C++) {
    if (Source_[C] != C) {
      Bytes[C] = Bytes[Source_[C]];
      continue;
    }
    Value_[C] = fm::Add(Value_[C], Step_[C]);
    INT32 V = TruncatedFloat(Value_[C]);  // FloatToInt's answer, exactly
    Bytes[C] = V < 0 ? 0 : V >= 256 ? 255 : (UINT32)V;
  }
  Color_ = (Color_ & 0xFF000000u) | Bytes[0] | (Bytes[1] << 8) | (Bytes[2] << 16);
}

void FillRowsGradient(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT32 From, UINT32 To) {
  if (W <= 0 || H <= 0) {
    return;
  }
  StepGradient G(From, To, H);
  for (INT64 Row = Y; Row < (INT64)Y + H && Row < T.Clip.Bottom(); Row++) {
    if (Row >= T.Clip.Y) {
      T.Fill(X, Row, W, 1, G.Color());
    }
    G.Advance();
  }
}

void FillColumnsGradient(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT32 From,
                         UINT32 To) {
  if (W <= 0 || H <= 0) {
    return;
  }
  StepGradient G(From, To, W);
  for (INT64 Col = X; Col < (INT64)X + W && Col < T.Clip.Right(); Col++) {
    if (Col >= T.Clip.X) {
      T.Fill(Col, Y, 1, H, G.Color());
    }
    G.Advance();
  }
}

bool InRadius(INT32 PX, INT32 PY, INT32 CX, INT32 CY, INT32 R) {
  constexpr INT64 kExact = 1 << 11;
  const INT64 DX = (INT64)CX - PX, DY = (INT64)PY - CY;
  const bool Small = PX > -kExact * 64 && PX < kExact * 64 && PY > -kExact * 64 && PY < kExact * 64 &&
                     CX > -kExact * 64 && CX < kExact * 64 && CY > -kExact * 64 && CY < kExact * 64;
  if (Small && DX > -kExact && DX < kExact && DY > -kExact && DY < kExact && R >= 0 && R < kExact) {
    return DX * DX + DY * DY <= (INT64)R * R;
  }
  return WithinRadius(PX, PY, CX, CY, R) != 0;
}

bool OwnedText::Render(const CHAR16 *Text, UINT32 Foreground, UINT32 Background) {
  PoolFree(Image.Bitmap);
  Image = TextImage{Foreground, Background, 0, 0, nullptr};
  if (RenderText(1000, &Image, Text) != 0) {
    Image.Bitmap = nullptr;
    return false;
  }
  return true;
}

ORVANE_PIXEL *ClippedRow(const DrawTarget &T, INT64 Y, INT64 &X0, INT64 &X1) {
  if (T.IsScreen() || Y < T.Clip.Y || Y >= T.Clip.Bottom()) {
    return nullptr;
  }
  if (X0 < T.Clip.X) X0 = T.Clip.X;
  if (X1 > T.Clip.Right()) X1 = T.Clip.Right();
  return X0 < X1 ? T.Pixels + (UINTN)Y * (UINTN)T.RowWidth + X0 : nullptr;
}
