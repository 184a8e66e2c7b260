// kestrel-cli new and info: create a document, describe one.
#include <cstdio>
#include <ctime>
#include <map>

#include "CliArgs.h"
#include "CliDocument.h"
#include "Commands.h"
#include "JsonWriter.h"
#include "model/BlockTypeInfo.h"

namespace {

const char* const kModelNames[2] = {"Varex", "Varex Plus"};
const char* const kKindNames[3] = {"LINK", "CONF", "ADJ"};

std::string Hex(const uint8_t* bytes, std::size_t count) {
    std::string text;
    char pair[3];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

// Drawing objects of the document by class name, in name order.
std::map<std::string, int> CountObjectClasses(const CConfDoc& doc) {
    std::map<std::string, int> counts;
    for (const CConfDoc::DrawingList* list :
         {&doc.GetTemplates(), &doc.GetObjects(), &doc.GetGraphObjects()}) {
        for (const auto& item : *list) {
            ++counts[item->GetRuntimeClass()->m_lpszClassName];
        }
    }
    return counts;
}

void WriteBlockJson(CJsonWriter& json, const CBlock& block, int position) {
    json.BeginObject();
    json.Key("position");
    json.Number(static_cast<long long>(position));
    json.Key("number");
    json.Number(static_cast<long long>(block.GetBlockNumber()));
    json.Key("name");
    json.String(block.GetName());
    json.Key("type");
    json.Number(static_cast<long long>(block.GetTypeNumber()));
    json.Key("outputs");
    json.BeginArray();
    for (int o = 0; o < block.GetOutputCount(); ++o) {
        json.BeginObject();
        json.Key("address");
        json.Number(static_cast<long long>(block.GetOutputAddress(o)));
        json.Key("name");
        json.String(block.GetOutputName(o));
        json.Key("tag");
        json.String(block.GetUserTag(o));
        json.EndObject();
    }
    json.EndArray();
    json.Key("params");
    json.BeginArray();
    for (int kind = 0; kind < 3; ++kind) {
        json.BeginArray();
        for (int j = 0; j < block.GetParamListSize(kind); ++j) {
            json.BeginObject();
            json.Key("mnemonic");
            json.String(block.GetParam(kind, j)->GetMnemonic());
            json.Key("value");
            json.String(block.GetParamText(kind, j));
            json.EndObject();
        }
        json.EndArray();
    }
    json.EndArray();
    json.EndObject();
}

void WriteLoopJson(CJsonWriter& json, const CLoop& loop) {
    json.BeginObject();
    json.Key("number");
    json.Number(static_cast<long long>(loop.GetLoopNumber()));
    json.Key("name");
    json.String(loop.GetName());
    json.Key("size");
    json.Number(static_cast<long long>(loop.GetSize()));
    json.Key("free");
    json.Number(static_cast<long long>(loop.GetMemoryLimit() - loop.GetSize()));
    json.Key("blocks");
    json.BeginArray();
    for (int b = 0; b < loop.GetBlockCount(); ++b) {
        WriteBlockJson(json, *loop.GetBlock(b), b + 1);
    }
    json.EndArray();
    json.EndObject();
}

void PrintInfoJson(CConfDoc& doc) {
    CJsonWriter json;
    json.BeginObject();
    json.Key("format_version");
    json.Number(static_cast<long long>(doc.GetFormatVersion()));
    json.Key("info");
    json.BeginArray();
    for (int field = 0; field < CConfDoc::INFO_COUNT; ++field) {
        json.String(doc.GetInfo(field));
    }
    json.EndArray();
    json.Key("created");
    json.Number(static_cast<long long>(doc.GetCreationTime()));
    json.Key("revised");
    json.Number(static_cast<long long>(doc.GetRevisionTime()));
    json.Key("stamped");
    json.Bool(doc.IsStamped());
    json.Key("model");
    json.String(kModelNames[doc.GetControllerModel() == 0 ? 0 : 1]);
    json.Key("version_text");
    json.String(Hex(doc.GetVersionText(), 5));
    json.Key("paper_color");
    json.Number(static_cast<long long>(doc.GetPaperColor()));
    json.Key("page_size");
    json.BeginArray();
    json.Number(static_cast<long long>(doc.GetPageSize().cx));
    json.Number(static_cast<long long>(doc.GetPageSize().cy));
    json.EndArray();
    json.Key("paper_size");
    json.Number(static_cast<long long>(doc.GetPaperSize()));
    json.Key("orientation");
    json.Number(static_cast<long long>(doc.GetOrientation()));
    json.Key("loops");
    json.BeginArray();
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        if (const CLoop* loop = doc.GetLoop(n)) {
            WriteLoopJson(json, *loop);
        }
    }
    json.EndArray();
    json.Key("templates");
    json.Number(static_cast<long long>(doc.GetTemplates().size()));
    json.Key("objects");
    json.Number(static_cast<long long>(doc.GetObjects().size()));
    json.Key("graphs");
    json.Number(static_cast<long long>(doc.GetGraphObjects().size()));
    json.Key("classes");
    json.BeginObject();
    for (const auto& [name, count] : CountObjectClasses(doc)) {
        json.Key(name);
        json.Number(static_cast<long long>(count));
    }
    json.EndObject();
    json.EndObject();
    std::printf("%s\n", json.GetText().c_str());
}

std::string DateText(int64_t seconds) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    localtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%d/%m/%Y - %H:%M:%S", &parts);
    return text;
}

