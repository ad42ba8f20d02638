#include "files/typing_triggers.h"

#include "files/cp932.h"

namespace tv {

namespace {

// Virtual-key codes, as windows.h names them. On a Japanese keyboard VK_OEM_1
// to VK_OEM_3 are : ; , - . / @, VK_OEM_4 to VK_OEM_7 are [ ¥ ] ^, and
// VK_OEM_102 is the ろ key (\ and _).
constexpr unsigned vkTab = 0x09, vkReturn = 0x0D, vkSpace = 0x20;
constexpr unsigned vkDigitFirst = 0x30, vkDigitLast = 0x39;             // '0' to '9'
constexpr unsigned vkLetterFirst = 0x41, vkLetterLast = 0x5A;           // 'A' to 'Z'
constexpr unsigned vkNumpadFirst = 0x60, vkNumpadLast = 0x6F;           // VK_NUMPAD0 to VK_DIVIDE
constexpr unsigned vkOemFirst = 0xBA, vkOemLast = 0xC0;                 // VK_OEM_1 to VK_OEM_3
constexpr unsigned vkOemBracketFirst = 0xDB, vkOemBracketLast = 0xDF;  // VK_OEM_4 to VK_OEM_8
constexpr unsigned vkOem102 = 0xE2;

bool within(unsigned key, unsigned first, unsigned last) { return key >= first && key <= last; }

bool typingKey(unsigned key) {
    return key == vkTab || key == vkReturn || key == vkSpace || key == vkOem102 ||
           within(key, vkDigitFirst, vkDigitLast) || within(key, vkLetterFirst, vkLetterLast) ||
           within(key, vkNumpadFirst, vkNumpadLast) || within(key, vkOemFirst, vkOemLast) ||
           within(key, vkOemBracketFirst, vkOemBracketLast);
}

}  // namespace

bool keyTypesCharacter(uint16_t vk, uint8_t extKey) {
    if ((vk & (hotkeyControl | hotkeyAlt)) != 0 || (extKey & extKeyWin) != 0) return false;
    return typingKey(vk & 0xFFu);
}

bool abbreviationTypedInPassing(std::string_view abbreviation) {
    return !abbreviation.empty() && characterWidthAt(abbreviation, 0) == abbreviation.size();
}

bool modeRunsProgram(uint8_t mode) { return mode == itemMode::exeProgram; }

typingTriggers typingTriggersOf(const itemValues& item) {
    typingTriggers triggers;
    if (!modeRunsProgram(item.mode)) return triggers;
    triggers.key = keyTypesCharacter(item.vk, item.extKey);
    triggers.abbreviation = abbreviationTypedInPassing(item.abbreviation);
    return triggers;
}

}  // namespace tv
