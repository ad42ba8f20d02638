// The application settings file "./tv2.ini": read once at start-up, the window
// and option keys written at shutdown, a font record when the user picks a font.
#pragma once

#include <windows.h>

#include <string>

namespace tv {

struct windowPlacement {
    int left = 0, top = 0, right = 0, bottom = 0;
    int sp = 0;  // splitter position
    bool Maxed = false;
};

struct settings {
    // [set]
    windowPlacement editor;
    int ShowMenuPosMode = 0;
    int ShowAutoPopup = 1;
    int iMaxViewSize = 200;
    bool bUseOldDateTime = false;
    // [Clip]
    windowPlacement historyEditor;
    bool ClipToAddPos = false;
    bool bRevNumAndAbc = false;
    bool bClearClipHistoryOnExit = false;
    bool bNoMovePasetFromClipboard = false;
    int iMaxOneClipSize = 32;
    int iMaxOneOneSize = 20;
    int counts = 250;
    bool NoPastFromQS = true;
    int ret_counts = 0;
};

struct fontRecord {
    HFONT handle = nullptr;  // null when the face name is empty: draw with the DC's font
    LOGFONTA log{};
};

// INI access through the private-profile functions, one section and key at a time.
class profileFile {
public:
    explicit profileFile(std::string path) : path_(std::move(path)) {}
    void section(const char* name) { section_ = name; }
    int readInt(const char* key, int fallback) const;
    bool readSwitch(const char* key, bool fallback) const;  // on only when exactly 1
    std::string readString(const char* key, const char* fallback) const;
    void writeInt(const char* key, int value) const;
    void writeString(const char* key, const std::string& value) const;

private:
    std::string path_;
    std::string section_;
};

extern const char* const settingsFileName;  // "./tv2.ini"

void loadSettings(settings& config, fontRecord& font, fontRecord& menuFont);
void saveShutdownSettings(const settings& config);
void saveFontRecord(const char* sectionName, const fontRecord& font);
void loadFontRecord(const profileFile& file, const char* sectionName, fontRecord& font);
void deleteFont(fontRecord& font);

}  // namespace tv
