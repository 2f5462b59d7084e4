#pragma once
// The CSV page and the job record: per-column settings travel by header name.
//
// ReadCsvPageInto turns the page's column codes, computed columns, group and
// subject columns into name lists and items of the record; MatchJobToCsvPage
// finds the columns again by comparing the record's names with the page's
// header names, in column order.

#include <vector>

#include "jobsheet/command/job_setting.h"
#include "jobsheet/sheet/csv_prop_page.h"

// Page into record. editCols: columns of the edit grid (a column order that shows
// them all in place is written as no order). editModeEntered: once the grid was edited the sort keys, row
// condition, column order and field names stay as the record has them.
// sendRows, sendCols receive the page's row and column counts.
// What the page cannot show is kept: list entries and items that name no
// displayed column, items of a kind the page has no code for, and the ",notTrim"
// flag of a barcode that is written again for the same column.
void ReadCsvPageInto(JOBSETTING& job, const CCsvPropPage& page, int editCols, int editModeEntered, int& sendRows,
                     int& sendCols);

// Record into page, after the page took its columns and names: the deleted-column
// list gets each of the first editCols data columns that neither the column map
// nor the list holds; codes from the name lists and items, group and subject
// columns, row totals and time differences are matched by header name.
// A list entry that the in-order walk passes over is still given to the first
// column of that name that has no code.
void MatchJobToCsvPage(const JOBSETTING& job, CCsvPropPage& page, int editCols);
