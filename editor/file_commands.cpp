#include "editor/file_commands.h"

#include <commdlg.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "cliphistory/clip_history.h"
#include "cliphistory/history_edit_dialog.h"
#include "editor/editor_session.h"
#include "editor/editor_tree.h"
#include "editor/pending_children.h"
#include "files/atomic_file.h"
#include "files/escaping.h"
#include "files/file_dialog.h"
#include "files/menu_exports.h"
#include "files/menu_file.h"
#include "files/platform_files.h"
#include "files/startup_load.h"
#include "folderpopup/vossel_settings.h"
#include "popup/popup_menu.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/timing_log.h"

namespace tv {

namespace {

const char allFilesFilter[] = "すべてのファイル (*.*)\0*.*\0";
const char xmlFilter[] = "Tolvane形式のXMLファイル(*.xml)\0*.xml\0すべてのファイル (*.*)\0*.*\0";
const char textFilter[] = "テキストファイル(*.txt)\0*.txt\0すべてのファイル (*.*)\0*.*\0";
constexpr DWORD openFlags = OFN_LONGNAMES | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
constexpr DWORD saveFlags = OFN_LONGNAMES | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

// The file's name without its folder. A trail byte 0x5C is part of its character.
std::string baseName(const std::string& path) { return path.substr(fileNameStart(path)); }

// The fields change on screen; the change notifications carry them into the
// selected item through the properties pane, as typing would.
void showInFields(editorState& editor, const std::string& name, const std::string* content) {
    SetWindowTextA(editor.displayText, name.c_str());
    if (content) SetWindowTextA(editor.content, content->c_str());
    PostMessageA(editor.window, WM_COMMAND, MAKEWPARAM(IDC_DISPLAY_TEXT, EN_CHANGE),
                 reinterpret_cast<LPARAM>(editor.displayText));
    if (content)
        PostMessageA(editor.window, WM_COMMAND, MAKEWPARAM(IDC_CONTENT, EN_CHANGE),
                     reinterpret_cast<LPARAM>(editor.content));
    markModified();
}

// A program (or a folder for a folder popup) becomes the selected item's content.
void takePath(editorState& editor, uint8_t mode, const std::string& name, const std::string& path) {
    SendMessageA(editor.modeList, CB_SETCURSEL, mode, 0);
    showInFields(editor, name, &path);
}

void loadFileIntoData(editorState& editor, const std::string& name, const std::string& path) {
    markModified();
    std::string bytes;
    if (!readWholeFile(path, bytes) || bytes.empty()) {
        showInFields(editor, name, nullptr);
        return;
    }
    // The edit control shows the text up to the first NUL byte.
    bytes.resize(bytes.find('\0') == std::string::npos ? bytes.size() : bytes.find('\0'));
    showInFields(editor, name, &bytes);
}

std::string proposedName(const editorState& editor) {
    return editor.selectedItem ? sanitizeFileName(editor.selectedItem->text) : std::string();
}

HTREEITEM selectedOrRoot(const editorState& editor) {
    return editor.selectedEntry ? editor.selectedEntry : editor.rootEntry;
}

// The whole menu as the editor has it: the root item with the tree's entries.
menuNode wholeMenuFromTree(const editorState& editor) {
    menuNode whole = copyEditorSubtree(editor, editor.rootEntry);
    whole.item = editor.rootItem;
    return whole;
}

bool selectionIsRoot(const editorState& editor) {
    return !editor.selectedEntry || editor.selectedEntry == editor.rootEntry;
}

std::optional<std::string> askSavePath(editorState& editor, const char* title, const char* filter, size_t filterLength,
                                       const char* extension) {
    fileDialogOptions options;
    options.title = title;
    options.filter = filter;
    options.filterLength = filterLength;
    options.defaultExtension = extension;
    options.proposedName = proposedName(editor);
    options.flags = saveFlags;
    return chooseFileToSave(editor.window, options);
}

using menuWriter = bool (*)(const menuModel&, const std::string&, const menuNode&, menuExtent);

// The selection and its subtree, or with "メニュー" selected the whole menu as
// the editor has it, into a file the user names.
void saveSelection(editorState& editor, const char* title, const char* filter, size_t filterLength,
                   const char* extension, menuWriter write) {
    auto path = askSavePath(editor, title, filter, filterLength, extension);
    if (!path) return;
    bool written = selectionIsRoot(editor)
                       ? write(app().model, *path, wholeMenuFromTree(editor), menuExtent::wholeMenu)
                       : write(app().model, *path, copyEditorSubtree(editor, editor.selectedEntry), menuExtent::subtree);
    if (!written) reportWriteFailure(editor.window);
}

void chooseFont(editorState& editor, fontRecord& record, const char* section) {
    LOGFONTA chosen = screenLogFont(record);
    CHOOSEFONTA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = editor.window;
    dialog.lpLogFont = &chosen;
    dialog.Flags = CF_SCREENFONTS | (record.log.lfFaceName[0] ? CF_INITTOLOGFONTSTRUCT : 0);
    if (!ChooseFontA(&dialog)) return;
    if (setFontFromScreen(record, chosen) && !saveFontRecord(section, record)) reportWriteFailure(editor.window);
}

itemFields historyItemFields(const std::string& escapedText) {
    itemFields fields;
    fields.mode = itemMode::inputDataString;
    fields.text = escapedText;
    fields.data = unescapeText(escapedText);
    return fields;
}

void insertNewItem(editorState& editor, itemFields fields) {
    menuNode node;
    app().model.createItem(node, std::move(fields));
    insertAtSelection(editor, node);
}

// The text split at each CR LF pair, in order.
std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

void onDropFiles(editorState& editor, HDROP drop) {
    // Only the first file counts; its name may be longer than MAX_PATH.
    UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    std::string path(length + 1, '\0');
    DragQueryFileA(drop, 0, &path[0], length + 1);
    path.resize(length);
    DragFinish(drop);
    SetForegroundWindow(editor.window);
    if (path.empty()) return;
    if (GetAsyncKeyState(VK_SHIFT) < 0)
        loadFileIntoData(editor, baseName(path), path);
    else
        takePath(editor, itemMode::exeProgram, baseName(path), path);
}

void pickFileToRun(editorState& editor) {
    static const char title[] =
        "ファイル名 参照 (ファイルを　ウインドウにドラッグ＆ドロップ) (さらに，用途をプログラム実行に変更)";
    fileDialogOptions options{title, allFilesFilter, sizeof allFilesFilter, nullptr, std::string(), openFlags};
    if (auto path = chooseFileToOpen(editor.window, options)) takePath(editor, itemMode::exeProgram, baseName(*path), *path);
}

void pickFileToLoad(editorState& editor) {
    static const char title[] =
        "ファイルの中身を入力 (ファイルをShiftキーを押しながら　ウインドウにドラッグ＆ドロップ) ";
    fileDialogOptions options{title, allFilesFilter, sizeof allFilesFilter, nullptr, std::string(), openFlags};
    if (auto path = chooseFileToOpen(editor.window, options)) loadFileIntoData(editor, baseName(*path), *path);
}

void pickFolderToBrowse(editorState& editor) {
    std::string path;
    std::string displayName;
    if (browseForFolder(editor.window, "フォルダ名参照\nファイルフォルダをポップアップメニューとして設定", &path,
                        &displayName) != 1)
        return;
    // A folder whose path does not fit the shell's buffer comes back empty.
    if (!path.empty()) takePath(editor, itemMode::folderPopup, displayName, path);
}

// The most entries an import puts into the tree at once.
constexpr size_t importShownWhole = 1000;

void importMenuFile(editorState& editor) {
    fileDialogOptions options{"Tolvane２形式の構造ファイルより，現在選択中の位置に読み込みます．", menuFileFilter,
                        menuFileFilterLength, "ini", std::string(), openFlags};
    auto path = chooseFileToOpen(editor.window, options);
    if (!path) return;
    editorStepsBegin();
    menuNode imported;
    readReport report = readMenuFile(app().model, *path, imported, readTarget::otherTree);
    editorStepDone("import: read the file");
    if (report.rejected() || report.status == readStatus::emptyFile) {
        // A file that names its faulty line says which, as at start-up.
        std::string reason = report.rejected() ? rejectionReason(report) : std::string();
        settingsMessage(editor.window, reason.empty() ? "Tolvane２で保存したファイル形式ではないようです" : reason.c_str(),
                        MB_ICONERROR);
        return;
    }
    if (!imported.hasChildren()) return;
    HTREEITEM parent = selectedOrRoot(editor);
    HTREEITEM last = fillEditorTree(editor, imported, parent, TVI_LAST);
    // An import of some pages goes in whole, so that its last entry can be
    // selected; a larger one shows its first page like any level.
    if (last && imported.childCount() <= importShownWhole) {
        fillChildrenNow(editor, parent);
        last = asEntry(editor.entries.lastChild(parent));
    }
    if (last) selectEntry(editor.tree, last);
    refreshEntryIcon(editor, parent);
    UpdateWindow(editor.tree);
    editorStepDone("import: fill the tree");
    // Imported entries would be lost by キャンセル without a word otherwise.
    markModified();
}

void saveSelectionAsMenu(editorState& editor) {
    saveSelection(editor, "Tolvane２形式の構造ファイルで，現在選択中の位置以下を保存します", menuFileFilter,
                  menuFileFilterLength, "ini", writeMenuFile);
}

void saveSelectionAsXml(editorState& editor) {
    saveSelection(editor, "XML形式の構造ファイルで，現在選択中の位置以下を保存します", xmlFilter, sizeof xmlFilter,
                  "xml", writeMenuXml);
}

void saveSelectionAsOutline(editorState& editor) {
    auto path = askSavePath(editor, "単純テキスト形式で現在選択中の位置以下を保存します", textFilter,
                            sizeof textFilter, "txt");
    if (!path) return;
    if (!writeOutline(*path, copyEditorSubtree(editor, selectedOrRoot(editor)))) reportWriteFailure(editor.window);
}

void chooseEditFont(editorState& editor) {
    chooseFont(editor, app().font, "Font");
    SendMessageA(editor.content, WM_SETFONT, reinterpret_cast<WPARAM>(app().font.handle), TRUE);
    setHistoryEditFont(app().font.handle);
}

void chooseMenuFont(editorState& editor) { chooseFont(editor, app().menuFont, "MenuFont"); }

void startDirectEdit(editorState&) {
    std::string path = dataFilePath(app().startDirectory, app().dataFileName);
    ShellExecuteA(nullptr, "OPEN", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The editor closes (asking when there are changes) and a new one opens on the
// menu read back from the file. Kept open, it stays the only editor.
void endDirectEdit(editorState& editor) {
    if (closeEditorWithPrompt(editor)) PostMessageA(app().mainWindow, WM_COMMAND, IDM_MAIN_OPEN_EDITOR, 0);
}

void insertAllHistory(editorState& editor) {
    markModified();
    // Copied first: inserting creates items, and nothing may disturb the walk.
    std::vector<std::string> texts;
    for (const itemRef& entry : clipHistory().entries()) texts.push_back(entry->text);
    for (const std::string& text : texts) insertNewItem(editor, historyItemFields(text));
}

void insertHistoryPick(editorState& editor, uint16_t id) {
    itemRef entry = clipHistory().findHistoryEntry(id);
    if (!entry) return;
    if (!editorLinesMenuFilledLast()) {
        markModified();
        insertNewItem(editor, historyItemFields(entry->text));
        return;
    }
    for (const std::string& line : crlfLines(unescapeText(entry->text))) {
        if (line.empty()) continue;
        itemFields fields;
        fields.mode = itemMode::inputDataString;
        fields.data = line;
        fields.text = escapeText(line);
        insertNewItem(editor, std::move(fields));
        markModified();
    }
}

}  // namespace tv
