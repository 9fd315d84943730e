/* A boot menu on the Orvane toolkit, in C11 with gnu-efi: the screen dims, a
   title and a list popup of six boot entries appear; Up, Down and Enter pick
   one, a message box asks to confirm it, a progress bar counts to 100 % while
   the entry "loads", and the screen comes back as it was. Esc leaves.

   It follows docs/frontend.md. It reports each step on the serial port, as
   firmware reports progress, and draws nothing through the text console. */
#include <efi.h>
#include <efilib.h>
#include <orvane.h>

#define ENTRY_COUNT 6
#define MENU_WIDTH 360
#define MENU_HEIGHT 292
#define BAR_WIDTH 420
#define BAR_HEIGHT 24
#define TITLE_COLOR ORVANE_RGB(0xFF, 0xFF, 0xFF)
#define DIM_LEVEL 4 /* the screen behind the menu keeps 40 % of its brightness */

static const CHAR16 *const Entries[ENTRY_COUNT] = {
    u"Debian GNU/Linux", u"Debian (recovery mode)", u"Windows Boot Manager",
    u"UEFI Shell",       u"Network boot (IPv4)",    u"Memory test"};

/* ---------------------------------------------------------------- serial log */

static EFI_SERIAL_IO_PROTOCOL *Serial;

/* One line "boot-menu: <Text> <Number>" on the serial port; Number < 0 omits it. */
static void Log(const char *Text, INT32 Number) {
  char Line[64];
  UINTN Length = 0, Digits = 0;
  char Reversed[12];
  const char *Prefix = "boot-menu: ";
  if (Serial == NULL) {
    return;
  }
  while (*Prefix != 0) Line[Length++] = *Prefix++;
  while (*Text != 0 && Length < sizeof(Line) - 16) Line[Length++] = *Text++;
  if (Number >= 0) {
    Line[Length++] = ' ';
    do {
      Reversed[Digits++] = (char)('0' + Number % 10);
      Number /= 10;
    } while (Number > 0);
    while (Digits > 0) Line[Length++] = Reversed[--Digits];
  }
  Line[Length++] = '\r';
  Line[Length++] = '\n';
  Serial->Write(Serial, &Length, Line);
}

/* ---------------------------------------------------------------- finding the toolkit */

/* Loads and starts a driver image that lies beside this application. */
static EFI_STATUS StartBeside(EFI_HANDLE Image, const CHAR16 *Name) {
  EFI_GUID LoadedImageGuid = LOADED_IMAGE_PROTOCOL;
  EFI_LOADED_IMAGE *Self = NULL;
  EFI_DEVICE_PATH *Path;
  EFI_HANDLE Driver = NULL;
  EFI_STATUS Status = BS->HandleProtocol(Image, &LoadedImageGuid, (VOID **)&Self);
  if (EFI_ERROR(Status)) {
    return Status;
  }
  Path = FileDevicePath(Self->DeviceHandle, (CHAR16 *)Name);
  if (Path == NULL) {
    return EFI_OUT_OF_RESOURCES;
  }
  Status = BS->LoadImage(FALSE, Image, Path, NULL, 0, &Driver);
  FreePool(Path);
  return EFI_ERROR(Status) ? Status : BS->StartImage(Driver, NULL, NULL);
}

/* The toolkit as the platform offers it, or loaded from this volume: the
   platform shim first where the float or print service is missing. */
static ORVANE_UI_PROTOCOL *FindToolkit(EFI_HANDLE Image) {
  EFI_GUID UiGuid = ORVANE_UI_PROTOCOL_GUID;
  EFI_GUID FloatGuid = ORVANE_FLOAT_MATH_GUID;
  EFI_GUID PrintGuid = ORVANE_PRINT_SERVICE_GUID;
  ORVANE_UI_PROTOCOL *Ui = NULL;
  VOID *Service = NULL;
  if (BS->LocateProtocol(&UiGuid, NULL, (VOID **)&Ui) == EFI_SUCCESS) {
    return Ui;
  }
  if (BS->LocateProtocol(&FloatGuid, NULL, &Service) != EFI_SUCCESS ||
      BS->LocateProtocol(&PrintGuid, NULL, &Service) != EFI_SUCCESS) {
    StartBeside(Image, u"\\platform-shim.efi");
  }
  if (StartBeside(Image, u"\\orvane.efi") != EFI_SUCCESS ||
      BS->LocateProtocol(&UiGuid, NULL, (VOID **)&Ui) != EFI_SUCCESS) {
    return NULL;
  }
  return Ui;
}

