#include "popup/target_field.h"

namespace tv {

bool isOneLineField(HWND control) {
    if (!IsWindow(control)) return false;
    char className[64] = "";
    GetClassNameA(control, className, sizeof className);
    // The rich edit controls take ES_MULTILINE the way the plain one does.
    static const char* const editClasses[] = {"Edit", "RichEdit20A", "RichEdit20W", "RICHEDIT50W", "RichEdit"};
    bool isEdit = false;
    for (const char* editClass : editClasses) isEdit = isEdit || lstrcmpiA(className, editClass) == 0;
    return isEdit && !(GetWindowLongA(control, GWL_STYLE) & ES_MULTILINE);
}

}  // namespace tv
