// The rows of the calibration table: one per data item, each with its use
// button, C in field, Q field and C out field.
#pragma once

class Fl_Widget;

// Rebuilds the table for the current number of items. Rows of items that
// were there before keep what they held (typed concentrations, quantities,
// results, use buttons); rows of new items are appended empty.
void BuildCalibrationTable();
void OnSelectAllRows(Fl_Widget* header, void* data);
