// kestrel-cli import and export-pda: configuration images in, handheld files out.
#include <cstdio>

#include "CliArgs.h"
#include "CliDocument.h"
#include "Commands.h"
#include "document/ImageImport.h"
#include "document/PdaExport.h"

int RunImportCommand(const std::vector<std::string>& args) {
    const char* usage = "import FILE.vxi -o OUT.vxp";
    CCliArgs parsed(args, {"-o"}, {});
    if (!parsed.IsValid() || parsed.Positional().size() != 1 || !parsed.Get("-o")) {
        return UsageError(usage, parsed.GetError());
    }
    const std::string& image = parsed.Positional()[0];
    if (!IsImageFileName(image)) {
        return UsageError(usage, "the image file name must end in .vxi");
    }
    CConfDoc doc;
    doc.OnNewDocument();
    doc.CreateDefaultLoops();
    if (!ImportImageFile(doc, image)) {
        return EXIT_REFUSED;
    }
    return doc.OnSaveDocument(*parsed.Get("-o")) ? EXIT_OK : EXIT_REFUSED;
}

int RunExportPdaCommand(const std::vector<std::string>& args) {
    const char* usage = "export-pda FILE.vxp -d DIR";
    CCliArgs parsed(args, {"-d"}, {});
    if (!parsed.IsValid() || parsed.Positional().size() != 1 || !parsed.Get("-d")) {
        return UsageError(usage, parsed.GetError());
    }
    auto doc = OpenCliDocument(parsed.Positional()[0]);
    if (!doc) {
        return EXIT_REFUSED;
    }
    std::string error;
    if (!ExportToPDA(*doc, doc->GetConfigurationName(), *parsed.Get("-d"), error)) {
        return Refuse(error);
    }
    return EXIT_OK;
}
