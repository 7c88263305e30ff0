// Where the application's Bruker reader and writer plug into framework
// messages 30 and 40.
#include "app/core/bruker_reader.h"
#include "app/core/bruker_writer.h"
#include "app/ui/app_callbacks.h"
#include "app/ui/entry.h"

void PlugInFormatReaders() { SetBrukerReaderWriter(LoadBrukerData, SaveBrukerData); }
