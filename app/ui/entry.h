// The program's entry: fills the application information, creates the
// record, installs the callbacks and the FLTK hooks, and runs the program
// inside LibCommand code 3. Answers the exit code.
#pragma once

int PelorinMain();

// Plugs the application's own readers and writers of data formats the
// framework lacks (Bruker acquisition folders) into framework message 30/40.
void PlugInFormatReaders();
