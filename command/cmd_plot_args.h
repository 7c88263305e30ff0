// Shared checks of the plot commands' argument record.
#pragma once
#include "command/ky_command_args.h"
#include "framework/graphics/plot.h"
#include "framework/ky_app_record.h"

// The record's PlotArgs; null with error 22 when there is none.
PlotArgs* PlotArgsOf(KyAppRecord* record);
// The plot of the record's PlotArgs; null with error 22 when the record or
// the plot is missing.
cPlot* PlotOrMissing(KyAppRecord* record);
