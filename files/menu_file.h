// The menu data file: one tab-separated line per item, "{" and "}" lines around
// children, and a header line that carries the root item's hotkey and corner.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/byte_sink.h"
#include "files/menu_file_encoding.h"
#include "files/typing_triggers.h"
#include "model/menu_model.h"

namespace tv {

extern const char* const defaultDataFileName;  // "tv2_text.ini"
extern const char* const initialMenuFileName;  // "org_text.ini"
extern const char* const rootItemText;         // "メニュー"

// Which tree a read fills: only the running menu takes the root item and corners.
enum class readTarget { runningMenu, otherTree };
// What a write covers: the whole running menu, or one item with its subtree.
enum class menuExtent { wholeMenu, subtree };

enum class readStatus {
    loaded,       // read (possibly with no items)
    notFound,     // could not be opened: success with nothing read
    emptyFile,    // zero bytes: failure
    notMenuFile,  // the first line is not the header: failure
    notConvertible,  // a UTF-8 file with a line that has no code page 932 form: failure
};

struct readReport {
    readStatus status = readStatus::loaded;
    size_t unmatchedCloseLine = 0;        // a "}" with no "{" ended reading here (1-based)
    std::vector<size_t> ignoredOpenLines;  // "{" lines with no item before them
    std::vector<size_t> malformedEscapeLines = {};  // contents with a "\u{" that is no escape, kept as written
    // Abbreviations too long or holding control characters: what could be kept was.
    std::vector<size_t> changedAbbreviationLines = {};
    // Program items with a key or an abbreviation that typing sets off: kept as
    // written, but neither is armed (files/typing_triggers.h).
    struct unarmedItem {
        size_t line;
        typingTriggers triggers;
    };
    std::vector<unarmedItem> unarmedItems = {};
    textEncoding encoding = textEncoding::codePage932;
    conversionFault fault = conversionFault::none;
    size_t faultLine = 0;  // notMenuFile: the line read as the header; notConvertible: the line that failed
    // Items beyond the id space: read and written like any other, but never chosen.
    size_t itemsWithoutId = 0;
    size_t firstItemWithoutIdLine = 0;
    bool succeeded() const { return status == readStatus::loaded || status == readStatus::notFound; }
    // The file exists and has bytes, but they are not a menu the program can read.
    bool rejected() const { return status == readStatus::notMenuFile || status == readStatus::notConvertible; }
};

// Reads a data file into `target`, appending to its children. A read into the
// running menu replaces it: the old tree is released and the model's registry,
// menu id range and corners are reset first, whatever the outcome.
readReport readMenuFile(menuModel& model, const std::string& path, menuNode& target, readTarget kind);
// The same on bytes already in memory (a missing file is the caller's business).
readReport parseMenuText(menuModel& model, const std::string& bytes, menuNode& target, readTarget kind);

// Writes the data-file form of `node` (the running menu, or a subtree).
void formatMenuFile(const menuModel& model, const menuNode& node, menuExtent extent, byteSink& out);
// Saves it to `path` through a temporary file; false leaves any old file untouched.
bool writeMenuFile(const menuModel& model, const std::string& path, const menuNode& node, menuExtent extent);

// The file the running menu is saved to: a relative data file name is joined to
// the start directory, an absolute one is used as it is.
std::string dataFilePath(const std::string& startDirectory, const std::string& dataFileName);

// The C library's atoi, without its undefined overflow: the value saturates.
int parseDecimal(std::string_view column);

}  // namespace tv
