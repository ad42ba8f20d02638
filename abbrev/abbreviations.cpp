#include "abbrev/abbreviations.h"

#include <utility>

#include "abbrev/abbreviation_state.h"
#include "popup/execute.h"
#include "popup/fill_in_paste.h"
#include "popup/fill_ins.h"
#include "popup/placement.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/own_keys.h"
#include "shell/settings.h"

namespace tv {

abbreviationState& abbreviations() {
    static abbreviationState state;
    return state;
}

namespace {

void installOrReport() {
    abbreviationState& state = abbreviations();
    if (installKeyboardWatch() || state.failureReported) return;
    removeKeyboardWatch();
    state.failureReported = true;
    settingsMessage(app().mainWindow,
                    "キーボードの入力を受け取れないため，略語は展開されません．",
                    MB_OK | MB_ICONWARNING);
}

void takeBackAbbreviation(size_t characters) {
    for (size_t i = 0; i < characters; ++i) tapOwnKey(VK_BACK);
}

}  // namespace

void startAbbreviations() {
    abbreviationState& state = abbreviations();
    profileFile file(settingsFileName);
    file.section("Abbrev");
    state.Enable = file.readSwitch("Enable", true);
    state.Exclude = file.readString("Exclude", "");
    if (!state.Enable) return;
    installOrReport();
    SetTimer(app().mainWindow, IDT_ABBREVIATION_WATCH, 5000, nullptr);
}

void stopAbbreviations() {
    KillTimer(app().mainWindow, IDT_ABBREVIATION_WATCH);
    removeKeyboardWatch();
}

// A hit posted before the rebuild stays: it names its abbreviation, which is
// looked up in the new table when the hit is taken.
void rebuildAbbreviations(const menuNode& tree) {
    abbreviationLock held;
    abbreviations().matcher.rebuild(tree);
}

void watchAbbreviationHooks() {
    if (keyboardWatchLost()) installOrReport();
}

void runAbbreviationHit() {
    std::optional<abbreviationHit> hit;
    itemRef running;
    {
        abbreviationLock held;
        hit = std::exchange(abbreviations().pending, std::nullopt);
        if (hit) running = abbreviations().matcher.item(hit->abbreviation);
    }
    // The abbreviation may have left the menu since it was typed.
    if (!running || abbreviations().paused) return;
    captureTarget();
    menuItem& item = *running;
    bool unicodeEscapes = false;
    const std::string* phrase = phraseTextOf(item, unicodeEscapes);
    if (!phrase || fillInLabels(*phrase).empty()) {
        takeBackAbbreviation(hit->characters);
        executeItem(item, false);
        return;
    }
    // A phrase that asks for values asks before the abbreviation is taken back:
    // Backspaces sent first would reach the dialog once it takes the focus.
    std::vector<std::string> answers;
    const bool answered = askFillIns(*phrase, answers);
    giveFocusToTarget();
    waitForTarget();
    takeBackAbbreviation(hit->characters);
    if (answered) pasteFilledIn(*phrase, unicodeEscapes, &answers);
}

bool abbreviationsEnabled() { return abbreviations().Enable; }
bool abbreviationsPaused() { return abbreviations().paused; }

void toggleAbbreviationPause() {
    abbreviations().paused = !abbreviations().paused;
    abbreviationLock held;
    abbreviations().matcher.reset();
}

}  // namespace tv
