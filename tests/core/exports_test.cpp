// The XML structure file and the outline text export.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "files/menu_exports.h"
#include "tests/core/test_support.h"

using namespace tv;
using tvtest::addItem;
using tvtest::fields;

namespace {

const std::string prolog = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
const std::string rootStart = " <tolvaneData version=\"0.0\" xmlns=\"";

std::string xml(const menuModel& model, const menuNode& node, menuExtent extent) {
    stringSink sink;
    formatMenuXml(model, node, extent, sink);
    return sink.text;
}

// The namespace URI is ours to choose; the tests take it from the document.
std::string xmlHead(const std::string& document) {
    size_t end = document.find("\">", prolog.size());
    EXPECT_EQ(document.compare(0, prolog.size() + rootStart.size(), prolog + rootStart), 0) << document;
    EXPECT_NE(end, std::string::npos);
    std::string uri = document.substr(prolog.size() + rootStart.size(), end - prolog.size() - rootStart.size());
    EXPECT_FALSE(uri.empty());
    EXPECT_EQ(uri.find_first_of("\"<>\r\n"), std::string::npos);
    return prolog + rootStart + uri + "\">";
}

// The document of a single item exported on its own.
std::string xmlOfItem(const itemFields& f) {
    menuModel model;
    menuNode node;
    model.createItem(node, f);
    return xml(model, node, menuExtent::subtree);
}

std::string outline(const menuNode& node) {
    stringSink sink;
    formatOutline(node, sink);
    return sink.text;
}

std::string lines(const std::vector<std::string>& each) {
    std::string out;
    for (const auto& line : each) out += line + "\r\n";
    return out;
}

}  // namespace

TEST(XmlExport, ExampleMenuByteForByte) {
    menuModel model;
    tvtest::buildExampleMenu(model);
    const std::string document = xml(model, model.root, menuExtent::wholeMenu);
    EXPECT_EQ(document, xmlHead(document) + "\r\n" +
                            lines({"  <rootItem><vk>593</vk></rootItem>",
                                   "<item><mode>inputString</mode><text>メニュー</text><vk>593</vk>",
                                   "  <item><mode>inputString</mode><text>挨拶</text><extKey>16</extKey>",
                                   "    <item><mode>inputDataString</mode><text>おはよう</text>"
                                   "<data>おはようございます。\\r\\nよろしく</data></item>",
                                   "  </item>",
                                   "  <item><mode>hSeparater</mode><text>-横線-</text></item>",
                                   "</item>",
                                   "</tolvaneData>"}));
}

TEST(XmlExport, WholeMenuWithoutItemsHasNoRootItem) {
    menuModel model;
    const std::string document = xml(model, model.root, menuExtent::wholeMenu);
    EXPECT_EQ(document, xmlHead(document) + "\r\n</tolvaneData>\r\n");
}

TEST(XmlExport, EveryElementInOrder) {
    itemFields f = fields(itemMode::exeProgram, "run", "calc.exe\r\n/x");
    f.vk = 0x0270;
    f.extKey = 0x11;
    f.extIconFileName = "C:\\a&b.exe";
    f.extIconIndex = -3;
    menuModel model;
    menuNode node;
    model.createItem(node, f);
    model.corners.setCorner(node.item->itemId, 4);
    const std::string document = xml(model, node, menuExtent::subtree);
    EXPECT_EQ(document, xmlHead(document) +
                            "\r\n<item><mode>exeProgram</mode><text>run</text><data>calc.exe\\r\\n/x</data>"
                            "<vk>624</vk><extKey>17</extKey><mousePos>right-buttom</mousePos>"
                            "<extIconFileName>C:\\\\a&amp;b.exe</extIconFileName><extIconIndex>-3</extIconIndex></item>"
                            "\r\n</tolvaneData>\r\n");
    const char* keywords[] = {"left-up", "left-buttom", "right-up", "right-buttom"};
    for (int corner = 1; corner <= 3; ++corner) {
        model.corners.setCorner(node.item->itemId, corner);
        EXPECT_NE(xml(model, node, menuExtent::subtree).find(std::string("<mousePos>") + keywords[corner - 1] + "</mousePos>"),
                  std::string::npos);
    }
}

