// The menu data file: exact bytes written, and how the reader takes files apart.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "files/menu_file.h"
#include "tests/core/test_support.h"

using namespace tv;
using tvtest::addItem;
using tvtest::describeTree;
using tvtest::fields;
using tvtest::headerLiteral;

namespace {

const std::string exampleFile = headerLiteral + "593\t0\t0\r\n" +
                                "0\t挨拶\t\t0\t16\t0\t\t0\r\n"
                                "{\r\n"
                                "\t1\tおはよう\tおはようございます。\\r\\nよろしく\t0\t0\t0\t\t0\r\n"
                                "}\r\n"
                                "3\t-横線-\t\t0\t0\t0\t\t0\r\n";

std::string format(const menuModel& model, const menuNode& node, menuExtent extent = menuExtent::wholeMenu) {
    stringSink sink;
    formatMenuFile(model, node, extent, sink);
    return sink.text;
}

readReport parse(menuModel& model, const std::string& bytes, menuNode& target,
                 readTarget kind = readTarget::otherTree) {
    return parseMenuText(model, bytes, target, kind);
}

}  // namespace

TEST(MenuFileWrite, ExampleMenuByteForByte) {
    menuModel model;
    tvtest::buildExampleMenu(model);
    EXPECT_EQ(format(model, model.root), exampleFile);
}

TEST(MenuFileWrite, SubtreeHasNoRootColumnsAndStartsAtDepthZero) {
    menuModel model;
    tvtest::buildExampleMenu(model);
    const menuNode& folder = model.root.children[0];
    folder.item->vk = 0x241;
    EXPECT_EQ(format(model, folder, menuExtent::subtree),
              headerLiteral + "\r\n" + "0\t挨拶\t\t577\t16\t0\t\t0\r\n{\r\n" +
                  "\t1\tおはよう\tおはようございます。\\r\\nよろしく\t0\t0\t0\t\t0\r\n}\r\n");
}

TEST(MenuFileWrite, EmptyConfigurationWritesNothing) {
    menuModel model;
    EXPECT_EQ(format(model, model.root), "");
    menuNode carrier;
    EXPECT_EQ(format(model, carrier, menuExtent::subtree), "");
    menuNode node;
    menuModel other;
    EXPECT_EQ(parse(other, "", node).status, readStatus::emptyFile);
    EXPECT_FALSE(parse(other, "", node).succeeded());
}

TEST(MenuFileWrite, LineBreakingBytesInTextAndIconNameBecomeBlanks) {
    menuModel model;
    model.createItem(model.root, fields(0, "メニュー"));
    itemFields f = fields(0, "a\tb\rc\nd");
    f.extIconFileName = "x\ty.ico";
    addItem(model, model.root, f);
    std::string bytes = format(model, model.root);
    EXPECT_NE(bytes.find("\r\n0\ta b c d\t\t0\t0\t0\tx y.ico\t0\r\n"), std::string::npos) << bytes;
    menuModel reread;
    menuNode node;
    parse(reread, bytes, node);
    ASSERT_EQ(node.childCount(), 1u);
    EXPECT_EQ(node.children[0].item->text, "a b c d");
}

TEST(MenuFileRead, ExampleIntoRunningMenu) {
    menuModel model;
    readReport report = parse(model, exampleFile, model.root, readTarget::runningMenu);
    EXPECT_EQ(report.status, readStatus::loaded);
    EXPECT_EQ(describeTree(model, model.root),
              "0|0|メニュー||593|0|0||0\n"
              "1|0|挨拶||0|16|0||0\n"
              "2|1|おはよう|おはようございます。\\r\\nよろしく|0|0|0||0\n"
              "1|3|-横線-||0|0|0||0\n");
    EXPECT_EQ(model.registry.count(), 4u);
    EXPECT_EQ(format(model, model.root), exampleFile);
}

