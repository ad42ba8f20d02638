// The caret is asked of its sources in order of trust, and no further.
#include <gtest/gtest.h>

#include <string>

#include "popup/caret_chain.h"

namespace {

using tv::caretOrigin;
using tv::screenPoint;

// Answers from a script, and records which sources were asked.
struct fakeCaretSource : tv::caretSource {
    std::optional<screenPoint> gui, accessible, attached;
    std::string asked;
    std::optional<screenPoint> guiThreadCaret() override { asked += 'g'; return gui; }
    std::optional<screenPoint> accessibleCaret() override { asked += 'a'; return accessible; }
    std::optional<screenPoint> attachedThreadCaret() override { asked += 't'; return attached; }
};

TEST(CaretChain, FirstSourceThatKnowsWinsAndLaterOnesAreNotAsked) {
    fakeCaretSource all;
    all.gui = screenPoint{10, 20};
    all.accessible = screenPoint{30, 40};
    all.attached = screenPoint{50, 60};
    tv::caretLocation found = tv::findCaret(all);
    EXPECT_EQ(found.origin, caretOrigin::guiThread);
    EXPECT_EQ(found.point.x, 10);
    EXPECT_EQ(all.asked, "g");

    fakeCaretSource browser;  // draws its own text: only the accessibility caret
    browser.accessible = screenPoint{30, 40};
    browser.attached = screenPoint{50, 60};
    found = tv::findCaret(browser);
    EXPECT_EQ(found.origin, caretOrigin::accessible);
    EXPECT_EQ(found.point.y, 40);
    EXPECT_EQ(browser.asked, "ga");

    fakeCaretSource old;
    old.attached = screenPoint{50, 60};
    EXPECT_EQ(tv::findCaret(old).origin, caretOrigin::attachedThread);
    EXPECT_EQ(old.asked, "gat");

    fakeCaretSource none;
    EXPECT_EQ(tv::findCaret(none).origin, caretOrigin::none);
    EXPECT_EQ(none.asked, "gat");
}

}  // namespace
