// mklink: creates a shell link (.lnk) to a file or folder, as Explorer would.
//   mklink.exe LINK_FILE TARGET     (Windows paths, code page 932 bytes)
// Exit code 0 when the link was saved.
#include "helper_common.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        fputs("usage: mklink.exe LINK_FILE TARGET\n", stderr);
        return 2;
    }
    if (FAILED(CoInitialize(nullptr)))
        return 3;
    int status = 1;
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->SetPath(argv[2])) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            WCHAR name[MAX_PATH * 2] = {};
            MultiByteToWideChar(CP_ACP, 0, argv[1], -1, name, MAX_PATH * 2);
            if (SUCCEEDED(file->Save(name, TRUE)))
                status = 0;
            file->Release();
        }
        link->Release();
    }
    if (status != 0)
        fprintf(stderr, "mklink: cannot create %s\n", argv[1]);
    CoUninitialize();
    return status;
}
