// kestrel-cli commands that talk to a controller: download, upload, probe, scan
// and calibration. Connection options override the stored "Comm Settings".
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>

#include "CliArgs.h"
#include "CliDocument.h"
#include "CliGui.h"
#include "CliTransferUi.h"
#include "Commands.h"
#include "comm/AppSettings.h"
#include "comm/CalConfigFile.h"
#include "comm/CalibrationRecord.h"
#include "comm/CalibrationSession.h"
#include "comm/CalibrationTable.h"
#include "comm/ConfController.h"
#include "comm/DeviceLookup.h"
#include "comm/OnlineSession.h"
#include "comm/Transfers.h"
#include "comm/gui/CalibrationCertificate.h"
#include "diagram/ConfGraphNode.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/ParamValue.h"
#include "platform/MessageBox.h"
#include "platform/PostedMessage.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/Text.h"

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

namespace {

const char* const kCalibrationUsage =
    "calibration read (--mode 0..5 | --kind 1|2|3) [CONNECTION]\n"
    "       calibration write (--mode 1..5 | --kind 1|2|3) --values v1,v2,... [--workdir DIR] "
    "[CONNECTION]\n"
    "       calibration auto --columns 1,3 --row 0..3 [--workdir DIR] [CONNECTION]\n"
    "       calibration load-default [--file CONFIG.CAL] [CONNECTION]\n"
    "       calibration certificate --address A [--since YYYY-MM-DD] [--workdir DIR] -o FILE.pdf";

// Without --mode, a kind's table is laid out as its first mode with typed values;
// kinds 2 and 3 are recorded as the standard 4-20 mA and 1-5 V outputs.
int ModeOfKind(int kind) {
    return kind == 1
               ? CCalibrationTable::kInputManual
               : (kind == 2 ? CCalibrationTable::kCurrent4To20 : CCalibrationTable::kVoltage1To5);
}

// The table as the dialog's grid shows it: the column titles, then one line
// per point with its label and the values ("%.3f"), tab-separated.
void PrintTable(const CCalibrationTable& table) {
    const int mode = table.GetMode();
    std::string line = "point";
    for (int column = 0; column < table.GetColumnCount(); ++column) {
        line += "\t" + CCalibrationTable::ColumnTitle(mode, column);
    }
    std::printf("%s\n", line.c_str());
    for (int row = 0; row < table.GetRowCount(); ++row) {
        line = CCalibrationTable::RowLabel(mode, row);
        for (int column = 0; column < table.GetColumnCount(); ++column) {
            line += "\t" + table.GetText(column, row);
        }
        std::printf("%s\n", line.c_str());
    }
}

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (!text.empty() && start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        items.push_back(text.substr(start, comma - start));
        start = comma == std::string::npos ? text.size() + 1 : comma + 1;
    }
    return items;
}

// The mode of --mode or --kind; 0 (with the problem in args) when neither or
// a bad one was given.
bool TableMode(CCliArgs& args, bool forWriting, int& mode) {
    std::optional<int> givenMode, kind;
    if (!args.GetInt("--mode", givenMode) || !args.GetInt("--kind", kind)) {
        return false;
    }
    if (givenMode.has_value() == kind.has_value()) {
        return args.Fail("give either --mode or --kind");
    }
    if (givenMode) {
        const int lowest = forWriting ? CCalibrationTable::kInputManual : 0;
        if (*givenMode < lowest || *givenMode >= CCalibrationTable::kModeCount) {
            return args.Fail("--mode takes " + std::to_string(lowest) + " to 5");
        }
        mode = *givenMode;
        return true;
    }
    if (*kind < 1 || *kind > 3) {
        return args.Fail("--kind takes 1, 2 or 3");
    }
    mode = ModeOfKind(*kind);
    return true;
}

