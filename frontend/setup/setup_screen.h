// The setup screen: a header with the banner and a clock, the page dock, the
// page of setting rows, a gauge panel and its decoration, and the popups that
// rows open. Everything it shows is kept in the controls' own records; the
// screen logic takes one input event at a time and never reads the firmware's
// input itself, so the host can drive it with synthetic events.
#pragma once
#include "frontend/scenes.h"
#include "frontend/setup/settings.h"

// One input event in screen terms.
enum SetupKey : UINT16 {
  kSetupKeyNone = 0,  // a pointer event
  kSetupKeyUp,
  kSetupKeyDown,
  kSetupKeyLeft,
  kSetupKeyRight,
  kSetupKeyEnter,
  kSetupKeyEscape,
  kSetupKeyBackspace,
  kSetupKeyChar,  // a printable character in Char
};

struct SetupInput {
  UINT16 Key;   // SetupKey
  CHAR16 Char;  // with kSetupKeyChar
  INT32 X, Y;   // pointer position in screen pixels (pointer events)
  bool Down;    // the pointer's button is held (pointer events)
};

inline SetupInput SetupKeyEvent(UINT16 Key, CHAR16 Char = 0) { return {Key, Char, 0, 0, false}; }
inline SetupInput SetupPointerEvent(INT32 X, INT32 Y, bool Down) {
  return {kSetupKeyNone, 0, X, Y, Down};
}

// What the screen is doing.
enum SetupPhase : UINT16 {
  kPhaseBrowsing = 0,
  kPhaseOptionPopup,
  kPhaseListPopup,
  kPhasePassword,
  kPhaseConfirmExit,
  kPhaseUnlock,  // the supervisor password is asked before any page shows
  kPhaseDone,    // the screen has been left (or refused to open)
};

// What the password dialog is asking for.
enum SetupPasswordMode : UINT16 {
  kPasswordNew = 0,  // a new password; empty clears it
  kPasswordCurrent,  // the current one, before it may change
  kPasswordUnlock,   // the current one, before setup opens
};

inline constexpr UINT16 kSetupUnlockTries = 3;
inline constexpr INT32 kCursorWidth = 12, kCursorHeight = 19;

// What Enter on a row does.
enum SetupAction : UINT16 {
  kActionNone = 0,
  kActionChoice,    // an option popup; the picked item becomes the value
  kActionOrder,     // an option popup whose items are reordered by dragging
  kActionList,      // a list popup with scrolling and selection
  kActionPassword,  // a masked input dialog
  kActionSlider,    // the row's slider; no popup
  kActionSaveExit,  // a message box, then progress, then the exit transition
  kActionDiscardExit,
};

// A row's setting: the row record and what the front-end keeps for it.
struct SetupSetting {
  SettingRow Row;
  UINT16 Action;     // SetupAction
  UINT16 PopupKind;  // option popup kind for choice and order rows
  UINT16 ItemCount;
  const CHAR16 *Items[kSetupMaxItems];  // the order the popup shows; reordering swaps pointers
  CHAR16 ValueText[24];                 // what the value cell shows
  const CHAR16 *Help;                   // the help box's line for the row
};

struct SetupPage {
  const CHAR16 *Title;
  UINT16 RowCount;
  SetupSetting Settings[kSetupMaxRows];
};

// Waits a moment between the steps of the progress bar; NULL: no waiting.
typedef void (*SETUP_PAUSE)(const SceneContext *Context, UINTN Microseconds);

struct SetupScreenState {
  const SceneContext *C;
  SETUP_PAUSE Pause;
  UINT16 Phase;   // SetupPhase
  UINTN Handled;  // input events taken so far

  // Header.
  DigitReadout Clock;
  CHAR16 ClockText[6];  // "HH:MM"

  // Dock: the page icons. Labels are the pages' titles; the dock swaps the
  // pointers when an item is dragged, so a page is found by its title.
  IconDock Dock;
  const CHAR16 *DockLabels[kSetupPages];
  UINT16 DockFlags[kSetupPages];
  UINT16 DockActive[kSetupPages];

  SetupPage Pages[kSetupPages];
  UINT16 Page;      // the page shown
  UINT16 Row;       // the focused row of that page
  bool SliderGrab;  // the pointer drags the slider's knob

  // Popups. The option popup restores its own background; for the list popup,
  // the password dialog and the message box the screen keeps what lies under them.
  OptionPopupSet Options;
  SetupSetting *Opened;  // the setting whose popup is shown
  bool OptionMoved;      // a drag reordered the shown popup since the press
  UINT16 OptionGrabbed;  // the item the press took
  ListPopup List;
  InputDialog Password;
  CHAR16 PasswordText[kSetupPasswordChars + 1];
  MessageBox Confirm;
  INT32 GrabY;          // pointer row when the list's thumb was taken; -1: not held
  ORVANE_PIXEL *Saved;  // the screen under the list popup, dialog or message box
  Rect SavedRect;
  ORVANE_PIXEL *Captured;  // the toolkit's capture of the screen on the way out

  // Pointer: the last state seen, to tell presses, drags and releases apart.
  bool PointerDown;
  bool HeldByClosedPopup;  // a press closed a popup: the page ignores the rest of it
  INT32 PointerX, PointerY;