TEST(XmlExport, TextEscaping) {
    struct {
        std::string text, data, expected;
    } cases[] = {
        {"A&B <x>", "", "<text>A&amp;B &lt;x&gt;</text></item>"},
        {"ab", "a\r\nb", "<text>ab</text><data>a\\r\\nb</data></item>"},
        {"\\x", "", "<text>\\\\x</text></item>"},
        // The display text's own escapes come out as typed.
        {"a\\tb\\\\c\\n", "", "<text>a\\tb\\\\c\\n</text></item>"},
        {"ソ表\"'", "ソ\t", "<text>ソ表&quot;&apos;</text><data>ソ\\t</data></item>"},
        {"", "", "<mode>inputString</mode></item>"},
    };
    for (const auto& c : cases) {
        std::string document = xmlOfItem(fields(0, c.text, c.data));
        EXPECT_NE(document.find(c.expected + "\r\n</tolvaneData>"), std::string::npos) << document;
    }
    std::string separator = xmlOfItem(fields(itemMode::hSeparater, "-横線-"));
    EXPECT_EQ(separator, xmlHead(separator) + "\r\n<item><mode>hSeparater</mode><text>-横線-</text></item>" +
                             "\r\n</tolvaneData>\r\n");
}

// An item's abbreviation is an attribute of its <item>, only when it has one;
// the outline, meant for reading, leaves it out.
TEST(Exports, AbbreviationOnlyWhereThereIsOne) {
    itemFields f = fields(itemMode::inputDataString, "sig", "--");
    f.abbreviation = ";s\"<&'ソ";
    std::string document = xmlOfItem(f);
    EXPECT_EQ(document, xmlHead(document) +
                            "\r\n<item abbreviation=\";s&quot;&lt;&amp;&apos;ソ\"><mode>inputDataString</mode>"
                            "<text>sig</text><data>--</data></item>\r\n</tolvaneData>\r\n");
    EXPECT_EQ(xmlOfItem(fields(itemMode::inputDataString, "sig", "--")).find("abbreviation"), std::string::npos);

    menuModel model;
    menuNode node;
    model.createItem(node, f);
    EXPECT_EQ(outline(node), "-目次-\r\n\r\n sig\r\n\r\n\r\n\r\n sig\r\n\r\n--\r\n");
}

TEST(XmlExport, PartNeverWritesRootItem) {
    menuModel model;
    tvtest::buildExampleMenu(model);
    menuNode& folder = model.root.children[0];
    folder.item->vk = 593;
    model.corners.setCorner(folder.item->itemId, 1);
    std::string document = xml(model, folder, menuExtent::subtree);
    EXPECT_EQ(document.find("rootItem"), std::string::npos);
    EXPECT_NE(document.find("\r\n<item><mode>inputString</mode><text>挨拶</text><vk>593</vk><extKey>16</extKey>"
                            "<mousePos>left-up</mousePos>\r\n  <item>"),
              std::string::npos)
        << document;

    // A carrier node writes nothing of its own; its children start one level in.
    menuNode carrier;
    carrier.appendChild(menuNode(folder.item));
    EXPECT_EQ(xml(model, carrier, menuExtent::subtree),
              xmlHead(document) + "\r\n  <item><mode>inputString</mode><text>挨拶</text><vk>593</vk>"
                                  "<extKey>16</extKey><mousePos>left-up</mousePos></item>\r\n</tolvaneData>\r\n");
}

TEST(XmlExport, ModeKeywordsAreDistinct) {
    const std::vector<std::string> fixed = {"inputString", "inputDataString", "exeProgram",  "hSeparater", "vSeparater",
                                            "showSetting", "insertFront",     "clipBoardHistory", "dateTimeExt",
                                            "editHistory", "exit",            "eraseClipHistory", "newDateTime"};
    std::set<std::string> seen = {"left-up", "left-buttom", "right-up", "right-buttom"};
    for (int mode = 0; mode <= 14; ++mode) {
        std::string document = xmlOfItem(fields(static_cast<uint8_t>(mode), "t"));
        size_t start = document.find("<mode>") + 6;
        std::string keyword = document.substr(start, document.find("</mode>") - start);
        if (mode < 13) {
            EXPECT_EQ(keyword, fixed[mode]);
        }
        EXPECT_FALSE(keyword.empty());
        EXPECT_EQ(keyword.find_first_of("<>&\"' "), std::string::npos) << keyword;
        EXPECT_TRUE(seen.insert(keyword).second) << "mode " << mode << " repeats " << keyword;
    }
}

