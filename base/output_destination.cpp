#include "base/console_in.h"
#include "base/console_menu.h"
#include "base/console_out.h"

OutputDestination CinOutputDestination(void) {
  NumStatus st = 0;
  const Dword typed = CinDwordA(
      "\n Print to:\n 1      only console\n 2      only file\n other  both console and file\n",
      &st);
  CoutA("\n");
  return st == 0 && (typed == 1 || typed == 2) ? typed : 3;
}
