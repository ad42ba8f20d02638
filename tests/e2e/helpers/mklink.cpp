// mklink: creates a shell link (.lnk) to a file or folder, as Explorer would,
// or reads one.
//   mklink.exe LINK_FILE TARGET [WORKING_FOLDER]   (Windows paths, code page 932 bytes)
//   mklink.exe --read LINK_FILE     prints TARGET TAB WORKING_FOLDER
// Exit code 0 when the link was saved (or read).
#include "helper_common.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

int readLink(IShellLinkA* link, IPersistFile* file, const WCHAR* name) {
    char target[MAX_PATH] = "", folder[MAX_PATH] = "";
    if (FAILED(file->Load(name, STGM_READ)) || FAILED(link->GetPath(target, MAX_PATH, nullptr, 0)) ||
        FAILED(link->GetWorkingDirectory(folder, MAX_PATH)))
        return 1;
    printf("%s\t%s\n", target, folder);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool reading = argc == 3 && strcmp(argv[1], "--read") == 0;
    if (argc != 3 && (argc != 4 || reading)) {
        fputs("usage: mklink.exe LINK_FILE TARGET [WORKING_FOLDER] | mklink.exe --read LINK_FILE\n", stderr);
        return 2;
    }
    if (FAILED(CoInitialize(nullptr)))
        return 3;
    const char* linkFile = reading ? argv[2] : argv[1];
    int status = 1;
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            WCHAR name[MAX_PATH * 2] = {};
            MultiByteToWideChar(CP_ACP, 0, linkFile, -1, name, MAX_PATH * 2);
            if (reading)
                status = readLink(link, file, name);
            else if (SUCCEEDED(link->SetPath(argv[2])) &&
                     (argc < 4 || SUCCEEDED(link->SetWorkingDirectory(argv[3]))) && SUCCEEDED(file->Save(name, TRUE)))
                status = 0;
            file->Release();
        }
        link->Release();
    }
    if (status != 0)
        fprintf(stderr, "mklink: cannot %s %s\n", reading ? "read" : "create", linkFile);
    CoUninitialize();
    return status;
}
