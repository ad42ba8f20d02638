#include "shell/data_file_stamp.h"

#include <windows.h>

#include "files/menu_file.h"
#include "shell/app_state.h"

namespace tv {

namespace {

struct fileStamp {
    bool exists = false;
    FILETIME written{};
    DWORD sizeHigh = 0, sizeLow = 0;

    bool operator==(const fileStamp& other) const {
        return exists == other.exists && CompareFileTime(&written, &other.written) == 0 &&
               sizeHigh == other.sizeHigh && sizeLow == other.sizeLow;
    }
};

fileStamp remembered;

fileStamp currentStamp() {
    fileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const std::string path = dataFilePath(app().startDirectory, app().dataFileName);
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.exists = true;
    stamp.written = data.ftLastWriteTime;
    stamp.sizeHigh = data.nFileSizeHigh;
    stamp.sizeLow = data.nFileSizeLow;
    return stamp;
}

}  // namespace

void rememberDataFile() { remembered = currentStamp(); }

bool dataFileChangedOnDisk() { return !(currentStamp() == remembered); }

}  // namespace tv
