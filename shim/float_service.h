// The single-precision service, computed with the processor's own SSE
// arithmetic. The platform shim publishes this table; the host simulation
// wraps the same table, so both targets compute the same bits.
#pragma once
#include "platform/float_math.h"

extern const FLOAT_MATH_PROTOCOL gFloatMathService;