void PrintInfoText(CConfDoc& doc) {
    static const char* const kLabels[CConfDoc::INFO_COUNT] = {
        "Company",     "Project",      "Revision",      "Leader",       "Programmer",
        "Description", "Created with", "Created build", "Revised with", "Revised build"};
    std::printf("Configuration %s (format version %d, %s)\n", doc.GetConfigurationName().c_str(),
                doc.GetFormatVersion(), kModelNames[doc.GetControllerModel() == 0 ? 0 : 1]);
    for (int field = 0; field < CConfDoc::INFO_COUNT; ++field) {
        std::printf("  %-14s %s\n", kLabels[field], doc.GetInfo(field).c_str());
    }
    std::printf("  %-14s %s\n  %-14s %s\n", "Created", DateText(doc.GetCreationTime()).c_str(),
                "Revised", DateText(doc.GetRevisionTime()).c_str());
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        const CLoop* loop = doc.GetLoop(n);
        if (loop == nullptr) {
            continue;
        }
        std::printf("Loop %s: %s  (%d bytes used, %d free)\n",
                    n == 5 ? "G" : std::to_string(n).c_str(), loop->GetName().c_str(),
                    loop->GetSize(), loop->GetMemoryLimit() - loop->GetSize());
        for (int b = 0; b < loop->GetBlockCount(); ++b) {
            const CBlock& block = *loop->GetBlock(b);
            std::printf("  %2d. %s %-5s", b + 1, block.GetDisplayName().c_str(),
                        block.GetName().c_str());
            for (int o = 0; o < block.GetOutputCount(); ++o) {
                std::printf("  %d=%s", block.GetOutputAddress(o), block.GetUserTag(o).c_str());
            }
            std::printf("\n");
            for (int kind = 0; kind < 3; ++kind) {
                if (block.GetParamListSize(kind) == 0) {
                    continue;
                }
                std::printf("        %-4s", kKindNames[kind]);
                for (int j = 0; j < block.GetParamListSize(kind); ++j) {
                    std::printf(" %s=%s", block.GetParam(kind, j)->GetMnemonic().c_str(),
                                block.GetParamText(kind, j).c_str());
                }
                std::printf("\n");
            }
        }
    }
    std::printf("Drawing: %zu templates, %zu objects, %zu graph objects\n",
                doc.GetTemplates().size(), doc.GetObjects().size(), doc.GetGraphObjects().size());
    for (const auto& [name, count] : CountObjectClasses(doc)) {
        std::printf("  %-22s %d\n", name.c_str(), count);
    }
}

}  // namespace

int RunNewCommand(const std::vector<std::string>& args) {
    const char* usage = "new OUT.vxp";
    CCliArgs parsed(args, {}, {});
    if (!parsed.IsValid() || parsed.Positional().size() != 1) {
        return UsageError(usage, parsed.GetError());
    }
    CConfDoc doc;
    doc.OnNewDocument();
    doc.CreateDefaultLoops();
    return doc.OnSaveDocument(parsed.Positional()[0]) ? EXIT_OK : EXIT_REFUSED;
}

int RunInfoCommand(const std::vector<std::string>& args) {
    const char* usage = "info FILE.vxp [--json]";
    CCliArgs parsed(args, {}, {"--json"});
    if (!parsed.IsValid() || parsed.Positional().size() != 1) {
        return UsageError(usage, parsed.GetError());
    }
    auto doc = OpenCliDocument(parsed.Positional()[0]);
    if (!doc) {
        return EXIT_REFUSED;
    }
    if (parsed.Has("--json")) {
        PrintInfoJson(*doc);
    } else {
        PrintInfoText(*doc);
    }
    return EXIT_OK;
}