// The values of --values in the table, column by column. With --mode each
// value must lie in its point's range, as in the dialog; --kind only keeps
// them within 16 bits.
int TakeValues(CCliArgs& args, bool checked, CCalibrationTable& table) {
    const std::vector<std::string> values = SplitList(args.Get("--values").value_or(""));
    const int rows = table.GetRowCount();
    if (static_cast<int>(values.size()) != table.GetColumnCount() * rows) {
        return UsageError(kCalibrationUsage, "this table takes " +
                                                 std::to_string(table.GetColumnCount() * rows) +
                                                 " values, column by column");
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int column = static_cast<int>(i) / rows;
        const int row = static_cast<int>(i) % rows;
        int thousandths = 0;
        const bool ok =
            checked ? CCalibrationTable::ParseCell(table.GetMode(), row, values[i], thousandths)
                    : table.SetValue(
                          column, row,
                          static_cast<int>(std::lround(ParseLeadingDouble(values[i]) * 1000.0)));
        if (!ok) {
            return Refuse(LoadResString(IDS_VALUE_OUT_OF_RANGE) + " (" +
                          CCalibrationTable::ColumnTitle(table.GetMode(), column) + ", " +
                          CCalibrationTable::RowLabel(table.GetMode(), row) + ": " + values[i] +
                          ")");
        }
        if (checked) {
            table.SetValue(column, row, thousandths);
        }
    }
    return EXIT_OK;
}

std::string WorkDirOf(CCliArgs& args) {
    if (const auto folder = args.Get("--workdir")) {
        return *folder;
    }
    const auto stored = StoredSettings(args);
    const std::string workDir = stored ? stored->GetWorkDir() : std::string();
    return workDir.empty() ? std::string(".") : workDir;
}

// A write changed the controller: the record of it goes to the working directory.
int FinishWrite(CCliArgs& args, const CCalibrationRecord& record) {
    std::string error;
    if (!record.AppendTo(WorkDirOf(args), error)) {
        std::fprintf(stderr, "The calibration record could not be written: %s\n", error.c_str());
    }
    PrintTable(record.m_left);
    std::fprintf(stderr, "%s\n", LoadResString(IDS_CALIBRATION_SUCCESS).c_str());
    return EXIT_OK;
}

int RefuseSession(unsigned textId, const CCalibrationSession& session) {
    return Refuse(LoadResString(textId) + session.GetErrorText());
}

int ReadCommand(CCalibrationSession& session, int mode) {
    CCalibrationTable table(mode);
    if (!session.ReadTable(table)) {
        return RefuseSession(IDS_CALIBRATION_READ_FAILED, session);
    }
    PrintTable(table);
    return EXIT_OK;
}

int WriteCommand(CCliArgs& args, CCalibrationSession& session, int mode) {
    CCalibrationTable table(mode);
    if (const int problem = TakeValues(args, args.Has("--mode"), table); problem != EXIT_OK) {
        return problem;
    }
    // The probe names the controller in the record.
    session.Probe();
    CCalibrationRecord record;
    if (!session.WriteTable(table, record)) {
        return RefuseSession(IDS_CALIBRATION_FAILED, session);
    }
    return FinishWrite(args, record);
}

int AutoCommand(CCliArgs& args, CCalibrationSession& session) {
    std::vector<bool> selected(CCalibrationTable::kInputColumns, false);
    for (const std::string& item : SplitList(args.Get("--columns").value_or(""))) {
        const long column = std::strtol(item.c_str(), nullptr, 10);
        if (column < 1 || column > CCalibrationTable::kInputColumns ||
            std::to_string(column) != item) {
            return UsageError(kCalibrationUsage, "--columns takes input numbers 1 to 8");
        }
        selected[static_cast<std::size_t>(column - 1)] = true;
    }
    const std::string rowText = args.Get("--row").value_or("");
    int row = -1;
    for (int r = 0; r < CCalibrationTable::kInputRows; ++r) {
        if (rowText == std::to_string(r) ||
            rowText == CCalibrationTable::RowLabel(CCalibrationTable::kInputAuto, r)) {
            row = r;
        }
    }
    const uint8_t mask = CCalibrationTable::SelectionMask(selected);
    if (mask == 0 || row < 0) {
        return UsageError(kCalibrationUsage,
                          "give --columns and --row 0..3 (0.0V, 1.0V, 3.0V or 5.0V)");
    }
    session.Probe();
    CCalibrationTable table(CCalibrationTable::kInputAuto);
    CCalibrationRecord record;
    if (!session.Calibrate(mask, row, table, record)) {
        return RefuseSession(IDS_CALIBRATION_FAILED, session);
    }
    return FinishWrite(args, record);
}

std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

