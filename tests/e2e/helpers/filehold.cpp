// filehold FILE: opens FILE without sharing, as a sync client or a virus
// scanner does, and holds it until the process is killed. Prints "held" once
// the file is open, so a test knows when other Wine programs are shut out.
#include "helper_common.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: filehold FILE\n");
        return 2;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "cannot open %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    printf("held\n");
    fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
