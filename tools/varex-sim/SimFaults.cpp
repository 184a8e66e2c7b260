#include "SimFaults.h"

#include <charconv>
#include <set>

namespace {

// A whole decimal number in minimum..maximum, nothing else in the text.
bool ParseNumber(const std::string& text, int minimum, int maximum, int& value) {
    int parsed = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, parsed);
    if (result.ec != std::errc() || result.ptr != end || parsed < minimum || parsed > maximum) {
        return false;
    }
    value = parsed;
    return true;
}

bool SetCount(const std::string& option, const std::string& value, int minimum, int& target,
              std::string& error) {
    if (!ParseNumber(value, minimum, 1000000, target)) {
        error = option + " needs a whole number of at least " + std::to_string(minimum) +
                ", not \"" + value + "\"";
        return false;
    }
    return true;
}

}  // namespace

CSimFaults::CSimFaults() : m_random(0x5EED) {}

bool CSimFaults::IsFaultOption(const std::string& option) {
    static const std::set<std::string> options = {"--drop-every",   "--noise",      "--echo",
                                                  "--error-answer", "--error-form", "--wrong-echo",
                                                  "--bad-checksum", "--close-after"};
    return options.count(option) != 0;
}

bool CSimFaults::TakesValue(const std::string& option) {
    return IsFaultOption(option) && option != "--echo" && option != "--wrong-echo" &&
           option != "--bad-checksum";
}

bool CSimFaults::SetOption(const std::string& option, const std::string& value,
                           std::string& error) {
    if (option == "--drop-every") {
        return SetCount(option, value, 1, m_nDropEvery, error);
    }
    if (option == "--noise") {
        return SetCount(option, value, 0, m_nNoise, error);
    }
    if (option == "--close-after") {
        return SetCount(option, value, 1, m_nCloseAfter, error);
    }
    if (option == "--error-answer") {
        return SetErrorAnswer(value, error);
    }
    if (option == "--error-form") {
        if (value != "literal" && value != "5") {
            error = "--error-form takes \"literal\" or \"5\", not \"" + value + "\"";
            return false;
        }
        m_errorForm = value == "5" ? ErrorForm::five : ErrorForm::literal;
        return true;
    }
    m_bEcho = m_bEcho || option == "--echo";
    m_bWrongEcho = m_bWrongEcho || option == "--wrong-echo";
    m_bBadChecksum = m_bBadChecksum || option == "--bad-checksum";
    if (!IsFaultOption(option)) {
        error = "unknown fault option " + option;
        return false;
    }
    return true;
}

bool CSimFaults::SetErrorAnswer(const std::string& value, std::string& error) {
    const std::size_t colon = value.find(':');
    const std::string sub = value.substr(0, colon);
    const std::string every = colon == std::string::npos ? "1" : value.substr(colon + 1);
    if (!ParseNumber(sub, 1, 255, m_nErrorSubCode) ||
        !ParseNumber(every, 1, 1000000, m_nErrorEvery)) {
        error = "--error-answer takes SUB[:EVERY] with SUB 1..255 and EVERY at least 1, not \"" +
                value + "\"";
        return false;
    }
    return true;
}

bool CSimFaults::IsDropped(uint64_t requestNumber) const {
    return m_nDropEvery > 0 && requestNumber % static_cast<uint64_t>(m_nDropEvery) == 0;
}

bool CSimFaults::IsErrorAnswer(uint64_t requestNumber) const {
    return m_nErrorSubCode > 0 && requestNumber % static_cast<uint64_t>(m_nErrorEvery) == 0;
}

std::vector<uint8_t> CSimFaults::MakeNoise() {
    std::vector<uint8_t> noise;
    std::uniform_int_distribution<int> byte(0, 0xFD);  // 0xFE is left out: it starts a frame
    for (int i = 0; i < m_nNoise; ++i) {
        noise.push_back(static_cast<uint8_t>(byte(m_random)));
    }
    return noise;
}

std::string CSimFaults::Describe() const {
    std::string text;
    auto line = [&text](const std::string& what) { text += "varex-sim: fault: " + what + "\n"; };
    if (m_nDropEvery > 0) {
        line("no reply to every " + std::to_string(m_nDropEvery) + ". request");
    }
    if (m_nNoise > 0) {
        line(std::to_string(m_nNoise) + " noise bytes before each reply");
    }
    if (m_bEcho) {
        line("the request is echoed before the reply");
    }
    if (m_nErrorSubCode > 0) {
        line("error answer with sub-code " + std::to_string(m_nErrorSubCode) + " to every " +
             std::to_string(m_nErrorEvery) + ". request, " +
             (m_errorForm == ErrorForm::literal ? "literal form" : "5-byte form"));
    }
    if (m_bWrongEcho) {
        line("replies echo the loop byte + 1");
    }
    if (m_bBadChecksum) {
        line("a checksum bit of each reply is flipped");
    }
    if (m_nCloseAfter > 0) {
        line("the connection is closed after " + std::to_string(m_nCloseAfter) + " frames");
    }
    return text;
}