int LoadDefaultCommand(CCliArgs& args, CCalibrationSession& session) {
    const std::string file = args.Get("--file").value_or(ProgramFolder() + "/CONFIG.CAL");
    CCalConfigFile::Loops loops;
    std::string error;
    if (!CCalConfigFile::ReadFile(file, loops, error)) {
        return Refuse(LoadResString(IDS_CONFIG_CAL_NOT_FOUND) + "\n" + file + ": " + error);
    }
    if (!session.SendConfiguration(
            loops, [](int sent) { std::fprintf(stderr, "Loop %d sent\n", sent); })) {
        return RefuseSession(IDS_DOWNLOAD_FAILED, session);
    }
    std::printf("%s\n", LoadResString(IDS_DOWNLOAD_SUCCESS).c_str());
    return EXIT_OK;
}

int CertificateCommand(CCliArgs& args) {
    std::optional<int> address;
    const std::string since = args.Get("--since").value_or("");
    if (!args.GetInt("--address", address) || !address || !args.Get("-o") ||
        (!since.empty() && !CCalibrationRecord::IsDate(since))) {
        return UsageError(kCalibrationUsage, args.IsValid() ? "give --address, -o FILE.pdf and "
                                                              "--since as YYYY-MM-DD"
                                                            : args.GetError());
    }
    const std::string workDir = WorkDirOf(args);
    const std::vector<CCalibrationRecord> records =
        CCalibrationRecord::FindRecords(workDir, *address, since);
    if (records.empty()) {
        return Refuse("No calibration record of address " + std::to_string(*address) + " in " +
                      workDir + "/" + CCalibrationRecord::kFolder + ".");
    }
    EnsureGuiApplication();
    std::string error;
    if (!CCalibrationCertificate::WritePdf(records, *args.Get("-o"), error)) {
        return Refuse(error);
    }
    std::fprintf(stderr, "%zu page(s) written.\n", records.size());
    return EXIT_OK;
}

}  // namespace

int RunCalibrationCommand(const std::vector<std::string>& args) {
    CCliArgs parsed(args,
                    With(kConnectionOptions, {"--kind", "--mode", "--values", "--columns", "--row",
                                              "--file", "--workdir", "--since", "-o"}),
                    {});
    if (!parsed.IsValid() || parsed.Positional().size() != 1) {
        return UsageError(kCalibrationUsage, parsed.GetError());
    }
    const std::string& action = parsed.Positional()[0];
    if (action == "certificate") {
        return CertificateCommand(parsed);
    }
    CCommunicationData settings;
    int mode = 0;
    const bool needsMode = action == "read" || action == "write";
    if ((action != "auto" && action != "load-default" && !needsMode) ||
        (needsMode && !TableMode(parsed, action == "write", mode)) ||
        !ConnectionSettings(parsed, settings)) {
        return UsageError(kCalibrationUsage, parsed.GetError());
    }
    CCalibrationSession session(settings, settings.m_nDevAddress);
    if (action == "read") {
        return ReadCommand(session, mode);
    }
    if (action == "write") {
        return WriteCommand(parsed, session, mode);
    }
    return action == "auto" ? AutoCommand(parsed, session) : LoadDefaultCommand(parsed, session);
}

// ---- monitor and update

namespace {

// A value as a JSON string (the controller's values are plain numbers, but a
// damaged reply must not break the line).
std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        if (static_cast<unsigned char>(c) >= 0x20) {
            quoted += c;
        }
    }
    return quoted + "\"";
}

