// The fill-in dialog: one field per label of a phrase's "%%?label%%" marks,
// asked before the phrase is inserted.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tv {

struct fillInDialogData {
    std::vector<std::string> labels;   // in the order they appear, each once
    std::vector<std::string> answers;  // one per label, on OK
};

// True on OK; Cancel means nothing is inserted.
bool showFillInDialog(HWND owner, fillInDialogData& data);

}  // namespace tv
