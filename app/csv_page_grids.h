#pragma once
// The application's grids and counts as the CSV edit page's operations take them.

#include "jobsheet/sheet/csv_page_types.h"

CsvGrids AppCsvGrids();
