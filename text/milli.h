// Milli: a value times 1000, integer arithmetic only.
#pragma once
#include "platform/types.h"

INT32 MilliToInt(Milli Value);
Milli MilliMul(INT64 A, INT64 B);
Milli MilliDiv(INT64 N, INT64 D);
