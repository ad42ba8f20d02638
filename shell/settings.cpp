#include "shell/settings.h"

#include <cstdio>

#include "shell/dpi_scale.h"
#include "shell/screen_dpi.h"
#include "shell/setting_ranges.h"
#include "shell/window_text.h"

namespace tv {

const char* const settingsFileName = "./tv2.ini";

namespace {

constexpr size_t maxStringSetting = size_t{1} << 24;  // bytes: no setting comes near, and no read goes on forever

}  // namespace

int profileFile::readInt(const char* key, int fallback) const {
    return static_cast<int>(GetPrivateProfileIntA(section_.c_str(), key, fallback, path_.c_str()));
}

int profileFile::readInt(const char* key, const settingRange& range) const {
    return clampToRange(readInt(key, range.fallback), range);
}

bool profileFile::readSwitch(const char* key, bool fallback) const { return readInt(key, fallback ? 1 : 0) == 1; }

std::string profileFile::readString(const char* key, const char* fallback) const {
    // A value that fills the buffer comes back cut to its size less one byte:
    // it is read again into twice the room until it fits, so a list of programs
    // is read whole however long it grows.
    std::string value(2048, '\0');
    for (;;) {
        DWORD length = GetPrivateProfileStringA(section_.c_str(), key, fallback, value.data(),
                                                static_cast<DWORD>(value.size()), path_.c_str());
        if (length + 1 < value.size() || value.size() >= maxStringSetting) {
            value.resize(length);
            return value;
        }
        value.resize(value.size() * 2);
    }
}

int fieldSetting(HWND dialog, int id, int previous, const settingRange& range) {
    std::optional<int> typed = fieldNumber(dialog, id);
    return typed ? clampToRange(*typed, range) : previous;
}

bool profileFile::writeInt(const char* key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return writeString(key, text);
}

bool profileFile::writeString(const char* key, const std::string& value) {
    if (WritePrivateProfileStringA(section_.c_str(), key, value.c_str(), path_.c_str())) return true;
    writeFailed_ = true;
    return false;
}

namespace {

// The one-byte fields of a font record, in the order the file has them, with
// the value a missing key reads as.
struct logFontByte {
    const char* key;
    BYTE LOGFONTA::*member;
    int fallback;
};
const logFontByte logFontBytes[] = {
    {"Italic", &LOGFONTA::lfItalic, 0},           {"Underline", &LOGFONTA::lfUnderline, 0},
    {"StrikeOut", &LOGFONTA::lfStrikeOut, 0},     {"CharSet", &LOGFONTA::lfCharSet, 128},
    {"OutPrecision", &LOGFONTA::lfOutPrecision, 3}, {"Quality", &LOGFONTA::lfQuality, 1},
    {"PitchAndFamily", &LOGFONTA::lfPitchAndFamily, 50},
};

// The thirteen LOGFONTA keys of a font record; byte fields keep the low byte.
void readLogFont(const profileFile& file, LOGFONTA& log) {
    using namespace settingRanges;
    log = LOGFONTA{};
    log.lfHeight = file.readInt("Height", fontHeight);
    log.lfWidth = file.readInt("Width", fontWidth);
    log.lfEscapement = file.readInt("Escapement", fontAngle);
    log.lfOrientation = file.readInt("Orientation", fontAngle);
    log.lfWeight = file.readInt("Weight", fontWeight);
    for (const logFontByte& field : logFontBytes)
        log.*field.member = static_cast<BYTE>(file.readInt(field.key, field.fallback));
    // lfFaceName holds 31 bytes and its terminator.
    lstrcpynA(log.lfFaceName, file.readString("FaceName", "MS UI Gothic").c_str(), LF_FACESIZE);
}

void readWindowPlacement(const profileFile& file, windowPlacement& place) {
    place.left = file.readInt("left", settingRanges::windowCoordinate);
    place.top = file.readInt("top", settingRanges::windowCoordinate);
    place.right = file.readInt("right", settingRanges::windowCoordinate);
    place.bottom = file.readInt("bottom", settingRanges::windowCoordinate);
    place.sp = file.readInt("sp", settingRanges::splitter);
}

void writeWindowPlacement(profileFile& file, const windowPlacement& place) {
    file.writeInt("left", place.left);
    file.writeInt("top", place.top);
    file.writeInt("right", place.right);
    file.writeInt("bottom", place.bottom);
    file.writeInt("sp", place.sp);
}

}  // namespace

void deleteFont(fontRecord& font) {
    if (font.handle) DeleteObject(font.handle);
    font.handle = nullptr;
}

void loadFontRecord(const profileFile& file, const char* sectionName, fontRecord& font) {
    profileFile record = file;
    record.section(sectionName);
    readLogFont(record, font.log);
    deleteFont(font);
    if (font.log.lfFaceName[0]) {
        LOGFONTA onScreen = screenLogFont(font);
        font.handle = CreateFontIndirectA(&onScreen);
    }
}

LOGFONTA screenLogFont(const fontRecord& font) {
    LOGFONTA log = font.log;
    log.lfHeight = scaledPixels(log.lfHeight);
    log.lfWidth = scaledPixels(log.lfWidth);
    return log;
}

bool setFontFromScreen(fontRecord& font, const LOGFONTA& chosen) {
    HFONT handle = CreateFontIndirectA(&chosen);
    if (!handle) return false;
    deleteFont(font);
    font.handle = handle;
    font.log = chosen;
    font.log.lfHeight = unscaleForDpi(chosen.lfHeight, screenDpi());
    font.log.lfWidth = unscaleForDpi(chosen.lfWidth, screenDpi());
    return true;
}

void loadSettings(settings& config, fontRecord& font, fontRecord& menuFont) {
    using namespace settingRanges;
    profileFile file(settingsFileName);
    loadFontRecord(file, "Font", font);
    loadFontRecord(file, "MenuFont", menuFont);

    file.section("Clip");
    config.ClipToAddPos = file.readSwitch("ClipToAddPos", false);
    config.bRevNumAndAbc = file.readSwitch("bRevNumAndAbc", false);
    config.bClearClipHistoryOnExit = file.readSwitch("bClearClipHistoryOnExit", false);
    config.bNoMovePasetFromClipboard = file.readSwitch("bNoMovePasetFromClipboard", false);
    config.historyEditor.Maxed = file.readSwitch("Maxed", false);
    config.iMaxOneClipSize = file.readInt("iMaxOneClipSize", iMaxOneClipSize);
    config.iMaxOneOneSize = file.readInt("iMaxOneOneSize", iMaxOneOneSize);
    config.counts = file.readInt("counts", counts);
    config.NoPastFromQS = file.readSwitch("NoPastFromQS", true);
    config.ret_counts = file.readInt("ret_counts", ret_counts);
    config.ExcludeApps = file.readString("ExcludeApps", "");
    readWindowPlacement(file, config.historyEditor);

    file.section("set");
    readWindowPlacement(file, config.editor);
    config.ShowMenuPosMode = file.readInt("ShowMenuPosMode", ShowMenuPosMode);
    config.ShowAutoPopup = file.readInt("ShowAutoPopup", ShowAutoPopup);
    config.iMaxViewSize = file.readInt("iMaxViewSize", iMaxViewSize);
    config.editor.Maxed = file.readSwitch("Maxed", false);
    config.bUseOldDateTime = file.readSwitch("bUseOldDateTime", false);

    file.section("Paste");
    config.RestoreClipboard = file.readSwitch("RestoreClipboard", true);
}

bool saveShutdownSettings(const settings& config) {
    profileFile file(settingsFileName);
    file.section("set");
    writeWindowPlacement(file, config.editor);
    file.writeInt("ShowMenuPosMode", config.ShowMenuPosMode);
    file.writeInt("ShowAutoPopup", config.ShowAutoPopup);
    file.writeInt("iMaxViewSize", config.iMaxViewSize);
    file.writeInt("Maxed", config.editor.Maxed ? 1 : 0);
    file.writeInt("bUseOldDateTime", config.bUseOldDateTime ? 1 : 0);

    file.section("Clip");
    writeWindowPlacement(file, config.historyEditor);
    file.writeInt("Maxed", config.historyEditor.Maxed ? 1 : 0);
    return !file.writeFailed();
}

bool saveFontRecord(const char* sectionName, const fontRecord& font) {
    profileFile file(settingsFileName);
    file.section(sectionName);
    const LOGFONTA& log = font.log;
    file.writeInt("Height", log.lfHeight);
    file.writeInt("Width", log.lfWidth);
    file.writeInt("Escapement", log.lfEscapement);
    file.writeInt("Orientation", log.lfOrientation);
    file.writeInt("Weight", log.lfWeight);
    for (const logFontByte& field : logFontBytes) file.writeInt(field.key, log.*field.member);
    file.writeString("FaceName", log.lfFaceName);
    return !file.writeFailed();
}

}  // namespace tv
