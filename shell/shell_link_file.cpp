#include "shell/shell_link_file.h"

#include <objbase.h>
#include <shlobj.h>

namespace tv {

namespace {

// IPersistFile takes no name longer than MAX_PATH characters; a longer one is
// refused here rather than cut into another file's name. Empty then.
std::wstring linkFileName(const std::string& file) {
    int wideLength = MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, nullptr, 0);
    if (wideLength <= 0 || wideLength > MAX_PATH) return std::wstring();
    std::wstring wideFile(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, &wideFile[0], wideLength);
    return wideFile;
}

// A new shell link and its IPersistFile, released when it goes.
class shellLink {
public:
    shellLink() {
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                       reinterpret_cast<void**>(&link_))) &&
            FAILED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist_))))
            persist_ = nullptr;
    }
    ~shellLink() {
        if (persist_) persist_->Release();
        if (link_) link_->Release();
    }
    shellLink(const shellLink&) = delete;
    shellLink& operator=(const shellLink&) = delete;

    bool made() const { return link_ && persist_; }
    IShellLinkA& link() { return *link_; }
    IPersistFile& file() { return *persist_; }

private:
    IShellLinkA* link_ = nullptr;
    IPersistFile* persist_ = nullptr;
};

}  // namespace

bool saveShellLink(const std::string& file, const std::function<bool(IShellLinkA&)>& describe) {
    const std::wstring wideFile = linkFileName(file);
    shellLink shortcut;
    return !wideFile.empty() && shortcut.made() && describe(shortcut.link()) &&
           SUCCEEDED(shortcut.file().Save(wideFile.c_str(), TRUE));
}

bool loadShellLink(const std::string& file, const std::function<void(IShellLinkA&)>& read) {
    const std::wstring wideFile = linkFileName(file);
    shellLink shortcut;
    if (wideFile.empty() || !shortcut.made() || FAILED(shortcut.file().Load(wideFile.c_str(), STGM_READ)))
        return false;
    read(shortcut.link());
    return true;
}

}  // namespace tv