// The posted messages of the online worker, waited for on this thread.
class CPassWaiter {
public:
    COnlineSession::Poster Poster() {
        return [this](const std::string& message) {
            {
                std::lock_guard lock(m_mutex);
                m_pending.push_back(message);
            }
            m_changed.notify_all();
        };
    }
    // The next message; empty after the time-out or an interruption.
    std::string Next(std::chrono::milliseconds timeout) {
        std::unique_lock lock(m_mutex);
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (m_pending.empty() && !g_interrupted) {
            // Short waits, so that Ctrl+C is noticed.
            if (m_changed.wait_for(lock, std::chrono::milliseconds(100)) ==
                    std::cv_status::timeout &&
                std::chrono::steady_clock::now() >= deadline) {
                return {};
            }
        }
        if (m_pending.empty()) {
            return {};
        }
        std::string message = m_pending.front();
        m_pending.erase(m_pending.begin());
        return message;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_pending;
};

// The blocks of a loop as a monitoring pass reads them: the block nodes of its
// drawing in drawing order, else (a loop never drawn) its execution order.
std::vector<CMonitoredBlock> MonitoredBlocksOf(const CConfDoc& doc, int loopNumber) {
    std::vector<CMonitoredBlock> blocks;
    auto add = [&](const CBlock& block) {
        blocks.push_back({block.GetBlockNumber(), static_cast<uint8_t>(loopNumber),
                          CConfController::FunctionOf(block), CConfController::OffsetOf(block)});
    };
    for (const auto& item : doc.GetGraphObjects()) {
        auto* node = dynamic_cast<const CConfGraphNode*>(item.get());
        if (node != nullptr && node->GetLoop() == loopNumber) {
            if (const CBlock* block = node->FindBlock(nullptr)) {
                add(*block);
            }
        }
    }
    const CLoop* loop = doc.GetLoop(loopNumber);
    if (blocks.empty() && loop != nullptr) {
        for (int b = 0; b < loop->GetBlockCount(); ++b) {
            add(*loop->GetBlock(b));
        }
    }
    return blocks;
}

void PrintPass(int pass, int milliseconds, const std::vector<CMonitoredBlock>& order,
               const std::vector<CBlockValues>& values, bool json) {
    if (json) {
        std::printf("{\"pass\": %d, \"ms\": %d, \"blocks\": [", pass, milliseconds);
    } else {
        std::printf("pass %d (%d ms)\n", pass, milliseconds);
    }
    bool first = true;
    for (const CMonitoredBlock& block : order) {
        auto read = std::find_if(values.begin(), values.end(),
                                 [&](const CBlockValues& v) { return v.number == block.number; });
        if (read == values.end()) {
            continue;
        }
        if (json) {
            std::printf("%s{\"number\": %d, \"values\": [", first ? "" : ", ", block.number);
            for (std::size_t i = 0; i < read->values.size(); ++i) {
                std::printf("%s%s", i == 0 ? "" : ", ", JsonString(read->values[i]).c_str());
            }
            std::printf("]}");
        } else {
            std::printf("  BLK-%03d", block.number);
            for (const std::string& value : read->values) {
                std::printf(" %s", value.c_str());
            }
            std::printf("\n");
        }
        first = false;
    }
    if (json) {
        std::printf("]}\n");
    }
    std::fflush(stdout);
}

// Marks what differs between the document's loop and the controller's: the
// name, the blocks or their LINK values (the loop is replaced), or the CONF
// and ADJ values of blocks (those blocks are written).
void MarkDifferences(CLoop& loop, const CLoop& remote) {
    loop.SetModified(0);
    for (int b = 0; b < loop.GetBlockCount(); ++b) {
        loop.GetBlock(b)->SetChanged(false);
    }
    if (TrimRight(loop.GetName()) != TrimRight(remote.GetName())) {
        loop.SetModified(CLoop::MODIFIED_NAME);
    }
    bool sameBlocks = loop.GetBlockCount() == remote.GetBlockCount();
    for (int b = 0; sameBlocks && b < loop.GetBlockCount(); ++b) {
        const CBlock& mine = *loop.GetBlock(b);
        const CBlock& theirs = *remote.GetBlock(b);
        sameBlocks = mine.GetBlockNumber() == theirs.GetBlockNumber() &&
                     mine.GetTypeIndex() == theirs.GetTypeIndex() &&
                     mine.CompareParams(PARAM_LINK, theirs) == 0;
    }
    if (!sameBlocks) {
        loop.SetModified(CLoop::MODIFIED_BLOCKS);
        return;
    }
    for (int b = 0; b < loop.GetBlockCount(); ++b) {
        CBlock& mine = *loop.GetBlock(b);
        const CBlock& theirs = *remote.GetBlock(b);
        if (mine.CompareParams(PARAM_CONF, theirs) != 0 ||
            mine.CompareParams(PARAM_ADJ, theirs) != 0) {
            mine.SetChanged(true);
            loop.SetModified(CLoop::MODIFIED_REPLACED);
        }
    }
}

std::string Describe(const CLoop& loop) {
    const int bits = loop.GetModified();
    if (bits & CLoop::MODIFIED_BLOCKS) {
        return "replaced";
    }
    std::string parts;
    if (bits & CLoop::MODIFIED_NAME) {
        parts = "name " + TrimRight(loop.GetName());
    }
    std::string blocks;
    for (int b = 0; b < loop.GetBlockCount(); ++b) {
        if (loop.GetBlock(b)->IsChanged()) {
            blocks += (blocks.empty() ? "" : " ") + loop.GetBlock(b)->GetDisplayName();
        }
    }
    if (!blocks.empty()) {
        parts += (parts.empty() ? "" : ", ") + std::string("blocks ") + blocks;
    }
    return parts;
}

}  // namespace

