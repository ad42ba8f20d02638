#include "popup/caret_chain.h"

namespace tv {

caretLocation findCaret(caretSource& source) {
    if (auto point = source.guiThreadCaret()) return {caretOrigin::guiThread, *point};
    if (auto point = source.accessibleCaret()) return {caretOrigin::accessible, *point};
    if (auto point = source.attachedThreadCaret()) return {caretOrigin::attachedThread, *point};
    return {};
}

}  // namespace tv
