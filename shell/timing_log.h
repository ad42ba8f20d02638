// Timings for scripts/bench_wine.sh, written only when the environment
// variable TOLVANE_TIMING_LOG names a file; otherwise every call does nothing.
// Each event appends one line to that file.
#pragma once

namespace tv {

// Starts the clock of a menu opening: call just before TrackPopupMenu.
void menuOpeningStarts();
// The menu loop went idle (WM_ENTERIDLE with MSGF_MENU): the first time after
// menuOpeningStarts the menu has been shown and painted, and "open: MS ms"
// is logged, measured as tests/e2e/helpers/baremenu measures its yardstick.
void menuLoopIdle();
// Start-up has put the icon into the tray: logs "tray".
void trayIconShown();
// A step of start-up is done: logs "startup: STEP MS ms", the time since the
// previous step (the first one: since the program began), just before "tray".
void startupStepDone(const char* step);
// The editor's long actions, step by step: editorStepsBegin starts the clock,
// each editorStepDone logs "editor: STEP MS ms", the time since the previous one.
void editorStepsBegin();
void editorStepDone(const char* step);

}  // namespace tv
