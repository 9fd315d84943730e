// The soak: every control of the toolkit opened, painted, driven and closed,
// pass after pass, so that a run of many passes shows whether any of them
// keeps memory. The same passes run in firmware and on the host.
#pragma once
#include "frontend/scenes.h"

// One pass over a 1024 x 768 screen. Pass varies the input (text lengths,
// selections, values) from pass to pass. Everything the pass is handed by the
// toolkit it frees before returning; calls that do not answer 0 are counted
// in the context.
void SoakPass(const SceneContext &C, UINT32 Pass);
