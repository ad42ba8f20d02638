// The data file as our last read or save left it (time and size), so that a
// change another program makes is told from our own saves.
#pragma once

#include <windows.h>

namespace tv {

struct dataFileStamp {
    bool exists = false;
    FILETIME written{};
    DWORD sizeHigh = 0, sizeLow = 0;

    bool operator==(const dataFileStamp& other) const;
};

// The file's time and size now: taken before a read, so that a change made
// while it reads is still seen at the next look.
dataFileStamp dataFileStampNow();
// After a read that succeeded: a read that failed (the file held by another
// program) leaves the old stamp, so the next look tries again.
void rememberDataFile(const dataFileStamp& stamp);
// After a save of ours.
void rememberDataFile();
// The file's time or size differs from what we last left, or it appeared or went.
bool dataFileChangedOnDisk();
// Before a save: another program changed the file since we last read or saved
// it (or held it when we tried), so the user says whether the save replaces that.
bool mayOverwriteDataFile(HWND owner);

}  // namespace tv
