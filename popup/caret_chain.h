// Where the target's text caret is. Many programs never set the caret that
// GetCaretPos reports, so it is asked of three sources in order of trust: the
// GUI thread's caret, then the accessibility caret, then GetCaretPos of the
// attached thread.
#pragma once

#include <optional>

namespace tv {

struct screenPoint {
    int x = 0;
    int y = 0;
};

// One source each; nullopt when it knows no caret. Points are in screen pixels.
class caretSource {
public:
    virtual ~caretSource() = default;
    virtual std::optional<screenPoint> guiThreadCaret() = 0;
    virtual std::optional<screenPoint> accessibleCaret() = 0;
    virtual std::optional<screenPoint> attachedThreadCaret() = 0;
};

enum class caretOrigin { none, guiThread, accessible, attachedThread };

struct caretLocation {
    caretOrigin origin = caretOrigin::none;
    screenPoint point;
};

// The first source that knows the caret; a source after it is not asked.
caretLocation findCaret(caretSource& source);

}  // namespace tv
