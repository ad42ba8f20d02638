#include "shell/app_state.h"

namespace tv {

appState& app() {
    static appState state;
    return state;
}

}  // namespace tv
