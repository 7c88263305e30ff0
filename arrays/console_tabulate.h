// Console tabulators: a real function over a data grid the user describes,
// listed to the console, a new text file or both (rows end with CR LF).
#pragma once
#include "base/types.h"

typedef double (*RFunctionR)(double x);
typedef double (*RFunctionRD)(double x, Dword parameter);
typedef double (*RFunctionRQ)(double x, Qword parameter);
typedef double (*RFunctionRR)(double x, double parameter);

// 0 on success; the code of a failed grid question (15); 63 "Undefined
// file" when the file dialog was cancelled, or the file layer's code when
// the file could not be created or written; 20 for a null function.
VELTRIA_API LibErrorCode ConTabulateRFunctionR(RFunctionR f, const char16_t* title);
VELTRIA_API LibErrorCode ConTabulateRFunctionRD(RFunctionRD f, const char16_t* title,
                                                Dword parameter);
VELTRIA_API LibErrorCode ConTabulateRFunctionRQ(RFunctionRQ f, const char16_t* title,
                                                Qword parameter);
VELTRIA_API LibErrorCode ConTabulateRFunctionRR(RFunctionRR f, const char16_t* title,
                                                double parameter);
