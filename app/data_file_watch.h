// Picking up the data file when another program changes it.
#pragma once

namespace tv {

// Timer IDT_DATA_FILE_WATCH: with the editor closed and no menu open, a data
// file changed on disk becomes the running menu, its hotkeys and corners. While
// the editor is open the change waits; the editor asks before saving over it.
void watchDataFile();

}  // namespace tv
