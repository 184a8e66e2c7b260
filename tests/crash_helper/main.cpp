// crash-helper KIND [STATE_FOLDER]: installs the fault handler and faults the
// named way (the kinds of KESTREL_CRASH_TEST), for the crash tests. Copied
// into a temporary folder it runs as from an installed program folder.
//   KIND "none" installs and ends normally (exit 0); an unknown kind ends
//   with 2.
#include <cstdio>
#include <cstring>

#include "app/crash/CrashTest.h"
#include "app/crash/ExceptionAttacher.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: crash-helper KIND [STATE_FOLDER]\n");
        return 2;
    }
    CExceptionAttacher::Install(argc > 2 ? argv[2] : "");
    if (std::strcmp(argv[1], "none") == 0) {
        return 0;
    }
    CCrashTest::Run(argv[1]);
    return 2;
}
