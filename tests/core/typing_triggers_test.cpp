// Program items never answer to what ordinary typing sets off: which keys type
// a character, which abbreviations are typed in passing, and how the reader
// keeps such an item while naming its line.
#include <gtest/gtest.h>

#include <string>

#include "files/menu_file.h"
#include "files/typing_triggers.h"
#include "tests/core/test_support.h"

using namespace tv;

TEST(TypingTriggers, KeysThatTypeACharacter) {
    // A, Z, 0, 9, punctuation of a Japanese keyboard (: ; @ [ ¥ ] ^ , - . / \),
    // space, Enter, Tab and the number pad's digits and signs.
    for (unsigned key : {0x41u, 0x5Au, 0x30u, 0x39u, 0xBAu, 0xBBu, 0xBCu, 0xBDu, 0xBEu, 0xBFu, 0xC0u, 0xDBu,
                         0xDCu, 0xDDu, 0xDEu, 0xE2u, 0x20u, 0x0Du, 0x09u, 0x60u, 0x69u, 0x6Bu, 0x6Fu}) {
        EXPECT_TRUE(keyTypesCharacter(static_cast<uint16_t>(key), 0)) << "key " << key;
        EXPECT_TRUE(keyTypesCharacter(static_cast<uint16_t>(key | hotkeyShift), 0)) << "Shift+key " << key;
        EXPECT_FALSE(keyTypesCharacter(static_cast<uint16_t>(key | hotkeyControl), 0)) << "Ctrl+key " << key;
        EXPECT_FALSE(keyTypesCharacter(static_cast<uint16_t>(key | hotkeyAlt | hotkeyShift), 0)) << "Alt+key " << key;
        EXPECT_FALSE(keyTypesCharacter(static_cast<uint16_t>(key), extKeyWin)) << "Win+key " << key;
    }
    // F1, F12, Insert, Delete, Pause, Escape, Backspace, the arrows, Home, the
    // menu key, the input-method keys (漢字, 変換, 無変換, 英数): no character.
    for (unsigned key :
         {0x70u, 0x7Bu, 0x2Du, 0x2Eu, 0x13u, 0x1Bu, 0x08u, 0x25u, 0x28u, 0x24u, 0x5Du, 0x19u, 0x1Cu, 0x1Du, 0xF0u})
        EXPECT_FALSE(keyTypesCharacter(static_cast<uint16_t>(key | hotkeyShift), 0)) << "key " << key;
    EXPECT_FALSE(keyTypesCharacter(0, 0));  // no key at all
    // The expanded bit of the data file is no modifier.
    EXPECT_TRUE(keyTypesCharacter('K', extKeyExpanded));
}

TEST(TypingTriggers, OnlyProgramItemsAreHeldBack) {
    EXPECT_TRUE(abbreviationTypedInPassing("x"));
    EXPECT_TRUE(abbreviationTypedInPassing("あ"));  // one character of two bytes
    EXPECT_FALSE(abbreviationTypedInPassing(""));
    EXPECT_FALSE(abbreviationTypedInPassing("xy"));
    EXPECT_FALSE(abbreviationTypedInPassing("あい"));

    itemValues program;
    program.mode = itemMode::exeProgram;
    program.data = "https://www.example.jp/";
    program.vk = 'K' | hotkeyShift;
    program.abbreviation = "k";
    typingTriggers triggers = typingTriggersOf(program);
    EXPECT_TRUE(triggers.key && triggers.abbreviation && triggers.any());
    program.vk = 'K' | hotkeyControl | hotkeyAlt;
    program.abbreviation = ";k";
    EXPECT_FALSE(typingTriggersOf(program).any());
    program.vk = 0x71;  // F2 alone types nothing
    EXPECT_FALSE(typingTriggersOf(program).any());

    // A phrase, a date or a folder popup may have any key and abbreviation.
    for (uint8_t mode : {itemMode::inputString, itemMode::inputDataString, itemMode::newDateTime,
                         itemMode::encloseSelection, itemMode::folderPopup, itemMode::showSetting}) {
        itemValues item;
        item.mode = mode;
        item.vk = 'K';
        item.abbreviation = "k";
        EXPECT_FALSE(typingTriggersOf(item).any()) << "mode " << int(mode);
        EXPECT_FALSE(modeRunsProgram(mode));
    }
    EXPECT_TRUE(modeRunsProgram(itemMode::exeProgram));
}

TEST(TypingTriggers, TheReaderKeepsSuchItemsAndNamesTheirLines) {
    // Line 2: K alone; line 4: Shift+1 and "z"; line 5: Ctrl+Alt+K and ";z", armed;
    // line 6: a phrase with K alone, armed.
    const std::string file = tvtest::headerLiteral + "1613\t0\t0\r\n" +
                             "2\tkey\tnotepad.exe\t75\t0\t0\t\t0\r\n"
                             "{\r\n"
                             "\t2\tboth\thttps://www.example.jp/\t305\t0\t0\t\t0\tz\r\n"
                             "}\r\n"
                             "2\tarmed\tnotepad.exe\t1611\t0\t0\t\t0\t;z\r\n"
                             "1\tphrase\tk\t75\t0\t0\t\t0\tk\r\n";
    menuModel model;
    readReport report = parseMenuText(model, file, model.root, readTarget::runningMenu);
    ASSERT_EQ(report.status, readStatus::loaded);
    ASSERT_EQ(report.unarmedItems.size(), 2u);
    EXPECT_EQ(report.unarmedItems[0].line, 2u);
    EXPECT_TRUE(report.unarmedItems[0].triggers.key);
    EXPECT_FALSE(report.unarmedItems[0].triggers.abbreviation);
    EXPECT_EQ(report.unarmedItems[1].line, 4u);
    EXPECT_TRUE(report.unarmedItems[1].triggers.key && report.unarmedItems[1].triggers.abbreviation);

    // Held back, not changed: the file is written back byte for byte.
    EXPECT_EQ(model.root.children[0].item->vk, 75);
    EXPECT_EQ(model.root.children[0].children[0].item->abbreviation, "z");
    stringSink sink;
    formatMenuFile(model, model.root, menuExtent::wholeMenu, sink);
    EXPECT_EQ(sink.text, file);
}
