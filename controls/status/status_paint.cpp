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
  for (INT32 C = 0; C < 3; C++) {
    if (Source_[C] == C) Value_[C] = fm::Add(Value_[C], Step_[C]);
  }
  UpdateColor();
}

// Value + Step, Count times over, as the float service adds. While the sums
// stay inside Value's binade they land on its grid of ulps the same way each
// time (the fraction of Step / ulp does not depend on Value; at an exact half
// an even significand stays even), so a run of them moves the significand by
// one fixed number of ulps. Sums near a binade's edge, of zeros, subnormals,
// infinities and NaN, and the first one after an odd half go to the service.
FLOAT32_BITS AddRepeatedly(FLOAT32_BITS Value, FLOAT32_BITS Step, UINT64 Count) {
  constexpr UINT64 kLow = 1u << 23, kHigh = 1u << 24;  // significands of one binade
  while (Count > 0) {
    const UINT32 VE = (Value >> 23) & 0xFF, SE = (Step >> 23) & 0xFF;
    UINT64 Jump = 0, Delta = 0;
    bool Up = false;
    if (VE != 0 && VE != 0xFF && SE != 0xFF) {
      const UINT64 M = (Value & 0x7FFFFF) | kLow;
      // |Step| = Sig x 2^(Exp - 150) and Value's ulp is 2^(VE - 150).
      const UINT64 Sig = SE == 0 ? (Step & 0x7FFFFF) : ((Step & 0x7FFFFF) | kLow);
      const INT32 Shift = (INT32)(SE == 0 ? 1 : SE) - (INT32)VE;
      UINT64 Q = 0;  // whole ulps of Step
      bool Even = true;
      if (Shift >= 0) {
        Q = Shift <= 8 ? Sig << Shift : kHigh;
        Delta = Q;
      } else if (Shift > -40) {
        const UINT32 K = (UINT32)-Shift;
        const UINT64 Rem = Sig & ((1ull << K) - 1), Half = 1ull << (K - 1);
        Q = Sig >> K;
        Delta = Q + (Rem > Half ? 1 : 0);
        if (Rem == Half) {
          Even = (M & 1) == 0;
          Delta = Q + (Q & 1);
        }
      }
      Up = ((Value ^ Step) & 0x80000000u) == 0 || Sig == 0;
      // Every sum of the run, exact, must stay inside [2^23, 2^24) ulps.
      if (Even && Q < kHigh) {
        if (Up && M + Q + 1 < kHigh) {
          Jump = Delta == 0 ? Count : (kHigh - 2 - Q - M) / Delta + 1;
        } else if (!Up && M >= kLow + Q + 1) {
          Jump = Delta == 0 ? Count : (M - Q - 1 - kLow) / Delta + 1;
        }
      }
    }
    if (Jump == 0) {
      const FLOAT32_BITS Next = fm::Add(Value, Step);
      if (Next == Value) return Value;  // the same sum from here on
      Value = Next;
      Count--;
      continue;
    }
    if (Jump > Count) Jump = Count;
    const UINT64 M = (Value & 0x7FFFFF) | kLow;
    const UINT64 Moved = Up ? M + Jump * Delta : M - Jump * Delta;
    Value = (Value & 0xFF800000u) | (UINT32)(Moved & 0x7FFFFF);
    Count -= Jump;
  }
  return Value;
}

void StepGradient::Skip(UINT64 Count) {
  if (Count == 0) {
    return;
  }
  for (INT32 C = 0; C < 3; C++) {
    if (Source_[C] == C) Value_[C] = AddRepeatedly(Value_[C], Step_[C], Count);
  }
  UpdateColor();
}

void StepGradient::UpdateColor() {
  UINT32 Bytes[3] = {};
  for (INT32 C = 0; C < 3; C++) {
    if (Source_[C] != C) {
      Bytes[C] = Bytes[Source_[C]];
      continue;
    }
    INT32 V = TruncatedFloat(Value_[C]);  // FloatToInt's answer, exactly
    Bytes[C] = V < 0 ? 0 : V >= 256 ? 255 : (UINT32)V;
  }
  Color_ = (Color_ & 0xFF000000u) | Bytes[0] | (Bytes[1] << 8) | (Bytes[2] << 16);
}

namespace {

// A gradient over the Length lines from Start, on an axis the clip spans from
// ClipStart to ClipEnd: lines before the clip only step the colour, and
// Line(I, Color) draws each line I inside it.
template <typename LineFn>
void StepLines(INT64 Start, INT32 Length, INT64 ClipStart, INT64 ClipEnd, UINT32 From, UINT32 To,
               LineFn &&Line) {
  StepGradient G(From, To, Length);
  const INT64 End = Start + Length,
              First = ClipStart > Start ? (ClipStart < End ? ClipStart : End) : Start;
  G.Skip((UINT64)(First - Start));
  for (INT64 I = First; I < End && I < ClipEnd; I++) {
    Line(I, G.Color());
    G.Advance();
  }
}

}  // namespace

void FillRowsGradient(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT32 From,
                      UINT32 To) {
  if (W <= 0 || H <= 0) {
    return;
  }
  StepLines(Y, H, T.Clip.Y, T.Clip.Bottom(), From, To,
            [&](INT64 Row, UINT32 Color) { T.Fill(X, Row, W, 1, Color); });
}

void FillColumnsGradient(const DrawTarget &T, INT32 X, INT32 Y, INT32 W, INT32 H, UINT32 From,
                         UINT32 To) {
  if (W <= 0 || H <= 0) {
    return;
  }
  StepLines(X, W, T.Clip.X, T.Clip.Right(), From, To,
            [&](INT64 Col, UINT32 Color) { T.Fill(Col, Y, 1, H, Color); });
}

bool InRadius(INT32 PX, INT32 PY, INT32 CX, INT32 CY, INT32 R) {
  constexpr INT64 kExact = 1 << 11;
  const INT64 DX = (INT64)CX - PX, DY = (INT64)PY - CY;
  const bool Small = PX > -kExact * 64 && PX < kExact * 64 && PY > -kExact * 64 &&
                     PY < kExact * 64 && CX > -kExact * 64 && CX < kExact * 64 &&
                     CY > -kExact * 64 && CY < kExact * 64;
  if (Small && DX > -kExact && DX < kExact && DY > -kExact && DY < kExact && R >= 0 && R < kExact) {
    return DX * DX + DY * DY <= (INT64)R * R;
  }
  return WithinRadius(PX, PY, CX, CY, R) != 0;
}
