#pragma once
// The writer of the document command text: the tokens that the record's output
// format and document kind can carry, in one fixed order, joined by ";".

#include "jobsheet/command/job_setting.h"
#include "platform/cstring.h"

// The command text of job; the empty text when there is nothing to write.
// editModeEntered: not 0 once the CSV page has edited this input's data (the column
// selection, header type, row totals, time differences and field names are then
// already in the data and are not written). editCols: columns of the edit grid,
// among which the last column of a row total or time difference is looked up.
CString BuildCommandText(const JOBSETTING& job, int editModeEntered, int editCols);
