// Where the application's Bruker reader and writer plug into framework
// messages 30 and 40. Until they are part of the program, data type 8
// answers 65 like every format nobody reads.
#include "app/ui/app_callbacks.h"
#include "app/ui/entry.h"

void PlugInFormatReaders() { SetBrukerReaderWriter(nullptr, nullptr); }
