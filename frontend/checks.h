// The firmware checks the front-end runs in OVMF. Each check draws through the
// driver, reads the screen back and reports one "CHECK" line (frontend/report.h).
// A group of checks lives in its own file frontend/checks_<name>.cpp, declares
// its functions here and adds them to the list in frontend/checks.cpp.
#pragma once
#include "frontend/report.h"
#include "frontend/scenes.h"

typedef void (*FIRMWARE_CHECK)(const SceneContext &C);

// Runs every check of the list, in order.
void RunFirmwareChecks(const SceneContext &C);

// A pixel's blue, green and red as 0x00RRGGBB.
UINT32 ColorOf(const ORVANE_PIXEL &P);
// Counts the colours of a screen area: pixels equal to A, to B, and others.
// False when the screen cannot be read.
bool Census(const SceneContext &C, UINT32 X, UINT32 Y, UINT32 W, UINT32 H, UINT32 A, UINT32 B,
            UINTN &CountA, UINTN &CountB, UINTN &Other);

// checks_core.cpp: the driver frame, primitives, text and screen operations.
void StringLengthCheck(const SceneContext &C);
void CaptureFlagCheck(const SceneContext &C);
void VideoModeCheck(const SceneContext &C);
void PenChecks(const SceneContext &C);
void ClearBufferCheck(const SceneContext &C);
void BlitPositionCheck(const SceneContext &C);
void BannerTextCheck(const SceneContext &C);
void BannerScreenCheck(const SceneContext &C);
void RenderTextCheck(const SceneContext &C);
void RenderTextWrapCheck(const SceneContext &C);
void OpaqueTextCheck(const SceneContext &C);
void OpaqueTextFitCheck(const SceneContext &C);
void TransparentTextCheck(const SceneContext &C);
void CaptureChecks(const SceneContext &C);
void SmallModeCaptureCheck(const SceneContext &C);
void TransitionChecks(const SceneContext &C);
