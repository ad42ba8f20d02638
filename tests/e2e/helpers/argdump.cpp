// argdump: records how it was started, to prove a program was launched with
// given parameters in a given working directory. Writes to the path in
// ARGDUMP_OUT, or to "argdump.txt" in its working directory:
//   cmdline=<GetCommandLineA, raw bytes>
//   argc=<N>
//   argv[0]=...            (one line per argument)
//   cwd=<GetCurrentDirectoryA>
// A GUI-subsystem program, so that Wine opens no console window for it when a
// windowed program starts it.
#include "helper_common.h"

#include <string>

int main(int argc, char** argv)
{
    std::string report = "cmdline=";
    report += GetCommandLineA();
    report += "\nargc=" + std::to_string(argc) + "\n";
    for (int i = 0; i < argc; ++i)
        report += "argv[" + std::to_string(i) + "]=" + argv[i] + "\n";
    char cwd[MAX_PATH * 2] = "";
    GetCurrentDirectoryA(sizeof cwd, cwd);
    report += std::string("cwd=") + cwd + "\n";

    char out[MAX_PATH * 2];
    DWORD length = GetEnvironmentVariableA("ARGDUMP_OUT", out, sizeof out);
    const char* path = (length > 0 && length < sizeof out) ? out : "argdump.txt";
    return write_whole_file(path, report) ? 0 : 2;
}
