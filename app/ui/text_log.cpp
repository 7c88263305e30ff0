#include "app/ui/text_log.h"

void ClearLogReports(Fl_Text_Buffer* buffer) {
  if (buffer == nullptr) return;
  // FLTK compares the whole text at the start position: starting at the
  // end would read past the buffer.
  const int start = buffer->length() - 3;
  int found = 0;
  if (start >= 0 && buffer->search_backward(start, "-\n\n", &found, 1))
    buffer->remove(found + 3, buffer->length());
}
