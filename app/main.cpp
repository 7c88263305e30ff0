#include "app/ui/entry.h"

int main() { return PelorinMain(); }
