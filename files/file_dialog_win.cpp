#include "files/file_dialog.h"

#include <commdlg.h>

#include <vector>

namespace tv {

const char menuFileFilter[] = "Tolvane形式のINIファイル(*.ini)\0*.ini\0すべてのファイル (*.*)\0*.*\0";
const size_t menuFileFilterLength = sizeof menuFileFilter;

namespace {

// Large enough for long paths; the proposed name is cut only if it would not fit.
constexpr size_t pathBufferSize = 4096;

std::string currentFolder() {
    DWORD length = GetCurrentDirectoryA(0, nullptr);
    std::string folder(length, '\0');
    DWORD got = length ? GetCurrentDirectoryA(length, &folder[0]) : 0;
    folder.resize(got < length ? got : 0);
    return folder;
}

std::optional<std::string> runDialog(HWND owner, const fileDialogOptions& options, bool saving) {
    std::vector<char> path(pathBufferSize, '\0');
    options.proposedName.copy(path.data(), path.size() - 1);
    std::string folder = currentFolder();
    // The dialog takes the filter up to its double NUL: keep it in one piece.
    std::string filter(options.filter ? options.filter : "", options.filter ? options.filterLength : 0);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = options.title;
    dialog.lpstrDefExt = options.defaultExtension;
    dialog.Flags = options.flags | OFN_EXPLORER;
    BOOL chosen = saving ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    SetCurrentDirectoryA(folder.c_str());
    if (!chosen) return std::nullopt;
    return std::string(path.data());
}

}  // namespace

std::optional<std::string> chooseFileToOpen(HWND owner, const fileDialogOptions& options) {
    return runDialog(owner, options, false);
}

std::optional<std::string> chooseFileToSave(HWND owner, const fileDialogOptions& options) {
    return runDialog(owner, options, true);
}

}  // namespace tv
