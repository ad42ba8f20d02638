#include "shell/data_file_stamp.h"

#include "files/menu_file.h"
#include "shell/app_state.h"
#include "shell/messages.h"

namespace tv {

namespace {

dataFileStamp remembered;

}  // namespace

bool dataFileStamp::operator==(const dataFileStamp& other) const {
    return exists == other.exists && CompareFileTime(&written, &other.written) == 0 &&
           sizeHigh == other.sizeHigh && sizeLow == other.sizeLow;
}

dataFileStamp dataFileStampNow() {
    dataFileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const std::string path = dataFilePath(app().startDirectory, app().dataFileName);
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.exists = true;
    stamp.written = data.ftLastWriteTime;
    stamp.sizeHigh = data.nFileSizeHigh;
    stamp.sizeLow = data.nFileSizeLow;
    return stamp;
}

void rememberDataFile(const dataFileStamp& stamp) { remembered = stamp; }

void rememberDataFile() { remembered = dataFileStampNow(); }

bool dataFileChangedOnDisk() { return !(dataFileStampNow() == remembered); }

bool mayOverwriteDataFile(HWND owner) {
    return !dataFileChangedOnDisk() ||
           settingsMessage(owner,
                           "データファイルがほかのプログラムによって変更されています．\r\n"
                           "上書きして保存しますか？",
                           MB_YESNO | MB_ICONWARNING) == IDYES;
}

}  // namespace tv
