// kestrel-cli catalog: the block type table and the parameter dictionary.
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <memory>
#include <string>

#include "Commands.h"
#include "JsonWriter.h"
#include "lang/LanguagePack.h"
#include "model/Block.h"
#include "model/BlockTypeTable.h"
#include "model/ParamDictionary.h"
#include "platform/ResourceModule.h"

namespace {

const char* const kKindNames[3] = {"LINK", "CONF", "ADJ"};

std::string HexBytes(const uint8_t* bytes, int count) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::string RangeText(const CBlockParam& param) {
    if (param.m_cType == 'M' || param.m_cType == 'S') {
        return "";
    }
    char text[64];
    std::snprintf(text, sizeof text, "[%g .. %g]", param.m_dMin, param.m_dMax);
    return text;
}

// The unit field of a CONF or ADJ line (columns 6..9), empty for LINK lines.
std::string UnitOf(const CParamDictionary& dictionary, int kind, int row) {
    const std::string& line = dictionary.GetLine(kind, row);
    return kind == 0 || line.size() < 10 ? "" : line.substr(6, 4);
}

void WriteParamJson(CJsonWriter& json, const CParamDictionary& dictionary, int kind, int row,
                    const CBlockParam& param) {
    json.BeginObject();
    json.Key("letter");
    json.String(std::string(1, param.m_cType));
    json.Key("mnemonic");
    json.String(dictionary.GetDictMnemonic(kind, row));
    json.Key("unit");
    json.String(UnitOf(dictionary, kind, row));
    json.Key("description");
    json.String(param.m_strDescription);
    json.Key("min");
    json.Number(param.m_dMin);
    json.Key("max");
    json.Number(param.m_dMax);
    json.Key("default");
    json.String(dictionary.GetDictDefault(kind, row));
    json.Key("default_bytes");
    json.String(HexBytes(param.m_defaultValue, param.GetValueSize()));
    json.EndObject();
}

void WriteBlocksJson(CJsonWriter& json, int t) {
    json.BeginArray();
    for (int i = 0; i < GetBlockCountOfType(t); ++i) {
        const auto block = CBlock::Create(t, GetFirstBlockNumber(t) + i);
        json.BeginObject();
        json.Key("number");
        json.Number(static_cast<long long>(block->GetBlockNumber()));
        json.Key("instance");
        json.Number(static_cast<long long>(block->GetInstance()));
        json.Key("cost");
        json.Number(static_cast<long long>(block->GetCost()));
        json.Key("outputs");
        json.BeginArray();
        for (int o = 0; o < block->GetOutputCount(); ++o) {
            json.BeginObject();
            json.Key("address");
            json.Number(static_cast<long long>(block->GetOutputAddress(o)));
            json.Key("name");
            json.String(block->GetOutputName(o));
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
}

void WriteTypeJson(CJsonWriter& json, const CParamDictionary& dictionary, int t) {
    auto numberArray = [&json](int a, int b, int c) {
        json.BeginArray();
        for (int v : {a, b, c}) {
            json.Number(static_cast<long long>(v));
        }
        json.EndArray();
    };
    json.BeginObject();
    json.Key("index");
    json.Number(static_cast<long long>(t));
    json.Key("number");
    json.Number(static_cast<long long>(t + 1));
    json.Key("code");
    json.String(GetBlockTypeCode(t));
    json.Key("mnemonic");
    json.String(GetBlockTypeMnemonic(t));
    json.Key("name");
    json.String(GetBlockTypeEnglishName(t));
    json.Key("display_name");
    json.String(dictionary.GetBlockTypeName(t));
    json.Key("first_block");
    json.Number(static_cast<long long>(GetFirstBlockNumber(t)));
    json.Key("block_count");
    json.Number(static_cast<long long>(GetBlockCountOfType(t)));
    json.Key("outputs");
    json.Number(static_cast<long long>(GetOutputCountOfType(t)));
    json.Key("area_sizes");
    numberArray(GetAreaSize(t, 0), GetAreaSize(t, 1), GetAreaSize(t, 2));
    json.Key("param_counts");
    numberArray(GetParamCount(t, 0), GetParamCount(t, 1), GetParamCount(t, 2));
    json.Key("params");
    json.BeginArray();
    const auto sample = CBlock::Create(t, GetFirstBlockNumber(t));
    for (int kind = 0; kind < 3; ++kind) {
        json.BeginArray();
        for (int j = 0; j < sample->GetParamListSize(kind); ++j) {
            WriteParamJson(json, dictionary, kind, GetFirstDictRow(t, kind) + j,
                           *sample->GetParam(kind, j));
        }
        json.EndArray();
    }
    json.EndArray();
    json.Key("blocks");
    WriteBlocksJson(json, t);
    json.EndObject();
}

struct PackName {
    const char* code;
    const char* path;  // beside the programs
};

const PackName kPacks[] = {
    {"pt", "l.bra/LangPORT.rcc"}, {"es", "l.spa/LangSPAN.rcc"}, {"zh", "l.chn/LangCHS.rcc"}};

// The pack file: beside the program as installed, or beside the windowed
// program in the build tree.
QString FindPack(const char* relative) {
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& folder : {here, here + "/../../src/app"}) {
        if (QFileInfo(folder + "/" + relative).isFile()) {
            return folder + "/" + relative;
        }
    }
    return QString();
}

// Makes the pack of a language the current resource module and reloads the
// dictionary from it; "en" keeps the program's own texts.
bool UseLanguage(const std::string& code) {
    if (code == "en") {
        return true;
    }
    for (const PackName& pack : kPacks) {
        if (code != pack.code) {
            continue;
        }
        const QString path = FindPack(pack.path);
        if (path.isEmpty() || !CLanguagePack::Register(path, "/kestrel-cli/pack")) {
            std::fprintf(stderr, "kestrel-cli: the language pack %s cannot be read\n", pack.path);
            return false;
        }
        auto module =
            std::make_shared<CLanguageModule>(CResourceModule::BuiltIn(), ":/kestrel-cli/pack");
        if (!module->HasStrings()) {
            std::fprintf(stderr, "kestrel-cli: %s is no language pack\n", pack.path);
            return false;
        }
        CResourceModule::SetCurrent(module);
        CParamDictionary::Get().LoadParamDictionary();
        CParamDictionary::Get().LoadBlockTypeNames();
        return true;
    }
    std::fprintf(stderr, "kestrel-cli: unknown language \"%s\" (en, pt, es, zh)\n", code.c_str());
    return false;
}

void PrintJson(const CParamDictionary& dictionary) {
    CJsonWriter json;
    // A UTF-8 pack's texts are UTF-8 already.
    json.SetUtf8(CResourceModule::Current().GetEncoding() == CResourceModule::Encoding::Utf8);
    json.BeginObject();
    json.Key("types");
    json.BeginArray();
    for (int t = 0; t < kBlockTypeCount; ++t) {
        WriteTypeJson(json, dictionary, t);
    }
    json.EndArray();
    json.EndObject();
    std::printf("%s\n", json.GetText().c_str());
}

void PrintTable(const CParamDictionary& dictionary) {
    for (int t = 0; t < kBlockTypeCount; ++t) {
        const int first = GetFirstBlockNumber(t);
        const int last = first + GetBlockCountOfType(t) - 1;
        std::printf("%s  %-5s %-37s blocks %03d-%03d  outputs %2d  LINK %2d  CONF %2d  ADJ %2d\n",
                    GetBlockTypeCode(t).c_str(), GetBlockTypeMnemonic(t).c_str(),
                    dictionary.GetBlockTypeName(t).c_str(), first, last, GetOutputCountOfType(t),
                    GetParamCount(t, 0), GetParamCount(t, 1), GetParamCount(t, 2));
        const auto sample = CBlock::Create(t, first);
        for (int kind = 0; kind < 3; ++kind) {
            for (int j = 0; j < sample->GetParamListSize(kind); ++j) {
                const CBlockParam& param = *sample->GetParam(kind, j);
                std::printf("      %-4s %c %-4s %-55s %-24s default %s\n", kKindNames[kind],
                            param.m_cType, param.GetMnemonic().c_str(),
                            param.m_strDescription.c_str(), RangeText(param).c_str(),
                            param.GetTextValue().c_str());
            }
        }
    }
}

}  // namespace

int RunCatalogCommand(const std::vector<std::string>& args) {
    bool json = false;
    std::string language = "en";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--language" && i + 1 < args.size()) {
            language = args[++i];
        } else {
            std::fprintf(stderr, "usage: kestrel-cli catalog [--json] [--language en|pt|es|zh]\n");
            return EXIT_USAGE;
        }
    }
    if (!UseLanguage(language)) {
        return EXIT_USAGE;
    }
    const CParamDictionary& dictionary = CParamDictionary::Get();
    if (json) {
        PrintJson(dictionary);
    } else {
        PrintTable(dictionary);
    }
    return EXIT_OK;
}
