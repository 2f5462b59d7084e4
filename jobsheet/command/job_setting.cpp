#include "jobsheet/command/job_setting.h"

void JOBSETTING::Reset() { *this = JOBSETTING(); }
