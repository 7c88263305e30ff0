#include <algorithm>

#include "base/console_out.h"
#include "base/error_codes.h"
#include "base/platform/terminal.h"

Dword ConClear(void) { return TermWriteControl("\x1b[H\x1b[J") ? 1 : 0; }

Dword ConClearEndOfLine(void) { return TermWriteControl("\x1b[K") ? 1 : 0; }

Dword ConClearEndOfScreen(void) { return TermWriteControl("\x1b[J") ? 1 : 0; }

Dword ConClearSection(Dword column1, Dword row1, Dword column2, Dword row2, Dword cursor) {
  Dword width = 0, height = 0;
  if (!TermWindowSize(&width, &height)) return 0;
  column1 = std::min(column1, width - 1);
  column2 = std::min(column2, width - 1);
  row1 = std::min(row1, height - 1);
  row2 = std::min(row2, height - 1);
  const Qword start = column1 + static_cast<Qword>(row1) * width;
  const Qword end = column2 + static_cast<Qword>(row2) * width;
  // The offset fits: both sides are below 2^16 * 2^16.
  if (start >= end) return static_cast<Dword>(end);
  // Blanks from (column1, row1) up to the cell before (column2, row2); the
  // cursor is saved around them, so it stays unless asked to move.
  TermWriteControl(
      "\x1b"
      "7");
  TermCursorSet(column1, row1);
  char blanks[256];
  std::fill(blanks, blanks + sizeof blanks, ' ');
  for (Qword left = end - start; left > 0;) {
    Qword n = std::min<Qword>(left, sizeof blanks);
    TermWrite(blanks, n);
    left -= n;
  }
  TermWriteControl(
      "\x1b"
      "8");
  if (cursor & 0xFF) return TermCursorSet(column1, row1) ? 1 : 0;
  return 0;
}

LibErrorCode ConGetOrSetCursorLocation(Dword* column, Dword* row, Dword flag) {
  if (!column || !row) return kErrConsoleManagement;
  if (flag & 0xFF)
    return TermCursorGet(column, row) ? LibErrorCode{0} : LibErrorCode{kErrConsoleManagement};
  return TermCursorSet(*column, *row) ? LibErrorCode{0} : LibErrorCode{kErrConsoleManagement};
}
