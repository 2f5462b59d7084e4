#pragma once
// The reader of the document command text: ";"-separated tokens, each opened by a
// case-sensitive keyword (the first keyword of the table that begins the token wins).

#include "jobsheet/command/job_setting.h"
#include "platform/cstring.h"

// Sets the fields of job that the tokens of text name; fields no token names keep
// their values, so callers reset the record first. Unknown tokens are skipped; a
// token that breaks its keyword's syntax ends the reading with what was set so far.
// Never fails and never throws, whatever the text.
void ParseCommandText(JOBSETTING& job, const CString& text);
