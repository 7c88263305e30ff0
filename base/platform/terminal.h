// The terminal under the console functions: standard output and input,
// ANSI/ECMA-48 control sequences, raw key reads through termios. Every
// sequence is written only when the stream is a terminal.
#pragma once
#include <cstdio>

#include "base/types.h"

// Bytes to standard output (the C stream, so they keep their order with
// every other write through it).
void TermWrite(const char* bytes, Qword count);
void TermFlush(void);
bool TermOutputIsTerminal(void);
bool TermInputIsTerminal(void);

// Writes a control sequence when standard output is a terminal; false
// (nothing written) otherwise.
bool TermWriteControl(const char* sequence);

// The terminal's size in cells; false when it cannot be read.
bool TermWindowSize(Dword* columns, Dword* rows);
// The cursor as zero-based column and row (asks the terminal, waits at most
// a fraction of a second for its answer); false when it does not answer.
bool TermCursorGet(Dword* column, Dword* row);
bool TermCursorSet(Dword column, Dword row);

// One key in raw mode: its Unicode code (a UTF-8 sequence decoded), 0 for a
// key without a character (an escape sequence such as an arrow key), or -1
// when no key can come (no terminal, end of input, read error). The
// terminal's mode is restored before the call returns.
Long TermReadKey(void);

// Reads one line of at most capacity - 1 bytes from standard input (the line
// end is not stored; a longer line is cut before a whole UTF-8 character and
// its rest stays for the next read). The input's error state is cleared
// first. Returns false at the end of input with nothing read (line empty).
bool TermReadLine(char* line, Qword capacity);

// Runs a command line through the shell; its exit status, or -1 when no
// shell could be started.
Long TermRunShell(const char* command);
