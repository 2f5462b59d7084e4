#pragma once
// Loading one CSV or TSV file into the data grid of a grid set.

#include "grid/grid_set.h"
#include "platform/cstring.h"

// Reads the CSV or TSV file at path (TSV when its own extension is ".tsv" or
// ".TSV") into set.m_DataGrid, fills the counts and per-row tables, empties the
// edit counts and saves the backup set. Returns 1 when the data is in place, 0
// when the file cannot be opened, has more than 30002 lines (the first 30002 stay
// loaded), or is refused: a line with more than 256 fields, a field longer than
// 10000 characters, a line longer than the stream allows or a failed read refuses
// the whole file with a message naming the file and the line, and nothing stays
// loaded. Messages go through the UI hooks. set.m_DecodeErrors says whether a
// loaded file had bytes its code could not read (shown as U+FFFD or blanks), and
// set.m_SourceIdentity which file was read. refuseLinks: a link at path is not
// followed but refused as a file that cannot be opened.
int LoadCsvFile(CGridSet& set, const CString& path, bool refuseLinks = false);
