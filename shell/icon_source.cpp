#include "shell/icon_source.h"

#include <climits>

#include "model/menu_item.h"
#include "res/resource.h"

namespace tv {

const int standardIconResources[iconSlot::count] = {
    IDI_PHRASE, IDI_DATA_PHRASE, IDI_FOLDER, IDI_SETTINGS, IDI_VSEPARATOR, IDI_HSEPARATOR,
    IDI_CLIP_HISTORY, IDI_APP, IDI_DATE, IDI_DATE_FOLDER, IDI_EDIT_HISTORY, IDI_EXIT,
    IDI_ERASE_HISTORY, IDI_FOLDER_OPEN, IDI_DATE_FOLDER_OPEN, IDI_CLIP_HISTORY_OPEN, IDI_ENCLOSE, IDI_FOLDER_POPUP,
};

int builtInIconSlot(uint8_t mode) {
    switch (mode) {
    case itemMode::folderPopup: return iconSlot::folderPopup;
    case itemMode::inputString: return iconSlot::phrase;
    case itemMode::inputDataString: return iconSlot::dataPhrase;
    case itemMode::showSetting: return iconSlot::setting;
    case itemMode::hSeparater: return iconSlot::hSeparator;
    case itemMode::vSeparater: return iconSlot::vSeparator;
    case itemMode::dateTimeExt:
    case itemMode::newDateTime: return iconSlot::date;
    case itemMode::editHistory: return iconSlot::editHistory;
    case itemMode::exit: return iconSlot::exit;
    case itemMode::eraseClipHistory: return iconSlot::eraseHistory;
    case itemMode::encloseSelection: return iconSlot::enclose;
    default: return iconSlot::phrase;  // exeProgram, insertFront, history entries
    }
}

int submenuIconSlot(uint8_t mode, bool hasSubmenu, bool selected) {
    if (mode == itemMode::clipBoardHistory)
        return selected && hasSubmenu ? iconSlot::historySelected : iconSlot::history;
    // A folder popup always has a submenu; it wants its folder's own icon instead.
    if (!hasSubmenu || mode == itemMode::folderPopup) return -1;
    if (mode == itemMode::dateTimeExt || mode == itemMode::newDateTime)
        return selected ? iconSlot::dateFolderSelected : iconSlot::dateFolder;
    return selected ? iconSlot::folderSelected : iconSlot::folder;
}

bool takesProgramIcon(uint8_t mode, const std::string& data) {
    return mode == itemMode::exeProgram || (mode == itemMode::folderPopup && !data.empty());
}

bool isUrlCommand(const std::string& data) {
    static const char* const schemes[] = {
        "http://", "https:", "ftp:", "telnet:", "mailto:", "news:", "RLogin:", "Snews:",
    };
    for (const char* scheme : schemes)
        if (data.compare(0, std::char_traits<char>::length(scheme), scheme) == 0) return true;
    return false;
}

namespace {

// Like atoi on text that starts with '-' or a digit, but a huge number stops at
// the int range instead of wrapping.
int readIndex(const std::string& text, size_t at) {
    bool negative = text[at] == '-';
    if (negative) ++at;
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

bool parseDefaultIcon(const std::string& value, std::string& path, int& index) {
    size_t comma = value.rfind(',');
    if (comma == std::string::npos) return false;
    size_t start = value.find_first_of("-0123456789", comma + 1);
    if (start == std::string::npos) return false;
    path = value.substr(0, comma);
    index = readIndex(value, start);
    return true;
}

}  // namespace tv