TEST(MenuFileRead, RoundTripOfEveryField) {
    menuModel model;
    itemFields root = fields(0, "メニュー");
    root.vk = 0x0351;
    root.extKey = extKeyWin;
    model.createItem(model.root, root);
    model.corners.setCorner(model.root.item->itemId, 3);
    itemFields folder = fields(itemMode::exeProgram, "C:\\ソ\\t\\\\n表", "notepad.exe\r\n\t\"a b\" \\\\server\\share\\");
    folder.vk = 0x0741;
    folder.extKey = extKeyWin | extKeyExpanded;
    folder.extIconFileName = "C:\\Windows\\ソ.dll";
    folder.extIconIndex = -12;
    menuNode& a = addItem(model, model.root, folder);
    model.corners.setCorner(a.item->itemId, 2);
    menuNode& b = addItem(model, a, fields(itemMode::newDateTime, "%Y\\n", "%Y年\r\n%H"));
    addItem(model, b, fields(itemMode::folderPopup, "Vossel", "C:\\"));
    addItem(model, a, fields(itemMode::encloseSelection, "<b>", "<b>\r\n</b>"));
    menuNode& last = addItem(model, model.root, fields(itemMode::historyEntry, "", "\\"));
    model.corners.setCorner(last.item->itemId, 4);
    const std::string bytes = format(model, model.root);

    menuModel running;
    EXPECT_TRUE(parse(running, bytes, running.root, readTarget::runningMenu).succeeded());
    EXPECT_EQ(describeTree(running, running.root), describeTree(model, model.root));
    EXPECT_EQ(format(running, running.root), bytes);

    // Read into another tree, the header makes no item and corners are ignored.
    menuModel imported;
    menuNode node;
    parse(imported, bytes, node);
    EXPECT_EQ(node.item, nullptr);
    ASSERT_EQ(node.childCount(), 2u);
    EXPECT_EQ(node.children[0].item->vk, 0x0741);
    EXPECT_EQ(imported.corners.cornerOf(node.children[0].item->itemId), 0);
    EXPECT_EQ(imported.corners.cornerOf(node.children[1].item->itemId), 0);
    EXPECT_EQ(node.children[0].children[0].children[0].item->data, "C:\\");
}

