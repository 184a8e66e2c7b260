// kestrel-cli commands that talk to a controller: download, upload, probe, scan
// and calibration. Connection options override the stored "Comm Settings".
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "CliArgs.h"
#include "CliDocument.h"
#include "CliTransferUi.h"
#include "Commands.h"
#include "comm/AppSettings.h"
#include "comm/ConfController.h"
#include "comm/DeviceLookup.h"
#include "comm/Transfers.h"
#include "model/ParamValue.h"
#include "platform/MessageBox.h"
#include "platform/PostedMessage.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"

namespace {

const std::set<std::string> kConnectionOptions = {
    "--tcp", "--serial", "--baud", "--address", "--timeout", "--retries", "--settings"};
const char* const kConnectionUsage =
    "[--tcp HOST[:PORT] | --serial DEVICE [--baud B]] [--address A] [--timeout MS] [--retries N] "
    "[--settings FILE]";

std::set<std::string> With(std::set<std::string> options, std::initializer_list<std::string> more) {
    options.insert(more);
    return options;
}

// The stored settings: those of the file named with --settings (the layout the
// user's settings have, "Comm Settings" and "Settings"), else the user's own.
// Null (with the problem in args) when the named file does not exist.
std::unique_ptr<CAppSettings> StoredSettings(CCliArgs& args) {
    const std::optional<std::string> file = args.Get("--settings");
    if (!file) {
        return std::make_unique<CAppSettings>();
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(*file, error)) {
        args.Fail("the settings file \"" + *file + "\" does not exist");
        return nullptr;
    }
    return std::make_unique<CAppSettings>(*file);
}

// The stored settings with the command's connection options applied.
bool ConnectionSettings(CCliArgs& args, CCommunicationData& settings) {
    const std::unique_ptr<CAppSettings> stored = StoredSettings(args);
    if (!stored) {
        return false;
    }
    settings = stored->LoadCommSettings();
    if (auto host = args.Get("--tcp")) {
        settings.m_nInterface = CCommunicationData::kInterfaceEthernet;
        settings.m_strIPAddress = *host;
    }
    if (auto device = args.Get("--serial")) {
        settings.m_nInterface = CCommunicationData::kInterfaceSerial;
        settings.m_strPort = *device;
    }
    std::optional<int> baud, address, timeout, retries;
    if (!args.GetInt("--baud", baud) || !args.GetInt("--address", address) ||
        !args.GetInt("--timeout", timeout) || !args.GetInt("--retries", retries)) {
        return false;
    }
    settings.m_nBaudRate = baud.value_or(settings.m_nBaudRate);
    settings.m_nDevAddress = address.value_or(settings.m_nDevAddress);
    settings.m_nTimeout = timeout.value_or(settings.m_nTimeout);
    settings.m_nRetries = retries.value_or(settings.m_nRetries);
    return true;
}

std::string Target(const CCommunicationData& settings) {
    return settings.IsEthernet() ? settings.m_strIPAddress : settings.m_strPort;
}

int NoConnection(const CCommunicationData& settings) {
    return Refuse("Cannot open the connection to \"" + Target(settings) + "\".");
}

std::atomic<bool> g_interrupted{false};

void OnInterrupt(int) {
    g_interrupted = true;
}

// Thousandths as "%.3f", whatever the locale.
std::string Thousandths(int value) {
    char text[24];
    const int magnitude = value < 0 ? -value : value;
    std::snprintf(text, sizeof text, "%s%d.%03d", value < 0 ? "-" : "", magnitude / 1000,
                  magnitude % 1000);
    return text;
}

}  // namespace

int RunDownloadCommand(const std::vector<std::string>& args) {
    const std::string usage = std::string("download FILE.vxp ") + kConnectionUsage;
    CCliArgs parsed(args, kConnectionOptions, {});
    CCommunicationData settings;
    if (!parsed.IsValid() || parsed.Positional().size() != 1 ||
        !ConnectionSettings(parsed, settings)) {
        return UsageError(usage, parsed.GetError());
    }
    auto doc = OpenCliDocument(parsed.Positional()[0]);
    if (!doc) {
        return EXIT_REFUSED;
    }
    CCliTransferUi ui(IDNO);
    if (DownloadConfiguration(*doc, settings, ui)) {
        return EXIT_OK;
    }
    return ui.HasShownMessage() ? EXIT_REFUSED : NoConnection(settings);
}

int RunUploadCommand(const std::vector<std::string>& args) {
    const std::string usage =
        std::string("upload -o OUT.vxp [--workdir DIR] [--drawings-from-disk] ") + kConnectionUsage;
    CCliArgs parsed(args, With(kConnectionOptions, {"-o", "--workdir"}), {"--drawings-from-disk"});
    CCommunicationData settings;
    if (!parsed.IsValid() || !parsed.Positional().empty() || !parsed.Get("-o") ||
        !ConnectionSettings(parsed, settings)) {
        return UsageError(usage, parsed.GetError());
    }
    std::string workDir;
    if (const auto folder = parsed.Get("--workdir")) {
        workDir = *folder;
    } else if (const auto stored = StoredSettings(parsed)) {
        workDir = stored->GetWorkDir();
    }
    CCliTransferUi ui(parsed.Has("--drawings-from-disk") ? IDYES : IDNO);
    UploadResult result;
    if (!UploadConfiguration(settings, workDir, ui, result)) {
        return ui.HasShownMessage() ? EXIT_REFUSED : NoConnection(settings);
    }
    CConfDoc doc;
    if (!(result.drawingsFromDisk && doc.OnOpenDocument(result.matchingFile))) {
        result.drawingsFromDisk = false;
        doc.OnNewDocument();
    }
    ApplyUploadedLoops(doc, result);
    return doc.OnSaveDocument(*parsed.Get("-o")) ? EXIT_OK : EXIT_REFUSED;
}

