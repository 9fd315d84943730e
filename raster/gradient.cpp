#include "raster/gradient.h"

#include "raster/exact_float.h"

Gradient::Gradient(UINT32 From, UINT32 To, INT32 Steps) : Color_(From) {
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
      N = fm::FromInt(Steps == 0 ? 1 : Steps);
    }
    Value_[C] = fm::FromInt(A);
    Step_[C] = fm::Div(fm::Sub(fm::FromInt(B), Value_[C]), N);
  }
}

namespace {

// How the next sums Value + Step, Value + 2 Step, ... come out: the first Jump
// of them (0: the next one must be added alone) each move Value's significand
// by Delta ulps, up or down, without leaving its binade.
//
// While the sums stay inside Value's binade they land on its grid of ulps the
// same way each time (the fraction of Step / ulp does not depend on Value; at
// an exact half an even significand stays even), so a run of them moves the
// significand by one fixed number of ulps. Sums near a binade's edge, of
// zeros, subnormals, infinities and NaN, and the first one after an odd half
// are added alone.
struct SumRun {
  UINT64 Jump, Delta;
  bool Up;
};

SumRun PlanSums(FLOAT32_BITS Value, FLOAT32_BITS Step) {
  constexpr UINT64 kLow = 1u << 23, kHigh = 1u << 24;  // significands of one binade
  SumRun Run = {0, 0, false};
  const UINT32 VE = (Value >> 23) & 0xFF, SE = (Step >> 23) & 0xFF;
  if (VE == 0 || VE == 0xFF || SE == 0xFF) {
    return Run;
  }
  const UINT64 M = (Value & 0x7FFFFF) | kLow;
  // |Step| = Sig x 2^(Exp - 150) and Value's ulp is 2^(VE - 150).
  const UINT64 Sig = SE == 0 ? (Step & 0x7FFFFF) : ((Step & 0x7FFFFF) | kLow);
  const INT32 Shift = (INT32)(SE == 0 ? 1 : SE) - (INT32)VE;
  UINT64 Q = 0;  // whole ulps of Step
  bool Even = true;
  if (Shift >= 0) {
    Q = Shift <= 8 ? Sig << Shift : kHigh;
    Run.Delta = Q;
  } else if (Shift > -40) {
    const UINT32 K = (UINT32)-Shift;
    const UINT64 Rem = Sig & ((1ull << K) - 1), Half = 1ull << (K - 1);
    Q = Sig >> K;
    Run.Delta = Q + (Rem > Half ? 1 : 0);
    if (Rem == Half) {
      Even = (M & 1) == 0;
      Run.Delta = Q + (Q & 1);
    }
  }
  Run.Up = ((Value ^ Step) & 0x80000000u) == 0 || Sig == 0;
  // Every sum of the run, exact, must stay inside [2^23, 2^24) ulps.
  if (Even && Q < kHigh) {
    if (Run.Up && M + Q + 1 < kHigh) {
      Run.Jump = Run.Delta == 0 ? ~0ull : (kHigh - 2 - Q - M) / Run.Delta + 1;
    } else if (!Run.Up && M >= kLow + Q + 1) {
      Run.Jump = Run.Delta == 0 ? ~0ull : (M - Q - 1 - kLow) / Run.Delta + 1;
    }
  }
  return Run;
}

}  // namespace

// Each channel's sums go by runs of PlanSums: within a run a step is one
// integer addition to the value's bits.
void Gradient::Advance() {
  for (INT32 C = 0; C < 3; C++) {
    if (Source_[C] != C) {
      continue;
    }
    if (Left_[C] == 0) {
      const SumRun Run = PlanSums(Value_[C], Step_[C]);
      if (Run.Jump == 0) {
        Value_[C] = xf::Add(Value_[C], Step_[C]);
        continue;
      }
      Left_[C] = Run.Jump;
      Move_[C] = Run.Up ? (UINT32)Run.Delta : (UINT32)0 - (UINT32)Run.Delta;
    }
    Value_[C] += Move_[C];
    Left_[C]--;
  }
  UpdateColor();
}

void Gradient::Skip(UINT64 Count) {
  if (Count == 0) {
    return;
  }
  for (INT32 C = 0; C < 3; C++) {
    if (Source_[C] != C) {
      continue;
    }
    Value_[C] = AddRepeatedly(Value_[C], Step_[C], Count);
    Left_[C] = 0;
  }
  UpdateColor();
}

void Gradient::UpdateColor() {
  UINT32 Bytes[3] = {};
  for (INT32 C = 0; C < 3; C++) {
    if (Source_[C] != C) {
      Bytes[C] = Bytes[Source_[C]];
      continue;
    }
    const INT32 V = xf::ToInt(Value_[C]);
    Bytes[C] = V < 0 ? 0 : V >= 256 ? 255 : (UINT32)V;
  }
  Color_ = (Color_ & 0xFF000000u) | Bytes[0] | (Bytes[1] << 8) | (Bytes[2] << 16);
}

FLOAT32_BITS AddRepeatedly(FLOAT32_BITS Value, FLOAT32_BITS Step, UINT64 Count) {
  while (Count > 0) {
    const SumRun Run = PlanSums(Value, Step);
    if (Run.Jump == 0) {
      const FLOAT32_BITS Next = xf::Add(Value, Step);
      if (Next == Value) return Value;  // the same sum from here on
      Value = Next;
      Count--;
      continue;
    }
    const UINT64 Jump = Run.Jump < Count ? Run.Jump : Count;
    const UINT64 M = (Value & 0x7FFFFF) | (1u << 23);
    const UINT64 Moved = Run.Up ? M + Jump * Run.Delta : M - Jump * Run.Delta;
    Value = (Value & 0xFF800000u) | (UINT32)(Moved & 0x7FFFFF);
    Count -= Jump;
  }
  return Value;
}

void FillRows(const DrawTarget &T, Gradient &G, INT64 X, INT64 Y, INT64 W, INT64 H, bool ToEnd) {
  INT64 Done = Y;
  if (!ClipRect(T.Clip, X, Y, W, H).Empty()) {
    Done = StepLines(G, Y, Y + H, T.Clip.Y, T.Clip.Bottom(),
                     [&](INT64 Row, UINT32 Color) { T.Fill(X, Row, W, 1, Color); });
  }
  if (ToEnd && Done < Y + H) G.Skip((UINT64)(Y + H - Done));
}

void FillColumns(const DrawTarget &T, Gradient &G, INT64 X, INT64 Y, INT64 W, INT64 H, bool ToEnd) {
  const Rect V = ClipRect(T.Clip, X, Y, W, H);
  if (V.Empty()) {
    if (ToEnd && W > 0) G.Skip((UINT64)W);
    return;
  }
  PaintColumnGradient(T, G, X, ToEnd ? X + W : V.Right(), V.X, V.Right(), V.Y, V.Bottom(),
                      [](INT64, INT64 P0, INT64 P1, auto &&Span) { Span(P0, P1 - P0); });
}

void FillRowsGradient(const DrawTarget &T, INT64 X, INT64 Y, INT64 W, INT64 H, UINT32 From,
                      UINT32 To) {
  if (W > 0 && H > 0) {
    Gradient G(From, To, (INT32)H);
    FillRows(T, G, X, Y, W, H, false);
  }
}

void FillColumnsGradient(const DrawTarget &T, INT64 X, INT64 Y, INT64 W, INT64 H, UINT32 From,
                         UINT32 To) {
  if (W > 0 && H > 0) {
    Gradient G(From, To, (INT32)W);
    FillColumns(T, G, X, Y, W, H, false);
  }
}
