#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// The faults the simulator injects on request, so that a client's error handling
// can be tried: lost replies, line noise, the echo of a two-wire line, error
// answers, wrong echoes, damaged checksums and dropped connections. Requests are
// counted from 1; only requests addressed to the simulator with a good checksum
// count.
class CSimFaults {
public:
    // How an error answer continues after its sub-code: "literal" sends exactly as
    // many bytes as the sub-code's value (what a client reading byte 4 as the
    // length expects), "five" the echo and the checksum.
    enum class ErrorForm { literal, five };

    CSimFaults();

    // True for the fault options ("--drop-every", ...), and for those that take a value.
    static bool IsFaultOption(const std::string& option);
    static bool TakesValue(const std::string& option);
    // Applies one fault option; false with a message when its value is not valid.
    bool SetOption(const std::string& option, const std::string& value, std::string& error);

    bool IsDropped(uint64_t requestNumber) const;
    bool IsErrorAnswer(uint64_t requestNumber) const;
    // Noise to send before a reply: m_nNoise bytes, none of them 0xFE.
    std::vector<uint8_t> MakeNoise();
    // One line per active fault, for the start-up log.
    std::string Describe() const;

    int m_nDropEvery = 0;
    int m_nNoise = 0;
    bool m_bEcho = false;
    int m_nErrorSubCode = 0;
    int m_nErrorEvery = 1;
    ErrorForm m_errorForm = ErrorForm::literal;
    bool m_bWrongEcho = false;
    bool m_bBadChecksum = false;
    int m_nCloseAfter = 0;

private:
    bool SetErrorAnswer(const std::string& value, std::string& error);

    std::mt19937 m_random;
};