// Numbers at the ends of their range, and escapes at the edges of the runs the
// writer and reader copy whole, next to trail bytes 0x5C (ソ, 表).
TEST(MenuFile, NumberLimitsAndEscapesAtRunEdges) {
    menuModel model;
    model.createItem(model.root, fields(0, "メニュー"));
    itemFields low = fields(itemMode::inputDataString, "a", "\r\nソ\\\t表\\n\\");
    low.extIconIndex = INT_MIN;
    addItem(model, model.root, low);
    itemFields high = fields(itemMode::inputDataString, "b", "\x81\x81\\\x81\\");
    high.extIconIndex = INT_MAX;
    addItem(model, model.root, high);
    const std::string bytes = format(model, model.root);
    EXPECT_NE(bytes.find("1\ta\t\\r\\nソ\\\\\\t表\\\\n\\\\\t0\t0\t0\t\t-2147483648\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("1\tb\t\x81\x81\\\\\x81\\\t0\t0\t0\t\t2147483647\r\n"), std::string::npos) << bytes;

    menuModel back;
    EXPECT_TRUE(parse(back, bytes, back.root, readTarget::runningMenu).succeeded());
    EXPECT_EQ(describeTree(back, back.root), describeTree(model, model.root));
    EXPECT_EQ(format(back, back.root), bytes);
}

TEST(MenuFileRead, LineEndsBlankLinesAndIndentation) {
    const std::string body = "0\tA\t\t0\t0\t0\t\t0\n{\n1\tB\tb\\n\t0\t0\t0\t\t0\n}\n3\tC\t\t0\t0\t0\t\t0\n";
    menuModel reference;
    menuNode expected;
    parse(reference, headerLiteral + "\n" + body, expected);
    ASSERT_EQ(describeTree(reference, expected), "1|0|A||0|0|0||0\n2|1|B|b\\n|0|0|0||0\n1|3|C||0|0|0||0\n");

    auto replaced = [](std::string text, const std::string& eol) {
        std::string out;
        for (char c : text) out += c == '\n' ? eol : std::string(1, c);
        return out;
    };
    const std::string variants[] = {
        replaced(headerLiteral + "\n" + body, "\r"),
        replaced(headerLiteral + "\n" + body, "\r\n"),
        "\n   \n\r\n" + headerLiteral + "\n\n  \t \n" + replaced(body, "\n \n\r\r\n"),
        headerLiteral + "\r\n  \t0\tA\t\t0\t0\t0\t\t0\r\n\t\t {\r\n \t\t1\tB\tb\\n\t0\t0\t0\t\t0\n\t}\n\t3\tC\t\t0\t0\t0\t\t0",
    };
    for (const auto& bytes : variants) {
        menuModel model;
        menuNode node;
        EXPECT_EQ(parse(model, bytes, node).status, readStatus::loaded);
        EXPECT_EQ(describeTree(model, node), describeTree(reference, expected)) << bytes;
    }
}

TEST(MenuFileRead, ShortAndOddColumns) {
    menuModel model;
    menuNode node;
    parse(model, headerLiteral + "\r\n5\t設定(&S)\r\n" + "0\tK\t\t65\t14\r\n" + "256\t x \t\t65601\t\t\t\t  -7z\tmore\r\n" +
                     "abc\n",
          node);
    ASSERT_EQ(node.childCount(), 4u);
    EXPECT_EQ(describeTree(model, node),
              "1|5|設定(&S)||0|0|0||0\n"
              "1|0|K||1857|0|0||0\n"
              "1|0| x ||65|0|0||-7|more\n"
              "1|0|||0|0|0||0\n");
    // The modifiers taken from column 4 are written back in column 3.
    model.createItem(node, fields(0, "メニュー"));
    EXPECT_NE(format(model, node).find("\r\n0\tK\t\t1857\t0\t0\t\t0\r\n"), std::string::npos);
}

// The abbreviation is a ninth column that only items having one are written with.
TEST(MenuFile, AbbreviationColumnRoundTrip) {
    menuModel model;
    tvtest::buildExampleMenu(model);
    model.root.item->abbreviation = "root";  // the header has no place for it
    model.root.children[0].children[0].item->abbreviation = ";おは\\";
    itemFields f = fields(itemMode::encloseSelection, "<b>", "<b>\r\n</b>");
    f.abbreviation = "ソ";  // trail byte 0x5C
    addItem(model, model.root, f);
    const std::string bytes = format(model, model.root);
    EXPECT_EQ(bytes, headerLiteral + "593\t0\t0\r\n" + "0\t挨拶\t\t0\t16\t0\t\t0\r\n{\r\n" +
                         "\t1\tおはよう\tおはようございます。\\r\\nよろしく\t0\t0\t0\t\t0\t;おは\\\r\n}\r\n" +
                         "3\t-横線-\t\t0\t0\t0\t\t0\r\n" + "13\t<b>\t<b>\\r\\n</b>\t0\t0\t0\t\t0\tソ\r\n");

    menuModel running;
    readReport report = parse(running, bytes, running.root, readTarget::runningMenu);
    EXPECT_TRUE(report.changedAbbreviationLines.empty());
    EXPECT_EQ(running.root.item->abbreviation, "");
    EXPECT_EQ(format(running, running.root), bytes);
    // The part file and its import keep it too.
    const std::string part = format(running, running.root.children[0], menuExtent::subtree);
    menuModel imported;
    menuNode node;
    parse(imported, part, node);
    EXPECT_EQ(describeTree(imported, node), "1|0|挨拶||0|16|0||0\n2|1|おはよう|おはようございます。\\r\\nよろしく|0|0|0||0|;おは\\\n");
}

// What cannot be an abbreviation is dropped and what is too long is cut at a
// whole character; every line is named for the check.
TEST(MenuFileRead, AbbreviationsKeepWhatCanBeKept) {
    const std::string line = "0\tx\t\t0\t0\t0\t\t0\t";
    menuModel model;
    menuNode& node = model.root;
    readReport report = parse(model, headerLiteral + "0\t0\t0\t\t0\tinheader\r\n" +
                                         line + "abcdefghijklmnopqrstuvwxyz0123456789\r\n" +  // 36 bytes
                                         line + "aああああああああああああああああ\r\n" +     // 33 bytes
                                         line + "a\x01" "b\x7F\r\n" +
                                         line + "ab\x81\r\n" +
                                         line + "\x81 \x83\x5C\r\n" +
                                         line + ";sg\textra\r\n" +
                                         line + "\r\n",
                              node, readTarget::runningMenu);
    EXPECT_EQ(node.item->abbreviation, "");
    ASSERT_EQ(node.childCount(), 7u);
    const char* const kept[] = {"abcdefghijklmnopqrstuvwxyz01234", "aあああああああああああああああ", "ab", "ab",
                                " ソ", ";sg", ""};
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(node.children[i].item->abbreviation, kept[i]) << i;
    EXPECT_EQ(report.changedAbbreviationLines, (std::vector<size_t>{2, 3, 4, 5, 6}));
}

TEST(MenuFileRead, RejectedFirstLines) {
    const std::string firstLines[] = {
        "{", "}", "1\tメニュー\t", "0 メニュー\t", "0\tメニ", "メニュー", "0\tMenu", "0\t0\tメニュー",
    };
    for (const auto& first : firstLines) {
        menuModel model;
        menuNode node;
        readReport report = parse(model, first + "\r\n0\tA\t\t0\t0\t0\t\t0\r\n", node);
        EXPECT_EQ(report.status, readStatus::notMenuFile) << first;
        EXPECT_FALSE(report.succeeded());
        EXPECT_FALSE(node.hasChildren()) << first;
        menuModel running;
        parse(running, first + "\r\n", running.root, readTarget::runningMenu);
        EXPECT_EQ(running.root.item, nullptr) << first;
    }
    // The header needs only its first two columns.
    menuModel model;
    menuNode node;
    EXPECT_EQ(parse(model, "0\tメニュー\r\n0\tA\r\n", node).status, readStatus::loaded);
    EXPECT_EQ(node.childCount(), 1u);
}

// What an editor saves as UTF-8, with a byte-order mark or without, reads as the
// same menu as the code page 932 file; a line that cannot be converted rejects
// the file and is named.
TEST(MenuFileRead, Utf8FilesAreConverted) {
    const std::string utf8Body = u8"0\tメニュー\t見出し\t593\t0\t0\r\n"
                                 u8"0\t挨拶\t\t0\t16\t0\t\t0\r\n"
                                 u8"{\r\n"
                                 u8"\t1\tおはよう\tおはようございます。\\r\\nよろしく\t0\t0\t0\t\t0\r\n"
                                 u8"}\r\n"
                                 u8"3\t-横線-\t\t0\t0\t0\t\t0\r\n";
    const std::pair<std::string, textEncoding> files[] = {{utf8Body, textEncoding::utf8},
                                                          {"\xEF\xBB\xBF" + utf8Body, textEncoding::utf8WithBom},
                                                          {exampleFile, textEncoding::codePage932}};
    for (const auto& [bytes, encoding] : files) {
        menuModel model;
        readReport report = parse(model, bytes, model.root, readTarget::runningMenu);
        EXPECT_EQ(report.status, readStatus::loaded);
        EXPECT_EQ(report.encoding, encoding);
        EXPECT_EQ(format(model, model.root), exampleFile);
    }

    const std::pair<std::string, conversionFault> faults[] = {
        {u8"0\tメニュー\r\n1\ta\r\n1\tb\U0001F600\t\r\n", conversionFault::notInCodePage932},
        {u8"\xEF\xBB\xBF\n0\tメニュー\r1\ta\xC3\x28\r\n", conversionFault::invalidUtf8},
    };
    for (const auto& [bytes, fault] : faults) {
        menuModel model;
        readReport report = parse(model, bytes, model.root, readTarget::runningMenu);
        EXPECT_EQ(report.status, readStatus::notConvertible);
        EXPECT_TRUE(report.rejected());
        EXPECT_EQ(report.fault, fault);
        EXPECT_EQ(report.faultLine, 3u);
        EXPECT_FALSE(model.root.hasChildren());
    }
}

// Beyond the id space, items still read and write back exactly, their corners
// included, and take no corner (or id) from another item.
TEST(MenuFile, ItemsBeyondTheIdSpaceRoundTrip) {
    std::string file = headerLiteral + "0\t0\t0\r\n";
    for (int n = 1; n <= 44000; ++n) {
        int corner = n == 33800 ? 1 : n == 43800 ? 1 : n == 43900 ? 2 : 0;
        file += "0\ti" + std::to_string(n) + "\t\t0\t0\t" + std::to_string(corner) + "\ticon.ico\t3\r\n";
    }
    menuModel model;
    readReport report = parse(model, file, model.root, readTarget::runningMenu);
    EXPECT_EQ(report.itemsWithoutId, 44000u - 43799u);
    EXPECT_EQ(report.firstItemWithoutIdLine, 43801u);
    EXPECT_EQ(format(model, model.root), file);
    EXPECT_EQ(model.corners.itemAt(1), model.root.children[33799].item->itemId);
    EXPECT_EQ(model.corners.itemAt(2), 0);
}

TEST(MenuFileRead, PartOfMenuHeaderIntoRunningMenu) {
    menuModel model;
    model.createItem(model.root, fields(0, "メニュー"));
    model.corners.setCorner(model.root.item->itemId, 1);
    menuNode& a = addItem(model, model.root, "A");
    a.item->vk = 593;
    model.corners.setCorner(a.item->itemId, 2);
    addItem(model, a, "B");
    const std::string part = format(model, a, menuExtent::subtree);

    menuModel running;
    EXPECT_EQ(parse(running, part, running.root, readTarget::runningMenu).status, readStatus::loaded);
    ASSERT_NE(running.root.item, nullptr);
    EXPECT_EQ(running.root.item->vk, 0);
    EXPECT_EQ(running.root.item->text, "メニュー");
    EXPECT_EQ(running.corners.cornerOf(running.root.item->itemId), 0);
    EXPECT_EQ(describeTree(running, running.root), "0|0|メニュー||0|0|0||0\n1|0|A||593|0|2||0\n2|0|B||0|0|0||0\n");
}

TEST(MenuFileRead, StrayBracesAndNul) {
    menuModel model;
    menuNode node;
    // Line 3 opens before any item, line 6 opens again where A has no child yet,
    // and line 10 closes more than was opened.
    readReport report = parse(model,
                              headerLiteral + "\r\n\r\n{\r\n0\tA\r\n{\r\n{\r\n0\tB\r\n}\r\n0\tC\r\n}\r\n0\tD\r\n{\r\n",
                              node);
    EXPECT_EQ(report.status, readStatus::loaded);
    EXPECT_EQ(report.ignoredOpenLines, (std::vector<size_t>{3, 6}));
    EXPECT_EQ(report.unmatchedCloseLine, 10u);
    EXPECT_EQ(describeTree(model, node), "1|0|A||0|0|0||0\n2|0|B||0|0|0||0\n1|0|C||0|0|0||0\n");

    menuModel cut;
    menuNode cutNode;
    std::string withNul = headerLiteral + "\r\n0\tA\r\n0\tB";
    withNul += '\0';
    withNul += "X\r\n0\tC\r\n";
    EXPECT_EQ(parse(cut, withNul, cutNode).status, readStatus::loaded);
    EXPECT_EQ(describeTree(cut, cutNode), "1|0|A||0|0|0||0\n1|0|B||0|0|0||0\n");
}

// A folder opened again gathers more children; a read into a node that has
// children already adds after them, and a "{" first opens the last of them.
TEST(MenuFileRead, FoldersOpenedAgainAndReadsIntoFilledNodes) {
    menuModel model;
    menuNode node;
    parse(model, headerLiteral + "\r\n0\tA\r\n{\r\n0\tB\r\n}\r\n{\r\n0\tC\r\n{\r\n0\tD\r\n}\r\n}\r\n0\tE\r\n", node);
    const std::string tree = "1|0|A||0|0|0||0\n2|0|B||0|0|0||0\n2|0|C||0|0|0||0\n3|0|D||0|0|0||0\n1|0|E||0|0|0||0\n";
    EXPECT_EQ(describeTree(model, node), tree);

    readReport report = parse(model, headerLiteral + "\r\n{\r\n0\tF\r\n}\r\n0\tG\r\n{\r\n0\tH\r\n", node);
    EXPECT_TRUE(report.ignoredOpenLines.empty());
    EXPECT_EQ(describeTree(model, node), tree + "2|0|F||0|0|0||0\n1|0|G||0|0|0||0\n2|0|H||0|0|0||0\n")
        << "a folder left open at the end keeps what was read into it";
}

TEST(MenuFileRead, MissingFileIsSuccessWithNothingRead) {
    tvtest::scratchDir dir;
    menuModel model;
    readReport report = readMenuFile(model, dir.file("absent.ini"), model.root, readTarget::runningMenu);
    EXPECT_EQ(report.status, readStatus::notFound);
    EXPECT_TRUE(report.succeeded());
    EXPECT_EQ(model.root.item, nullptr);
    EXPECT_FALSE(model.root.hasChildren());

    tvtest::writeBytes(dir.file("empty.ini"), "");
    EXPECT_EQ(readMenuFile(model, dir.file("empty.ini"), model.root, readTarget::runningMenu).status,
              readStatus::emptyFile);
    tvtest::writeBytes(dir.file("menu.ini"), exampleFile);
    EXPECT_EQ(readMenuFile(model, dir.file("menu.ini"), model.root, readTarget::runningMenu).status,
              readStatus::loaded);
    EXPECT_EQ(countItems(model.root), 4u);
}

TEST(MenuFile, HundredThousandLevels) {
    const size_t depth = 100000;
    std::string bytes = headerLiteral + "0\t0\t0\r\n";
    for (size_t i = 0; i < depth; ++i) bytes += "0\tx\r\n{\r\n";
    bytes += "0\tleaf\r\n";
    for (size_t i = 0; i < depth; ++i) bytes += "}\r\n";

    menuModel model;
    readReport report = parse(model, bytes, model.root, readTarget::runningMenu);
    EXPECT_EQ(report.status, readStatus::loaded);
    EXPECT_EQ(report.unmatchedCloseLine, 0u);
    EXPECT_EQ(treeDepth(model.root), depth + 1);

    // Node at depth d: d TABs before its line, and before "{" and "}" unless it is the leaf.
    const unsigned long long itemLine = std::string("0\tx\t\t0\t0\t0\t\t0\r\n").size();
    unsigned long long expected = headerLiteral.size() + 7 + (itemLine + 3) + depth;
    for (unsigned long long d = 0; d < depth; ++d) expected += 3 * d + itemLine + 6;
    tvtest::countingSink sink;
    formatMenuFile(model, model.root, menuExtent::wholeMenu, sink);
    EXPECT_EQ(sink.total, expected);
    model.unregisterSubtree(model.root);
    model.root.clear();
}

TEST(MenuFile, DataFilePath) {
#ifdef _WIN32
    EXPECT_EQ(dataFilePath("C:\\Tools", "tv2_text.ini"), "C:\\Tools\\tv2_text.ini");
    EXPECT_EQ(dataFilePath("C:\\", "a.ini"), "C:\\a.ini");
    EXPECT_EQ(dataFilePath("C:\\ソ", "a.ini"), "C:\\ソ\\a.ini");
    EXPECT_EQ(dataFilePath("C:\\Tools", "D:\\menu\\a.ini"), "D:\\menu\\a.ini");
    EXPECT_EQ(dataFilePath("C:\\Tools", "\\\\server\\share\\a.ini"), "\\\\server\\share\\a.ini");
#else
    EXPECT_EQ(dataFilePath("/opt/tv", "tv2_text.ini"), "/opt/tv/tv2_text.ini");
    EXPECT_EQ(dataFilePath("/", "a.ini"), "/a.ini");
    EXPECT_EQ(dataFilePath("/opt/ソ", "a.ini"), "/opt/ソ/a.ini");
    EXPECT_EQ(dataFilePath("/opt/tv", "/home/u/a.ini"), "/home/u/a.ini");
#endif
    EXPECT_EQ(dataFilePath("", "tv2_text.ini"), "tv2_text.ini");
}