/* ---------------------------------------------------------------- the menu */

typedef struct {
  ORVANE_UI_PROTOCOL *Ui;
  UINT32 Width, Height; /* the screen */
  ListPopup List;
} Menu;

/* The dimmed screen, the title centred above the list, and the list. */
static void PaintMenu(Menu *M) {
  TextImage Title = {TITLE_COLOR, 0, 0, 0, NULL};
  UINT16 TitleX = 0;
  M->Ui->DimCapturedScreen(DIM_LEVEL);
  /* RenderText measures; its bitmap is ours to free. */
  if (M->Ui->RenderText(1500, &Title, u"Boot menu") == ORVANE_TEXT_DONE) {
    TitleX = (UINT16)((M->Width - Title.Width) / 2);
    FreePool(Title.Bitmap);
  }
  M->Ui->DrawText(TITLE_COLOR, NULL, 1500, TitleX, (UINT16)(M->List.y - 50), u"Boot menu");
  M->Ui->PaintListPopup(&M->List);
}

static EFI_INPUT_KEY NextKey(void) {
  EFI_INPUT_KEY Key = {0, 0};
  UINTN Index;
  while (ST->ConIn->ReadKeyStroke(ST->ConIn, &Key) != EFI_SUCCESS) {
    BS->WaitForEvent(1, &ST->ConIn->WaitForKey, &Index);
  }
  return Key;
}

/* Asks whether to boot Entry: TRUE for the Boot button, FALSE for Cancel or Esc. */
static BOOLEAN Confirm(Menu *M, UINT16 Entry) {
  const CHAR16 *Lines[2] = {u"Boot this entry?", Entries[Entry]};
  const CHAR16 *Buttons[2] = {u"Boot", u"Cancel"};
  MessageBox Box;
  if (M->Ui->InitMessageBox(&Box, 0, 0, 0, 0, 2, Lines, 2, Buttons) != 0) {
    return FALSE;
  }
  /* The layout does not depend on the place: centre the box it computed. */
  Box.X = (INT32)(M->Width - (UINT32)Box.Width) / 2;
  Box.Y = (INT32)(M->Height - (UINT32)Box.Height) / 2;
  Box.HotButton = 1;
  Box.HotState = ORVANE_BUTTON_FOCUSED;
  for (;;) {
    EFI_INPUT_KEY Key;
    M->Ui->PaintMessageBox(&Box);
    Log("confirm", Box.HotButton);
    Key = NextKey();
    if (Key.ScanCode == SCAN_LEFT || Key.ScanCode == SCAN_RIGHT) {
      Box.HotButton = Key.ScanCode == SCAN_LEFT ? 1 : 2;
    } else if (Key.UnicodeChar == CHAR_CARRIAGE_RETURN) {
      return Box.HotButton == 1;
    } else if (Key.ScanCode == SCAN_ESC) {
      return FALSE;
    }
  }
}

