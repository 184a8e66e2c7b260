#include "CliGui.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>

void EnsureGuiApplication() {
    static int argc = 1;
    static char name[] = "kestrel-cli";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        // Qt wants a private runtime folder; a shell without a session has none.
        const std::string runtime = "/tmp/kestrel-runtime-" + std::to_string(::getuid());
        ::mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
    }
    static QGuiApplication application(argc, argv);
}
