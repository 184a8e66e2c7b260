// kestrel-cli commands that print: the parameter report as text and the pages
// of the program's printing as a PDF file.
#include <cstdio>

#include "CliArgs.h"
#include "CliDocument.h"
#include "CliGui.h"
#include "Commands.h"
#include "document/print/PageSetup.h"
#include "document/print/ParameterReport.h"
#include "document/print/PrintFonts.h"
#include "document/print/PrintJob.h"
#include "platform/gui/DC.h"

int RunReportCommand(const std::vector<std::string>& args) {
    const char* usage = "report FILE.vxp [--changed]";
    CCliArgs parsed(args, {}, {"--changed"});
    if (!parsed.IsValid() || parsed.Positional().size() != 1) {
        return UsageError(usage, parsed.GetError());
    }
    EnsureGuiApplication();
    auto doc = OpenCliDocument(parsed.Positional()[0]);
    if (!doc) {
        return EXIT_REFUSED;
    }
    const int mode =
        parsed.Has("--changed") ? CParameterReport::MODE_CHANGED : CParameterReport::MODE_ALL;
    CDC dc;
    std::vector<std::string> lines;
    CParameterReport::BuildParameterReport(lines, *doc, dc, CPageSetup().GetBody(dc), mode);
    for (const std::string& line : lines) {
        std::printf("%s\n", line.c_str());
    }
    return EXIT_OK;
}

int RunPrintCommand(const std::vector<std::string>& args) {
    const char* usage =
        "print FILE.vxp -o OUT.pdf [--loops] [--parameters] [--changed] [--no-header]";
    CCliArgs parsed(args, {"-o"}, {"--loops", "--parameters", "--changed", "--no-header"});
    if (!parsed.IsValid() || parsed.Positional().size() != 1 || !parsed.Get("-o")) {
        return UsageError(usage, parsed.GetError());
    }
    EnsureGuiApplication();
    auto doc = OpenCliDocument(parsed.Positional()[0]);
    if (!doc) {
        return EXIT_REFUSED;
    }
    // Without a choice both parts are printed; loops only when there are
    // drawings to print, as in the program's dialog.
    const bool chosen = parsed.Has("--loops") || parsed.Has("--parameters");
    CPrintSelection selection;
    selection.m_bLoops =
        (!chosen || parsed.Has("--loops")) && !CPrintJob::CountLoopPages(*doc).empty();
    selection.m_bParameters = !chosen || parsed.Has("--parameters");
    selection.m_bHeader = !parsed.Has("--no-header");
    selection.m_nMode =
        parsed.Has("--changed") ? CParameterReport::MODE_CHANGED : CParameterReport::MODE_ALL;
    if (!selection.m_bLoops && !selection.m_bParameters) {
        return Refuse(
            "Nothing to print: the document has no loop drawings and the parameters "
            "were not asked for.");
    }
    CPrintJob job(*doc, CPageSetup(), selection);
    if (job.Prepare() == 0) {
        return Refuse("Nothing to print: the document has no blocks and no loop drawings.");
    }
    std::string error;
    if (!job.WritePdf(*parsed.Get("-o"), error)) {
        return Refuse(error);
    }
    std::printf("%d page(s) written to %s (font %s)\n", job.GetPageCount(),
                parsed.Get("-o")->c_str(), CPrintFonts::ResolvedFamily().c_str());
    return EXIT_OK;
}
