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
    std::string ExcludeApps;  // ";"-separated program file names whose copies are never recorded
    // [Paste]
    bool RestoreClipboard = true;  // give the user's clipboard back after an insertion
};

struct fontRecord {
    HFONT handle = nullptr;  // null when the face name is empty: draw with the DC's font
    LOGFONTA log{};          // as tv2.ini keeps it: sizes in pixels at 96 DPI
};

struct settingRange;

// INI access through the private-profile functions, one section and key at a time.
class profileFile {
public:
    explicit profileFile(std::string path) : path_(std::move(path)) {}
    void section(const char* name) { section_ = name; }
    int readInt(const char* key, int fallback) const;
    int readInt(const char* key, const settingRange& range) const;  // beyond the range: its nearest bound
    bool readSwitch(const char* key, bool fallback) const;  // on only when exactly 1
    std::string readString(const char* key, const char* fallback) const;
    // False when the key could not be written; a run of writes is checked once,
    // at its end, with writeFailed().
    bool writeInt(const char* key, int value);
    bool writeString(const char* key, const std::string& value);
    bool writeFailed() const { return writeFailed_; }

private:
    std::string path_;
    std::string section_;
    bool writeFailed_ = false;
};

extern const char* const settingsFileName;  // "./tv2.ini"

// A dialog field that edits a key of the ranges table: a field that does not
// hold a number keeps the value it had; a number beyond the key's range is its
// nearest bound, as the next start would read it.
int fieldSetting(HWND dialog, int id, int previous, const settingRange& range);

void loadSettings(settings& config, fontRecord& font, fontRecord& menuFont);
// Each is false when a key could not be written.
bool saveShutdownSettings(const settings& config);
bool saveFontRecord(const char* sectionName, const fontRecord& font);
void loadFontRecord(const profileFile& file, const char* sectionName, fontRecord& font);
// The record's font with its sizes scaled to the screen's DPI, as it is drawn
// (and as the font dialog shows it).
LOGFONTA screenLogFont(const fontRecord& font);
// A font the user chose on the screen becomes the record's font; the record
// keeps its sizes at 96 DPI. False (record unchanged) when no font can be made.
bool setFontFromScreen(fontRecord& font, const LOGFONTA& chosen);
void deleteFont(fontRecord& font);

}  // namespace tv