int RunProbeCommand(const std::vector<std::string>& args) {
    const std::string usage = std::string("probe ") + kConnectionUsage;
    CCliArgs parsed(args, kConnectionOptions, {});
    CCommunicationData settings;
    if (!parsed.IsValid() || !parsed.Positional().empty() ||
        !ConnectionSettings(parsed, settings)) {
        return UsageError(usage, parsed.GetError());
    }
    const DeviceProbeResult result = ProbeDeviceAt(settings, settings.m_nDevAddress);
    if (!result.found) {
        return Refuse(LoadResString(IDS_NOT_FOUND));
    }
    std::printf("%d;%s;%s;\n", settings.m_nDevAddress, result.version.c_str(), result.name.c_str());
    return EXIT_OK;
}

int RunScanCommand(const std::vector<std::string>& args) {
    const std::string usage = std::string("scan --from A --to B ") + kConnectionUsage;
    CCliArgs parsed(args, With(kConnectionOptions, {"--from", "--to"}), {});
    CCommunicationData settings;
    std::optional<int> from, to;
    if (!parsed.IsValid() || !ConnectionSettings(parsed, settings) ||
        !parsed.GetInt("--from", from) || !parsed.GetInt("--to", to)) {
        return UsageError(usage, parsed.GetError());
    }
    const int first = from.value_or(2);
    const int last = to.value_or(30);
    if (first < 1 || last > 255 || first > last) {
        return UsageError(usage, "the range is 1 to 255, first to last");
    }
    MessagePoster previous = SetMessagePoster([](const std::string& name, long wParam, long) {
        if (name == msg::kUpdatePbPos) {
            std::fprintf(stderr, "Device: %ld\n", wParam);
        }
    });
    g_interrupted = false;
    auto oldHandler = std::signal(SIGINT, OnInterrupt);
    CDeviceScan scan(settings, first, last);
    scan.Start();
    while (!scan.GetFinishedEvent().Wait(std::chrono::milliseconds(50))) {
        if (g_interrupted) {
            scan.Cancel();
        }
    }
    scan.Finish();
    std::signal(SIGINT, oldHandler);
    SetMessagePoster(previous);
    if (scan.WasCancelled()) {
        return Refuse("Scan cancelled.");
    }
    const std::vector<std::string> found = scan.GetFound();
    for (const std::string& entry : found) {
        std::printf("%s\n", entry.c_str());
    }
    return found.empty() ? Refuse(LoadResString(IDS_NOT_FOUND)) : EXIT_OK;
}

int RunCalibrationCommand(const std::vector<std::string>& args) {
    const std::string usage =
        std::string("calibration read|write --kind 1|2|3 [--values v1,v2,...] ") + kConnectionUsage;
    CCliArgs parsed(args, With(kConnectionOptions, {"--kind", "--values"}), {});
    CCommunicationData settings;
    std::optional<int> kind;
    if (!parsed.IsValid() || parsed.Positional().size() != 1 || !parsed.GetInt("--kind", kind) ||
        !kind || (*kind != 1 && *kind != 2 && *kind != 3) ||
        !ConnectionSettings(parsed, settings)) {
        return UsageError(usage, parsed.GetError());
    }
    const std::string& action = parsed.Positional()[0];
    const int size = CController::CalibrationSize(*kind);
    std::vector<uint8_t> table;
    if (action == "write") {
        const std::string values = parsed.Get("--values").value_or("");
        std::size_t start = 0;
        while (start <= values.size() && !values.empty()) {
            const std::size_t comma = values.find(',', start);
            const double value = ParseLeadingDouble(values.substr(start, comma - start));
            const long thousandths = std::lround(value * 1000.0);
            if (thousandths < INT16_MIN || thousandths > INT16_MAX) {
                return Refuse(LoadResString(IDS_VALUE_OUT_OF_RANGE));
            }
            table.push_back(static_cast<uint8_t>(thousandths));
            table.push_back(static_cast<uint8_t>(thousandths >> 8));
            start = comma == std::string::npos ? values.size() + 1 : comma + 1;
        }
        if (static_cast<int>(table.size()) != size) {
            return UsageError(usage, "kind " + std::to_string(*kind) + " takes " +
                                         std::to_string(size / 2) + " values");
        }
    } else if (action != "read") {
        return UsageError(usage);
    }
    CConfController controller;
    if (!controller.Open(settings, false)) {
        return NoConnection(settings);
    }
    const bool ok = action == "write"
                        ? controller.WriteCalibration(*kind, table.data())
                        : controller.ReadCalibration(static_cast<uint8_t>(*kind), table);
    const std::string error = controller.GetErrorText();
    controller.Close();
    if (!ok) {
        return Refuse((action == "write" ? "Problem to download this calibration."
                                         : "Problem to read the calibration.") +
                      error);
    }
    if (action == "read") {
        for (std::size_t i = 0; i + 1 < table.size(); i += 2) {
            const int16_t value = static_cast<int16_t>(table[i] | (table[i + 1] << 8));
            std::printf("%s%s", i == 0 ? "" : ",", Thousandths(value).c_str());
        }
        std::printf("\n");
    } else {
        std::fprintf(stderr, "Calibration downloaded with success.\n");
    }
    return EXIT_OK;
}
