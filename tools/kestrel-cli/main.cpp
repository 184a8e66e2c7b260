// kestrel-cli: the configuration work of KESTREL from a shell, for scripts and CI.
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "CliGui.h"
#include "Commands.h"
#include "diagram/DrawingClasses.h"

namespace {

struct Command {
    std::function<int(const std::vector<std::string>&)> run;
    const char* synopsis;
};

const std::map<std::string, Command>& CommandTable() {
    static const std::map<std::string, Command> table = {
        {"catalog",
         {RunCatalogCommand,
          "catalog [--json] [--language en|pt|es|zh]   the block types and their parameters"}},
        {"new",
         {RunNewCommand,
          "new OUT.vxp                           a new configuration with five empty loops"}},
        {"info",
         {RunInfoCommand,
          "info FILE.vxp [--json]                the document, its loops and blocks"}},
        {"add-block",
         {RunAddBlockCommand,
          "add-block FILE --loop N --type T --number B   append a block to a loop"}},
        {"set-param",
         {RunSetParamCommand, "set-param FILE --block B --param MNEMONIC --value TEXT"}},
        {"remove-block", {RunRemoveBlockCommand, "remove-block FILE --block B"}},
        {"rename-loop", {RunRenameLoopCommand, "rename-loop FILE --loop N --name NAME"}},
        {"set-info",
         {RunSetInfoCommand,
          "set-info FILE --field company|project|revision|leader|programmer|description --value "
          "TEXT"}},
        {"set-model", {RunSetModelCommand, "set-model FILE varex|varex-plus"}},
        {"import",
         {RunImportCommand,
          "import FILE.vxi -o OUT.vxp             a configuration image as a document"}},
        {"export-pda",
         {RunExportPdaCommand,
          "export-pda FILE.vxp -d DIR            the two handheld database files"}},
        {"download",
         {RunDownloadCommand,
          "download FILE.vxp [CONNECTION]        send the configuration to a controller"}},
        {"upload",
         {RunUploadCommand,
          "upload -o OUT.vxp [--workdir DIR] [--drawings-from-disk] [CONNECTION]"}},
        {"monitor",
         {RunMonitorCommand,
          "monitor FILE.vxp --loop N [--passes K] [--json] [CONNECTION]   live values, per pass"}},
        {"update",
         {RunUpdateCommand,
          "update FILE.vxp [CONNECTION]          send the loops and blocks that differ"}},
        {"probe",
         {RunProbeCommand, "probe [CONNECTION]                    the controller at --address"}},
        {"scan",
         {RunScanCommand,
          "scan --from A --to B [CONNECTION]     controllers on the line (Ctrl+C cancels)"}},
        {"calibration",
         {RunCalibrationCommand,
          "calibration read|write|auto|load-default|certificate ... [CONNECTION]"}},
        {"render",
         {RunRenderCommand, "render FILE.vxp --loop N -o OUT.png [--zoom Z]   draw a loop's page"}},
        {"autodraw",
         {RunAutodrawCommand,
          "autodraw FILE.vxp [--loop N]          draw blocks that have no node"}},
        {"report",
         {RunReportCommand,
          "report FILE.vxp [--changed]           the parameter report's lines, as printed"}},
        {"print",
         {RunPrintCommand,
          "print FILE.vxp -o OUT.pdf [--loops] [--parameters] [--changed] [--no-header]"}},
        {"template",
         {RunTemplateCommand,
          "template save FILE.vxp --loop N -o OUT.vxt | insert FILE.vxp --loop N T.vxt"}},
    };
    return table;
}

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: kestrel-cli COMMAND [ARGS]\n\ncommands:\n");
    for (const auto& [name, command] : CommandTable()) {
        std::fprintf(out, "  %s\n", command.synopsis);
    }
    std::fprintf(
        out,
        "\nCONNECTION: --tcp HOST[:PORT] | --serial DEVICE [--baud B], --address A,\n"
        "  --timeout MS, --retries N; what is not given comes from the stored settings.\n");
}

}  // namespace

int main(int argc, char** argv) {
    RegisterDrawingClasses();
    EnsureGuiApplication();
    if (argc < 2) {
        PrintUsage(stderr);
        return EXIT_USAGE;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return EXIT_OK;
    }
    auto it = CommandTable().find(name);
    if (it == CommandTable().end()) {
        std::fprintf(stderr, "kestrel-cli: unknown command \"%s\"\n", name.c_str());
        PrintUsage(stderr);
        return EXIT_USAGE;
    }
    return it->second.run(std::vector<std::string>(argv + 2, argv + argc));
}
