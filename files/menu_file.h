// The menu data file: one tab-separated line per item, "{" and "}" lines around
// children, and a header line that carries the root item's hotkey and corner.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/byte_sink.h"
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
};

struct readReport {
    readStatus status = readStatus::loaded;
    size_t unmatchedCloseLine = 0;        // a "}" with no "{" ended reading here (1-based)
    std::vector<size_t> ignoredOpenLines;  // "{" lines with no item before them
    bool succeeded() const { return status == readStatus::loaded || status == readStatus::notFound; }
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