/* The progress bar lives in a buffer of ours, painted and shown at each step. */
static void ShowProgress(Menu *M, UINT16 Entry) {
  const INT32 X = (INT32)(M->Width - BAR_WIDTH) / 2, Y = M->List.y + M->List.height + 20;
  ORVANE_PIXEL *Bar = NULL;
  INT32 Percent;
  if (BS->AllocatePool(EfiBootServicesData, BAR_WIDTH * BAR_HEIGHT * sizeof(ORVANE_PIXEL),
                       (VOID **)&Bar) != EFI_SUCCESS) {
    return;
  }
  PaintMenu(M);
  for (Percent = 0; Percent <= 100; Percent += 5) {
    M->Ui->DrawProgressBar(Bar, 0, 0, 0, 0, BAR_WIDTH, BAR_HEIGHT, Entries[Entry], Percent);
    M->Ui->BlitToScreen(Bar, BAR_WIDTH, BAR_HEIGHT, X, Y);
    Log("progress", Percent);
    BS->Stall(Percent < 100 ? 40000 : 600000); /* the entry "loading"; 100 % stays a moment */
  }
  FreePool(Bar);
}

/* gnu-efi's start-up code calls efi_main with the System V convention: no EFIAPI here. */
EFI_STATUS efi_main(EFI_HANDLE Image, EFI_SYSTEM_TABLE *SystemTable) {
  EFI_GUID SerialGuid = EFI_SERIAL_IO_PROTOCOL_GUID;
  ORVANE_PIXEL *Screen = NULL;
  Menu M;
  INT32 Chosen = -1;
  InitializeLib(Image, SystemTable);
  BS->LocateProtocol(&SerialGuid, NULL, (VOID **)&Serial);
  /* The text console's cursor would show through the menu. */
  ST->ConOut->EnableCursor(ST->ConOut, FALSE);
  Log("start", -1);

  M.Ui = FindToolkit(Image);
  if (M.Ui == NULL) {
    Log("no toolkit", -1);
    return EFI_NOT_FOUND;
  }
  /* The screen as it is now comes back at the end. The picture stays the
     toolkit's until ReleaseCapturedScreen. */
  if (M.Ui->CaptureScreen(&Screen, &M.Width, &M.Height) != ORVANE_CAPTURE_DONE) {
    M.Ui->ReleaseCapturedScreen();
    return EFI_OUT_OF_RESOURCES;
  }
  if (M.Ui->OpenListPopup(&M.List, (INT32)(M.Width - MENU_WIDTH) / 2,
                          (INT32)(M.Height - MENU_HEIGHT) / 2, MENU_WIDTH, MENU_HEIGHT,
                          u"Boot entries", ORVANE_TITLE_CENTRED, ENTRY_COUNT, Entries, -3) != 0) {
    M.Ui->ReleaseCapturedScreen();
    return EFI_OUT_OF_RESOURCES;
  }
  OrvaneListPopupSelect(M.Ui, &M.List, 0);
  Log("painting", -1); /* nothing on the screen has changed before this line */
  PaintMenu(&M);

  while (Chosen < 0) {
    EFI_INPUT_KEY Key;
    Log("row", M.List.selectedRow);
    Key = NextKey();
    if (Key.ScanCode == SCAN_UP || Key.ScanCode == SCAN_DOWN) {
      OrvaneListPopupSelect(M.Ui, &M.List, M.List.selectedRow + (Key.ScanCode == SCAN_UP ? -1 : 1));
      M.Ui->PaintListPopup(&M.List);
    } else if (Key.UnicodeChar == CHAR_CARRIAGE_RETURN) {
      if (Confirm(&M, (UINT16)M.List.selectedRow)) {
        Chosen = M.List.selectedRow;
      } else {
        PaintMenu(&M); /* the box goes: the menu is painted again over the dimmed screen */
      }
    } else if (Key.ScanCode == SCAN_ESC) {
      break;
    }
  }
  if (Chosen >= 0) {
    ShowProgress(&M, (UINT16)Chosen);
  }

  Log("restoring", -1);
  M.Ui->CloseListPopup(&M.List);
  M.Ui->RestoreCapturedScreen();
  M.Ui->ReleaseCapturedScreen();
  Log("restored", Chosen);
  /* A real menu would start the chosen loader now; the example has none, so
     the restored screen stays a second before the firmware takes over. */
  BS->Stall(1000000);
  Log("exit", -1);
  return EFI_SUCCESS;
}
