#include "abbrev/abbreviations.h"

#include <utility>

#include "abbrev/abbreviation_state.h"
#include "popup/execute.h"
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

void rebuildAbbreviations(const menuNode& tree) {
    abbreviations().matcher.rebuild(tree);
    abbreviations().pending.reset();
}

void watchAbbreviationHooks() {
    if (keyboardWatchLost()) installOrReport();
}

void runAbbreviationHit() {
    std::optional<abbreviationHit> hit = std::exchange(abbreviations().pending, std::nullopt);
    if (!hit || !hit->item || abbreviations().paused) return;
    captureTarget();
    for (size_t i = 0; i < hit->characters; ++i) tapOwnKey(VK_BACK);
    executeItem(*hit->item, false);
}

bool abbreviationsEnabled() { return abbreviations().Enable; }
bool abbreviationsPaused() { return abbreviations().paused; }

void toggleAbbreviationPause() {
    abbreviations().paused = !abbreviations().paused;
    abbreviations().matcher.reset();
}

}  // namespace tv