int RunMonitorCommand(const std::vector<std::string>& args) {
    const std::string usage =
        std::string("monitor FILE.vxp --loop N [--passes K] [--json] ") + kConnectionUsage;
    CCliArgs parsed(args, With(kConnectionOptions, {"--loop", "--passes"}), {"--json"});
    CCommunicationData settings;
    std::optional<int> loop, passes;
    if (!parsed.IsValid() || parsed.Positional().size() != 1 ||
        !ConnectionSettings(parsed, settings) || !parsed.GetInt("--loop", loop) ||
        !parsed.GetInt("--passes", passes)) {
        return UsageError(usage, parsed.GetError());
    }
    if (!loop || *loop < 1 || *loop > CConfiguration::kLoopCount || passes.value_or(1) < 1) {
        return UsageError(usage, "--loop is 1 to 5 and --passes at least 1");
    }
    auto doc = OpenCliDocument(parsed.Positional()[0]);
    if (!doc) {
        return EXIT_REFUSED;
    }
    const std::vector<CMonitoredBlock> blocks = MonitoredBlocksOf(*doc, *loop);
    CPassWaiter waiter;
    COnlineSession session(waiter.Poster());
    session.SetMonitoredBlocks(blocks);
    g_interrupted = false;
    std::signal(SIGINT, OnInterrupt);
    if (!session.GoOnline(settings, doc->GetConfigurationName())) {
        return NoConnection(settings);
    }
    session.StartMonitoring();
    const bool json = parsed.Has("--json");
    // A pass waits at most the period, then reads every block with its retries.
    const auto patience = std::chrono::milliseconds(
        session.GetPeriod() + (static_cast<int>(blocks.size()) + 2) * (settings.m_nTimeout + 100) *
                                  (settings.m_nRetries + 1));
    int result = EXIT_OK;
    for (int pass = 1; !passes || pass <= *passes;) {
        const std::string message = waiter.Next(patience);
        if (message == COnlineSession::kValuesReady) {
            const std::vector<CBlockValues> values = session.TakeValues();
            if (!values.empty()) {
                PrintPass(pass++, session.GetLastPassMilliseconds(), blocks, values, json);
            }
        } else if (message == msg::kThreadCommError) {
            session.WaitPaused();
            const std::string text = session.GetErrorText();
            result = Refuse(text.empty() ? "The controller does not answer." : text);
            break;
        } else if (message == msg::kThreadShutdown || message.empty()) {
            result = g_interrupted ? EXIT_OK : NoConnection(settings);
            break;
        }
    }
    std::signal(SIGINT, SIG_DFL);
    session.LeaveOnlineMode();
    return result;
}

int RunUpdateCommand(const std::vector<std::string>& args) {
    const std::string usage = std::string("update FILE.vxp ") + kConnectionUsage;
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
    CConfController controller;
    if (!controller.Open(settings, true)) {
        return NoConnection(settings);
    }
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        CLoop* loop = doc->GetLoop(n);
        const std::unique_ptr<CLoop> remote = controller.ReadLoop(n);
        if (!remote) {
            return Refuse("Cannot read loop " + std::to_string(n) +
                          " of the controller: " + controller.GetErrorText());
        }
        if (loop != nullptr) {
            MarkDifferences(*loop, *remote);
        }
    }
    std::vector<std::string> sent;
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        const CLoop* loop = doc->GetLoop(n);
        if (loop != nullptr && loop->IsModified()) {
            sent.push_back("loop " + std::to_string(n) + ": " + Describe(*loop));
        }
    }
    CCliTransferUi ui(IDYES);
    if (!SendChangedLoops(*doc, controller, false, ui)) {
        return EXIT_REFUSED;
    }
    for (const std::string& line : sent) {
        std::printf("%s\n", line.c_str());
    }
    if (sent.empty()) {
        std::printf("nothing to send\n");
    }
    return EXIT_OK;
}
