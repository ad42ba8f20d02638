#include "popup/popup_state.h"

namespace tv {

popupState& popup() {
    static popupState state;
    return state;
}

}  // namespace tv
