/* A gnu-efi program's own headers first: the toolkit's header must leave the
   names such a program uses as they were. */
#define MIN(A, B) ((A) < (B) ? (A) : (B))
#define MAX(A, B) ((A) > (B) ? (A) : (B))
#include <efi.h>
#include <efilib.h>
#include <orvane.h>

#if !defined(MIN) || !defined(MAX) || !defined(SPrint) || !defined(VSPrint)
#error "orvane.h took away a name of the program's"
#endif
#ifdef W
#error "orvane.h defines W"
#endif

_Static_assert(MIN(2, 3) == 2 && MAX(2, 3) == 3, "MIN and MAX as the program defined them");
_Static_assert(sizeof(ORVANE_UI_PROTOCOL) == 52 * 8, "slot table");

/* Every slot typed as the program calls it: a pointer to const strings, no casts. */
UINTN Paint(ORVANE_UI_PROTOCOL *Ui, MessageBox *Box, IconDock *Dock, const CHAR16 **Labels,
            UINT16 *Flags, UINT16 *Active) {
  static const CHAR16 *const Lines[1] = {(const CHAR16 *)u"Boot?"};
  UINTN Status = Ui->InitMessageBox(Box, 0, 0, 0, 0, 1, Lines, 1, Lines);
  return Status | Ui->InitIconDock(Dock, 0, 0, 1, Labels, Flags, Active) |
         OrvaneListPopupSelect(Ui, (ListPopup *)0, 0);
}
