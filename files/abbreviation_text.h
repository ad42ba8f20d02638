// The one rule for an abbreviation's bytes, shared by the data file's reader
// and the editor's field.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// What can be kept of an abbreviation: control characters (which cannot be
// typed) are dropped, and so is a lead byte without its trail byte; then the
// text is cut after the last whole character that fits in maxAbbreviationBytes.
// A usable abbreviation comes back as it was.
std::string usableAbbreviation(std::string_view raw);

}  // namespace tv
