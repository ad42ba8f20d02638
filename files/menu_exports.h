// One-way exports of a menu or subtree: an XML structure file and a plain-text
// outline for reading or printing. Neither is ever read back.
#pragma once

#include <string>

#include "files/byte_sink.h"
#include "files/menu_file.h"
#include "model/menu_model.h"

namespace tv {

// The keyword written in <mode> for each mode; modes without one are written as numbers.
std::string modeKeyword(uint8_t mode);

// With menuExtent::wholeMenu, `node` is the running menu: a <rootItem> line comes
// first (when any item exists) and the root item is the outermost <item>.
void formatMenuXml(const menuModel& model, const menuNode& node, menuExtent extent, byteSink& out);
bool writeMenuXml(const menuModel& model, const std::string& path, const menuNode& node, menuExtent extent);

// A table of contents and a body, numbered 1, 1.1, 1.2, ... below the exported node.
// A node without an item writes no entry, but its children are numbered.
void formatOutline(const menuNode& node, byteSink& out);
bool writeOutline(const std::string& path, const menuNode& node);

}  // namespace tv
