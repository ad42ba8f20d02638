// The program's one clipboard history, and its file between runs.
#pragma once

#include "cliphistory/history_list.h"

namespace tv {

// Made on first use; its entries take their ids from app().model.
historyList& clipHistory();
// Writes (or deletes) the history file as the settings and the instance allow.
void saveHistoryNow();

}  // namespace tv
