// kestrel-cli commands on the loop drawings: render, autodraw and templates.
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "CliArgs.h"
#include "CliDocument.h"
#include "CliGui.h"
#include "Commands.h"
#include "diagram/AutoDraw.h"
#include "diagram/DrawingObject.h"
#include "diagram/LoopPainter.h"
#include "diagram/TemplateFile.h"

namespace {

bool ParseLoop(CCliArgs& parsed, int& loop, bool required) {
    std::optional<int> value;
    if (!parsed.GetInt("--loop", value) || (required && !value)) {
        return false;
    }
    loop = value.value_or(0);
    return loop == 0 ? !required : loop >= 1 && loop <= 5;
}

}  // namespace

int RunRenderCommand(const std::vector<std::string>& args) {
    const char* usage = "render FILE.vxp --loop N -o OUT.png [--zoom Z]";
    CCliArgs parsed(args, {"--loop", "-o", "--zoom"}, {});
    int loop = 0;
    if (!parsed.IsValid() || parsed.Positional().size() != 1 || !parsed.Get("-o") ||
        !ParseLoop(parsed, loop, true)) {
        return UsageError(usage, parsed.GetError());
    }
    const double zoom = std::atof(parsed.Get("--zoom").value_or("1").c_str());
    if (!(zoom >= 0.1 && zoom <= 8.0)) {
        return UsageError(usage, "the zoom is 0.1 to 8");
    }
    EnsureGuiApplication();
    auto doc = OpenCliDocument(parsed.Positional()[0]);
    if (!doc) {
        return EXIT_REFUSED;
    }
    const QImage image = CLoopPainter(*doc, loop).Render(zoom);
    const std::string out = *parsed.Get("-o");
    if (!image.save(QString::fromLocal8Bit(out.c_str()), "PNG")) {
        return Refuse("Cannot write the image \"" + out + "\".");
    }
    return EXIT_OK;
}

int RunTemplateCommand(const std::vector<std::string>& args) {
    const char* usage =
        "template save FILE.vxp --loop N -o OUT.vxt | template insert FILE.vxp --loop N "
        "TEMPLATE.vxt";
    CCliArgs parsed(args, {"--loop", "-o"}, {});
    int loop = 0;
    if (!parsed.IsValid() || parsed.Positional().size() < 2 || !ParseLoop(parsed, loop, true)) {
        return UsageError(usage, parsed.GetError());
    }
    const std::string& action = parsed.Positional()[0];
    EnsureGuiApplication();
    auto doc = OpenCliDocument(parsed.Positional()[1]);
    if (!doc) {
        return EXIT_REFUSED;
    }
    if (action == "save" && parsed.Positional().size() == 2 && parsed.Get("-o")) {
        std::vector<const CDrawingObject*> objects;
        for (const CConfDoc::DrawingList* list : {&doc->GetTemplates(), &doc->GetObjects()}) {
            for (const auto& item : *list) {
                const auto* object = dynamic_cast<const CDrawingObject*>(item.get());
                if (object != nullptr && object->GetLoop() == loop) {
                    objects.push_back(object);
                }
            }
        }
        return templates::SaveTemplate(*parsed.Get("-o"), objects) ? EXIT_OK : EXIT_REFUSED;
    }
    if (action == "insert" && parsed.Positional().size() == 3) {
        doc->SelectLoop(loop, false);
        if (templates::InsertTemplate(*doc, parsed.Positional()[2]) < 0) {
            return EXIT_REFUSED;
        }
        return SaveCliDocument(*doc) ? EXIT_OK : EXIT_REFUSED;
    }
    return UsageError(usage);
}

int RunAutodrawCommand(const std::vector<std::string>& args) {
    const char* usage = "autodraw FILE.vxp [--loop N]";
    CCliArgs parsed(args, {"--loop"}, {});
    int loop = 0;
    if (!parsed.IsValid() || parsed.Positional().size() != 1 || !ParseLoop(parsed, loop, false)) {
        return UsageError(usage, parsed.GetError());
    }
    EnsureGuiApplication();
    auto doc = OpenCliDocument(parsed.Positional()[0]);
    if (!doc) {
        return EXIT_REFUSED;
    }
    CAutoDraw::Result total;
    for (int n = loop == 0 ? 1 : loop; n <= (loop == 0 ? 5 : loop); ++n) {
        const CAutoDraw::Result result = CAutoDraw(*doc, n, CLoopPainter::kDefaultPage).Run();
        total.nodes += result.nodes;
        total.links += result.links;
        total.connectors += result.connectors;
    }
    std::fprintf(stderr, "%d nodes, %d links, %d connectors drawn\n", total.nodes, total.links,
                 total.connectors);
    if (total.nodes + total.links + total.connectors == 0) {
        return EXIT_OK;
    }
    doc->SetModifiedFlag(true);
    return SaveCliDocument(*doc) ? EXIT_OK : EXIT_REFUSED;
}
