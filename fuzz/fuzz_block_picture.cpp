// Reads arbitrary bytes as a block picture description file: the INI reader
// and the terminal descriptor must give sane results for anything.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "diagram/pictures/FBIOParamDescr.h"
#include "diagram/pictures/IniFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const std::string path =
        "/tmp/fuzz-block-picture-" + std::to_string(::getpid()) + "/F07.ini";
    static const bool ready = [] {
        std::string folder = path.substr(0, path.rfind('/'));
        ::mkdir(folder.c_str(), 0700);
        return true;
    }();
    (void)ready;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    CIniFileReader reader(path);
    reader.GetSectionNames();
    reader.GetSection("Inputs");
    reader.GetString("Bornes", "Rect");
    CFBIOParamDescr descriptor;
    descriptor.Load(path, 2, true, std::vector<bool>(3, true));
    for (int i = 0; i < descriptor.GetCount(); ++i) {
        descriptor.GetParam(i);
    }
    return 0;
}
