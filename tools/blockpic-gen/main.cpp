// blockpic-gen: writes the block pictures of every block type (Fnn.ini and
// Fnn.gif) into a folder, or checks that a folder holds exactly what it would
// write.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BlockPicture.h"
#include "model/BlockTypeTable.h"
#include "platform/FileIo.h"

namespace {

constexpr int kTypeCount = 37;
constexpr std::size_t kMaxCompareSize = 1024 * 1024;

bool SameAsFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> existing;
    std::string error;
    return FileExists(path) && ReadFileBytes(path, kMaxCompareSize, existing, error) &&
           existing == bytes;
}

int Usage() {
    std::fprintf(
        stderr,
        "usage: blockpic-gen OUTDIR          write F01.ini/F01.gif ... F37.ini/F37.gif\n"
        "       blockpic-gen --check DIR     check that DIR holds those files as written\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (!check && (argc != 2 || argv[1][0] == '-')) {
        return Usage();
    }
    const std::string folder = argv[argc - 1];
    if (!check) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) {
            std::fprintf(stderr, "blockpic-gen: cannot create %s: %s\n", folder.c_str(),
                         error.message().c_str());
            return 1;
        }
    }
    int problems = 0;
    for (int t = 0; t < kTypeCount; ++t) {
        const CBlockPicture picture(t);
        const std::vector<uint8_t> gif = picture.Draw().EncodeGif(CBlockPicture::GetPalette());
        const std::string ini = picture.GetIniText();
        if (gif.empty()) {
            std::fprintf(stderr, "blockpic-gen: cannot encode the picture of type %d\n", t + 1);
            return 1;
        }
        const std::string base = folder + "/" + GetBlockTypeCode(t);
        const std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
            {base + ".ini", std::vector<uint8_t>(ini.begin(), ini.end())},
            {base + ".gif", gif},
        };
        for (const auto& [path, bytes] : files) {
            std::string error;
            if (check) {
                if (!SameAsFile(path, bytes)) {
                    std::fprintf(stderr, "blockpic-gen: %s is missing or out of date\n",
                                 path.c_str());
                    ++problems;
                }
            } else if (!WriteFileAtomically(path, bytes, error)) {
                std::fprintf(stderr, "blockpic-gen: %s: %s\n", path.c_str(), error.c_str());
                return 1;
            }
        }
    }
    if (check && problems > 0) {
        std::fprintf(stderr, "blockpic-gen: run blockpic-gen \"%s\" to bring them up to date\n",
                     folder.c_str());
        return 1;
    }
    return 0;
}
