// File names of registered folders and the settings dialog's flag controls:
// the parts of the folder popup's settings that need no Windows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tv {

// The shortcut file made for a folder registered under displayName: the
// characters a file name cannot hold become a blank (" * : ; < > ? |) or a
// hyphen (/ \), and ".lnk" follows. A drive root's "(C:)" becomes "(C )".
std::string shortcutFileName(const std::string& displayName);

// The settings dialog's check boxes that make up ShowDrives: drives A-Z, the
// contents submenu, no icons, hidden registrations, files in folder menus,
// "開く" (checked when its bit is clear) and "エクスプローラ".
bool isFlagControlChecked(uint32_t showDrives, int controlId);
// The flag word rebuilt from the boxes; isChecked answers for a control id.
uint32_t flagWordFromControls(const std::function<bool(int controlId)>& isChecked);
// Calls visit for every control of the flag word, in control id order.
void forEachFlagControl(const std::function<void(int controlId)>& visit);

}  // namespace tv
