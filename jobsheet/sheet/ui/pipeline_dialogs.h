#pragma once
// Fills the main dialog's table of the dialogs it opens from this layer: the
// settings sheet on a loaded input, the reusable-job dialogs and the join
// replay. The program calls it once at start-up, before the main window runs.
void RegisterPipelineDialogs();
