// The common Open and Save dialogs as the editor and its dialogs use them: the
// current folder to start in and given back afterwards, whatever the user did.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tv {

struct fileDialogOptions {
    const char* title = nullptr;
    // Pairs of description and pattern, each ending in a NUL, the list ending in
    // a second NUL: "Text (*.txt)\0*.txt\0All (*.*)\0*.*\0".
    const char* filter = nullptr;
    size_t filterLength = 0;  // with both terminating NULs: the literal's sizeof
    const char* defaultExtension = nullptr;
    std::string proposedName;
    DWORD flags = 0;
};

// The chosen path, or nothing when the user cancelled. Paths longer than
// MAX_PATH are accepted.
std::optional<std::string> chooseFileToOpen(HWND owner, const fileDialogOptions& options);
std::optional<std::string> chooseFileToSave(HWND owner, const fileDialogOptions& options);

// The filter of the menu data file dialogs: Tolvane's INI files, then all files.
extern const char menuFileFilter[];
extern const size_t menuFileFilterLength;

}  // namespace tv