  UINTN Temperature;  // the gauge's readings
  UINTN FanPercent;

  // Kept across reboots: where "Save changes and exit" writes (NULL: nowhere),
  // and what the write answered.
  EFI_RUNTIME_SERVICES *Store;
  EFI_STATUS SaveStatus;
  bool SaveTried;

  // The supervisor password: only its salted hash is kept.
  UINT16 PasswordMode;  // SetupPasswordMode
  bool PasswordSet;
  UINT8 PasswordSalt[kSetupSaltBytes];
  UINT8 PasswordHash[kSetupHashBytes];
  UINT16 WrongTries;  // at start-up
  bool Refused;       // three wrong tries: setup did not open

  // The pointer's arrow and the screen under it, while shown.
  bool CursorShown;
  INT32 CursorX, CursorY, CursorW, CursorH;
  ORVANE_PIXEL CursorUnder[kCursorWidth * kCursorHeight];
};

// Fills the records and draws the whole screen; the clock shows Time ("HH:MM").
// Start, when given, holds the kept settings (checked with SetupRecordValid);
// with a password set only the password dialog shows until it is given.
// False when a control cannot be set up (memory); SetupClose still applies.
bool SetupOpen(SetupScreenState &S, const SceneContext &C, const CHAR16 *Time,
               SETUP_PAUSE Pause = nullptr, const SetupRecord *Start = nullptr);
// The settings the screen shows now, as the variable keeps them.
void SetupCollect(const SetupScreenState &S, SetupRecord &Out);
// The settings a first start shows.
void SetupDefaults(SetupRecord &Out);
// True when every value of R names something the pages offer.
bool SetupRecordValid(const SetupRecord &R);
// Reads the kept settings into Out: kRecordLoaded, or why they cannot serve
// (Out then holds the defaults).
UINT16 SetupLoadSettings(EFI_RUNTIME_SERVICES *Rt, SetupRecord &Out);
// Takes one input event and updates the screen.
void SetupHandle(SetupScreenState &S, const SetupInput &E);
// Shows a new time on the clock when it changed.
void SetupTick(SetupScreenState &S, const CHAR16 *Time);
// Draws the whole screen from the records (what SetupOpen shows, in the current state).
void SetupPaintAll(SetupScreenState &S);
// Frees everything the screen holds.
void SetupClose(SetupScreenState &S);

// Internal pieces shared by the screen's files.
namespace setup {

SetupSetting &Current(SetupScreenState &S);
void PaintHeader(SetupScreenState &S);
void PaintDock(SetupScreenState &S);
void PaintPage(SetupScreenState &S);
void PaintRow(SetupScreenState &S, SetupSetting &Setting);
void PaintGauge(SetupScreenState &S);
void PaintHelp(SetupScreenState &S);
void PaintFooter(SetupScreenState &S);
void PaintDecoration(SetupScreenState &S);
// The pointer's arrow: hidden before anything paints, shown again after.
void HideCursor(SetupScreenState &S);
void ShowCursor(SetupScreenState &S);
// The salted hash of Text (wiped afterwards by the caller).
void HashPassword(const UINT8 Salt[kSetupSaltBytes], const CHAR16 *Text,
                  UINT8 Hash[kSetupHashBytes]);
// Opens the masked dialog asking for Mode's password under Title.
void OpenPasswordDialog(SetupScreenState &S, UINT16 Mode, const CHAR16 *Title);

// Browsing: dock and rows.
void BrowseKey(SetupScreenState &S, const SetupInput &E);
void BrowsePointer(SetupScreenState &S, const SetupInput &E, bool Pressed, bool Released);

// Popups, each with its keys and pointer.
void OpenRowAction(SetupScreenState &S);
void OptionInput(SetupScreenState &S, const SetupInput &E, bool Pressed, bool Released);
void ListInput(SetupScreenState &S, const SetupInput &E, bool Pressed, bool Released);
void PasswordInput(SetupScreenState &S, const SetupInput &E, bool Pressed, bool Released);
void ConfirmInput(SetupScreenState &S, const SetupInput &E, bool Pressed, bool Released);

// Layout.
inline constexpr INT32 kHeaderHeight = 104;
inline constexpr INT32 kDockX = 80, kDockY = 122;
inline constexpr INT32 kPageX = 40, kPageY = 214;
inline constexpr INT32 kRowY = 262, kRowPitch = 34, kRowWidth = 560, kLabelWidth = 240;
inline constexpr INT32 kSliderLength = 160;
inline constexpr INT32 kGaugeX = 640, kGaugeY = 214, kGaugeWidth = 360, kGaugeHeight = 90;
inline constexpr INT32 kHelpY = 470, kHelpHeight = 64;
inline constexpr INT32 kFooterY = 724;
inline constexpr UINT32 kBackdrop = 0x00101C26;
inline constexpr UINT32 kHeaderColor = 0x00002041;
inline constexpr UINT32 kTitleColor = 0x00E8EEF4;
inline constexpr UINT32 kHintColor = 0x00A8B4C0;

}  // namespace setup