TEST(OutlineExport, ExampleByteForByte) {
    menuModel model;
    menuNode a;
    model.createItem(a, fields(0, "A", "a"));
    menuNode& b = addItem(model, a, "B", "b");
    addItem(model, b, "C", "c");
    addItem(model, b, "D", "d");
    addItem(model, a, "E", "e");
    EXPECT_EQ(outline(a), lines({"-目次-", "", " A", "", "  1 B", "", "    1.1 C", "", "    1.2 D", "", "", "",
                                 "  2 E", "", "", "", "", "", " A", "", "a", "", "1 B", "", "b", "", "1.1 C", "",
                                 "c", "", "1.2 D", "", "d", "", "", "", "2 E", "", "e", "", ""}));
}

TEST(OutlineExport, EdgeCases) {
    menuModel model;
    menuNode single;
    model.createItem(single, fields(0, "T\\n", "x\r\ny"));
    EXPECT_EQ(outline(single), "-目次-\r\n\r\n T\\n\r\n\r\n\r\n\r\n T\\n\r\n\r\nx\r\ny\r\n");

    menuNode empty;
    model.createItem(empty, fields(0, "T"));
    EXPECT_EQ(outline(empty), "-目次-\r\n\r\n T\r\n\r\n\r\n\r\n T\r\n\r\n\r\n");

    // The editor's root entry has no item: only its children are numbered.
    menuNode carrier;
    addItem(model, carrier, "P", "p");
    addItem(model, carrier, "Q", "q");
    EXPECT_EQ(outline(carrier), "-目次-\r\n\r\n  1 P\r\n\r\n  2 Q\r\n\r\n\r\n\r\n\r\n" +
                                    std::string("\r\n1 P\r\n\r\np\r\n\r\n2 Q\r\n\r\nq\r\n\r\n\r\n"));
}

TEST(OutlineExport, TenthChildNumbering) {
    menuModel model;
    menuNode top;
    model.createItem(top, fields(0, "top"));
    for (int i = 1; i <= 10; ++i) addItem(model, top, "c" + std::to_string(i));
    addItem(model, top.children[9], "g1");
    addItem(model, top.children[9], "g2");
    const std::string document = outline(top);
    EXPECT_NE(document.find("\r\n  10 c10\r\n\r\n    10.1 g1\r\n\r\n    10.2 g2\r\n"), std::string::npos) << document;
    EXPECT_NE(document.find("\r\n10.2 g2\r\n\r\n\r\n"), std::string::npos);
}

TEST(Exports, HundredThousandLevels) {
    const unsigned long long depth = 100000;
    menuModel model;
    model.createItem(model.root, fields(0, "メニュー"));
    tvtest::addChain(model, model.root, depth);

    tvtest::countingSink xmlSink;
    formatMenuXml(model, model.root, menuExtent::wholeMenu, xmlSink);
    // The root item at level 0, the chain at levels 1..depth; only the last closes on its own line.
    const unsigned long long open = std::string("\r\n<item><mode>inputString</mode><text>x</text>").size();
    const unsigned long long close = std::string("\r\n</item>").size();
    const std::string empty = xml(model, menuNode(), menuExtent::subtree);
    unsigned long long expectedXml = xmlHead(empty).size() + std::string("\r\n  <rootItem></rootItem>").size() +
                                     std::string("\r\n</tolvaneData>\r\n").size() + open + 7 + close;
    for (unsigned long long level = 1; level < depth; ++level) expectedXml += open + close + 4 * level;
    expectedXml += open + 2 * depth + 7;
    EXPECT_EQ(xmlSink.total, expectedXml);

    // Chain item k has number "1.1...1" (2k-1 bytes) and 2k spaces in the contents.
    tvtest::countingSink outlineSink;
    formatOutline(model.root, outlineSink);
    unsigned long long expectedOutline = 8 + 13 + 4 + 17 + 8 * depth;
    for (unsigned long long k = 1; k <= depth; ++k) expectedOutline += (4 * k + 5) + (2 * k + 9);
    EXPECT_EQ(outlineSink.total, expectedOutline);
    model.unregisterSubtree(model.root);
    model.root.clear();
}
