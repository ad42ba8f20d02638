#include "shell/shell_link_file.h"

#include <objbase.h>
#include <shlobj.h>

namespace tv {

bool saveShellLink(const std::string& file, const std::function<bool(IShellLinkA&)>& describe) {
    // IPersistFile::Save takes no name longer than MAX_PATH characters; a
    // longer one is refused here rather than cut into another file's name.
    int wideLength = MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, nullptr, 0);
    if (wideLength <= 0 || wideLength > MAX_PATH) return false;
    std::wstring wideFile(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, &wideFile[0], wideLength);

    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    bool saved = false;
    IPersistFile* persist = nullptr;
    if (describe(*link) && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        saved = SUCCEEDED(persist->Save(wideFile.c_str(), TRUE));
        persist->Release();
    }
    link->Release();
    return saved;
}

}  // namespace tv
