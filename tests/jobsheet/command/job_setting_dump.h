#pragma once
// A readable one-line account of a command record for test expectations: the fields
// that are not 0 or empty, in the record's order, separated by blanks. Texts are
// quoted; private-use characters appear as \uXXXX.

#include <string>

#include "jobsheet/command/job_setting.h"

std::string DumpJobSetting(const JOBSETTING& job);
