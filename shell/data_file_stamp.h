// The data file as our last read or save left it (time and size), so that a
// change another program makes is told from our own saves.
#pragma once

namespace tv {

// After every read and write of the data file by this program.
void rememberDataFile();
// The file's time or size differs from what we last left, or it appeared or went.
bool dataFileChangedOnDisk();

}  // namespace tv
