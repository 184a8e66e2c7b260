// calconfig-gen: writes CONFIG.CAL, or checks that a file holds what it would
// write.
//
// The configuration lets a technician check every analog channel while the
// controller is calibrated: loop 1 routes inputs 1..4 to the current outputs
// 1..4 and loop 2 inputs 5..8 to the voltage outputs 1..4, so a signal injected
// at an input appears at its output; a front view in each loop shows the four
// inputs on the panel. Input filters are off so a reading follows the injected
// signal at once. Outputs keep their standard signal types (4-20 mA, 1-5 V).
#include <cstdio>
#include <string>

#include "comm/CalConfigFile.h"
#include "model/Block.h"
#include "model/BlockTypeTable.h"
#include "platform/FileIo.h"

namespace {

constexpr int kChannelsPerLoop = 4;
constexpr const char* kConfigurationName = "CALIB";

int TypeOf(const char* mnemonic) {
    return FindBlockTypeByMnemonic(mnemonic);
}

int ParamIndex(const CBlock& block, int kind, const std::string& mnemonic) {
    for (int j = 0; j < block.GetParamCount(kind); ++j) {
        if (block.GetParam(kind, j)->GetMnemonic() == mnemonic) {
            return j;
        }
    }
    return -1;
}

void Set(CBlock& block, int kind, const std::string& mnemonic, const std::string& value) {
    const int j = ParamIndex(block, kind, mnemonic);
    if (j < 0 || !block.SetParamValue(kind, j, value)) {
        std::fprintf(stderr, "calconfig-gen: cannot set %s of block %d to %s\n", mnemonic.c_str(),
                     block.GetBlockNumber(), value.c_str());
        std::exit(1);
    }
}

// Inputs firstInput.. firstInput+3 routed to the four outputs of outputType.
std::unique_ptr<CLoop> RoutingLoop(int loopNumber, const std::string& name, int firstInput,
                                   const char* outputType, int frontViewNumber) {
    auto loop = std::make_unique<CLoop>(loopNumber, name);
    const int ai = TypeOf("AI");
    const int output = TypeOf(outputType);
    auto view = CBlock::Create(TypeOf("FV"), frontViewNumber);
    const char* shown[kChannelsPerLoop] = {"LIB", "LID", "LIE", "LIF"};
    std::vector<std::unique_ptr<CBlock>> outputs;
    for (int channel = 0; channel < kChannelsPerLoop; ++channel) {
        auto input = CBlock::Create(ai, GetFirstBlockNumber(ai) + firstInput + channel);
        Set(*input, PARAM_ADJ, "ATIM", "0.00");
        const std::string address = std::to_string(input->GetOutputAddress(0));
        auto out = CBlock::Create(output, GetFirstBlockNumber(output) + channel);
        Set(*out, PARAM_LINK, "LIA", address);
        Set(*view, PARAM_LINK, shown[channel], address);
        loop->AddBlock(std::move(input));
        outputs.push_back(std::move(out));
    }
    for (auto& out : outputs) {
        loop->AddBlock(std::move(out));
    }
    loop->AddBlock(std::move(view));
    return loop;
}

CCalConfigFile::Loops MakeConfiguration() {
    CCalConfigFile::Loops loops;
    loops[0] = RoutingLoop(1, "CAL_CO", 0, "CO", 27);
    loops[1] = RoutingLoop(2, "CAL_VO", kChannelsPerLoop, "VO", 28);
    loops[2] = std::make_unique<CLoop>(3, "LOOP_3");
    loops[3] = std::make_unique<CLoop>(4, "LOOP_4");
    loops[4] = std::make_unique<CLoop>(5, kConfigurationName);
    return loops;
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (!check && (argc != 2 || argv[1][0] == '-')) {
        std::fprintf(stderr,
                     "usage: calconfig-gen FILE           write CONFIG.CAL\n"
                     "       calconfig-gen --check FILE   check that FILE holds it as written\n");
        return 2;
    }
    const std::string path = argv[check ? 2 : 1];
    const std::vector<uint8_t> bytes = CCalConfigFile::Write(MakeConfiguration());
    std::string error;
    if (check) {
        std::vector<uint8_t> stored;
        if (!ReadFileBytes(path, CCalConfigFile::kMaxFileSize, stored, error) || stored != bytes) {
            std::fprintf(stderr, "calconfig-gen: %s differs from what the generator writes%s%s\n",
                         path.c_str(), error.empty() ? "" : ": ", error.c_str());
            return 1;
        }
        return 0;
    }
    if (!WriteFileAtomically(path, bytes, error)) {
        std::fprintf(stderr, "calconfig-gen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
