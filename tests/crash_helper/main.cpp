// crash-helper KIND [STATE_FOLDER]: installs the fault handler and faults the
// named way (the kinds of KESTREL_CRASH_TEST), for the crash tests. Copied
// into a temporary folder it runs as from an installed program folder.
//   KIND "none" installs and ends normally (exit 0); "threads" makes four
//   threads read through a null pointer at the same moment; an unknown kind
//   ends with 2.
#include <barrier>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

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
    if (std::strcmp(argv[1], "threads") == 0) {
        std::barrier start(4);
        std::vector<std::thread> threads;
        for (int i = 0; i < 4; ++i) {
            threads.emplace_back([&start] {
                start.arrive_and_wait();
                CCrashTest::Run("segv");
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
    }
    CCrashTest::Run(argv[1]);
    return 2;
}
