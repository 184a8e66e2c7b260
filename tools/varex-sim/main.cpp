// varex-sim: a Varex controller in software, on a loopback TCP port or a
// pseudo-terminal, for trying KESTREL without hardware and for the tests.
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "SimController.h"
#include "SimServer.h"

namespace {

constexpr int kExitUsage = 2;

const char kUsage[] =
    "usage: varex-sim (--tcp [HOST:]PORT | --pty [LINK]) [options] [faults]\n"
    "\n"
    "  --tcp [HOST:]PORT      listen on a loopback address (default 127.0.0.1; port 0: any)\n"
    "  --pty [LINK]           a pseudo-terminal; LINK becomes a symbolic link to it\n"
    "  --address N            the controller's address (default 2)\n"
    "  --version X.YY         the firmware version it reports (default 4.10)\n"
    "  --load FILE.vxp        start with the loops of a configuration document\n"
    "  --no-config            without a configuration, name the loops \"NO CONFG\"\n"
    "  --baud B               send replies at B bits/s, 12 bits a byte\n"
    "  --max-seconds S        stop after S seconds\n"
    "  -v                     log every frame on stderr\n"
    "  --help                 this text\n"
    "\n"
    "faults:\n"
    "  --drop-every N         no reply to every N-th request\n"
    "  --noise N              N noise bytes (never 0xFE) before each reply\n"
    "  --echo                 the request is echoed before the reply (two-wire line)\n"
    "  --error-answer SUB[:EVERY]  error answer with sub-code SUB to every EVERY-th request\n"
    "  --error-form literal|5 error answers carry SUB bytes (default) or echo + checksum\n"
    "  --wrong-echo           replies echo the loop byte + 1\n"
    "  --bad-checksum         a checksum bit of each reply is flipped\n"
    "  --close-after N        close the connection after N frames (pty: the line goes dead)\n";

struct Settings {
    CSimServer::Options server;
    bool transportGiven = false;
    int address = CSimController::kDefaultAddress;
    int version = CSimController::kDefaultVersion;
    std::string load;
    bool noConfig = false;
    bool help = false;
};

bool ParseInt(const std::string& text, int minimum, int maximum, int& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && value >= minimum && value <= maximum;
}

bool ParseNumber(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

bool ParseTcp(const std::string& text, Settings& settings, std::string& error) {
    const std::size_t colon = text.rfind(':');
    if (colon != std::string::npos) {
        settings.server.host = text.substr(0, colon);
    }
    const std::string port = colon == std::string::npos ? text : text.substr(colon + 1);
    if (!ParseInt(port, 0, 65535, settings.server.port)) {
        error = "--tcp takes [HOST:]PORT with PORT 0..65535, not \"" + text + "\"";
        return false;
    }
    uint32_t host = 0;
    return CSimServer::ParseLoopbackHost(settings.server.host, host, error);
}

bool ParseVersion(const std::string& text, int& version) {
    double value = 0.0;
    if (!ParseNumber(text, value) || value < 0.0 || value > 327.0) {
        return false;
    }
    version = static_cast<int>(std::lround(value * 100.0));
    return true;
}

// Options with a value; false with a message for a bad value.
bool ParseValueOption(const std::string& option, const std::string& value, Settings& settings,
                      CSimFaults& faults, std::string& error) {
    if (option == "--tcp") {
        settings.server.transport = CSimServer::Transport::tcp;
        settings.transportGiven = true;
        return ParseTcp(value, settings, error);
    }
    if (option == "--address" && !ParseInt(value, 1, 255, settings.address)) {
        error = "--address takes a number 1..255, not \"" + value + "\"";
        return false;
    }
    if (option == "--version" && !ParseVersion(value, settings.version)) {
        error = "--version takes a version such as 4.10, not \"" + value + "\"";
        return false;
    }
    if (option == "--baud" && !ParseInt(value, 1, 10000000, settings.server.baud)) {
        error = "--baud takes a positive number of bits per second, not \"" + value + "\"";
        return false;
    }
    if (option == "--max-seconds" &&
        (!ParseNumber(value, settings.server.maxSeconds) || settings.server.maxSeconds <= 0.0)) {
        error = "--max-seconds takes a positive number, not \"" + value + "\"";
        return false;
    }
    if (option == "--load") {
        settings.load = value;
    }
    if (CSimFaults::IsFaultOption(option)) {
        return faults.SetOption(option, value, error);
    }
    return true;
}

bool TakesValue(const std::string& option) {
    return option == "--tcp" || option == "--address" || option == "--version" ||
           option == "--load" || option == "--baud" || option == "--max-seconds" ||
           CSimFaults::TakesValue(option);
}

bool ParseArguments(const std::vector<std::string>& args, Settings& settings, CSimFaults& faults,
                    std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--help" || option == "-h") {
            settings.help = true;
        } else if (option == "--no-config") {
            settings.noConfig = true;
        } else if (option == "-v") {
            settings.server.verbose = true;
        } else if (option == "--pty") {
            settings.server.transport = CSimServer::Transport::pty;
            settings.transportGiven = true;
            if (i + 1 < args.size() && args[i + 1].rfind("-", 0) != 0) {
                settings.server.link = args[++i];
            }
        } else if (TakesValue(option)) {
            if (i + 1 >= args.size()) {
                error = option + " needs a value";
                return false;
            }
            if (!ParseValueOption(option, args[++i], settings, faults, error)) {
                return false;
            }
        } else if (CSimFaults::IsFaultOption(option)) {
            faults.SetOption(option, "", error);
        } else {
            error = "unknown option \"" + option + "\"";
            return false;
        }
    }
    if (settings.noConfig && !settings.load.empty()) {
        error = "--no-config and --load exclude each other";
        return false;
    }
    if (!settings.help && !settings.transportGiven) {
        error = "give --tcp [HOST:]PORT or --pty [LINK]";
        return false;
    }
    return true;
}

void OnStopSignal(int) {
    CSimServer::RequestStop();
}

void InstallSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace

int main(int argc, char** argv) {
    Settings settings;
    CSimController controller;
    std::string error;
    if (!ParseArguments(std::vector<std::string>(argv + 1, argv + argc), settings,
                        controller.GetFaults(), error)) {
        std::fprintf(stderr, "varex-sim: %s\n(varex-sim --help lists the options)\n",
                     error.c_str());
        return kExitUsage;
    }
    if (settings.help) {
        std::fputs(kUsage, stdout);
        return EXIT_SUCCESS;
    }
    controller.SetAddress(static_cast<uint8_t>(settings.address));
    controller.SetVersion(settings.version);
    controller.SetNoConfigName(settings.noConfig);
    if (!settings.load.empty() && !controller.LoadDocument(settings.load, error)) {
        std::fprintf(stderr, "varex-sim: cannot load %s: %s\n", settings.load.c_str(),
                     error.c_str());
        return EXIT_FAILURE;
    }
    settings.server.closeAfter = controller.GetFaults().m_nCloseAfter;
    InstallSignalHandlers();
    CSimServer server(controller, settings.server);
    if (!server.Start(error)) {
        std::fprintf(stderr, "varex-sim: %s\n", error.c_str());
        return EXIT_FAILURE;
    }
    if (settings.server.verbose) {
        std::fputs(controller.GetFaults().Describe().c_str(), stderr);
    }
    return server.Run();
}
