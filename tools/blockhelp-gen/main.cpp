// blockhelp-gen OUTDIR [LANGUAGE DICTIONARY_DIR] writes the block library
// help: OUTDIR/blocklibrary.html (the list of block types) and one page per
// type, OUTDIR/blocks/<code>.html, with its block numbers, its outputs and
// their addresses and every parameter with range, default and description.
// Everything comes from the catalogue and the dictionary; a language code
// (pt, es, zh) and a folder with that pack's dictionary sources (UTF-8) give
// the pages in that language.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "model/Block.h"
#include "model/BlockParam.h"
#include "model/BlockTypeTable.h"
#include "model/ParamDictionary.h"
#include "platform/ResourceModule.h"

namespace {

const char* const kKinds[] = {"LINK", "CONF", "ADJ"};

// The headings of the pages, by language.
struct Words {
    const char* library;
    const char* blockNumbers;
    const char* outputs;
    const char* address;
    const char* parameters;
    const char* mnemonic;
    const char* range;
    const char* defaultValue;
    const char* description;
    const char* none;
    const char* back;
};

const std::map<std::string, Words> kWords = {
    {"en",
     {"Block library", "Block numbers", "Outputs", "Address", "parameters", "Mnemonic", "Range",
      "Default", "Description", "none", "All block types"}},
    {"pt",
     {"Biblioteca de blocos", "Números de bloco", "Saídas", "Endereço", "parâmetros", "Mnemônico",
      "Faixa", "Padrão", "Descrição", "nenhum", "Todos os tipos de bloco"}},
    {"es",
     {"Biblioteca de bloques", "Números de bloque", "Salidas", "Dirección", "parámetros",
      "Mnemónico", "Rango", "Predeterminado", "Descripción", "ninguno",
      "Todos los tipos de bloque"}},
    {"zh",
     {"功能块库", "块号", "输出", "地址", "参数", "助记符", "范围", "默认值", "说明", "无",
      "所有块类型"}},
};

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Trim(const std::string& text) {
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string Head(const std::string& title, const std::string& language) {
    return "<!DOCTYPE html>\n<html lang=\"" + language +
           "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + Escape(title) +
           "</title>\n<style>\nbody { font-family: sans-serif; max-width: 60em; margin: 2em auto; "
           "color: #202040; }\nh1, h2 { color: #18128e; }\ntable { border-collapse: collapse; }\n"
           "td, th { border: 1px solid #ccc; padding: 2px 6px; text-align: left; }\n</style>\n"
           "</head>\n<body>\n";
}

std::string FileName(int t) {
    return GetBlockTypeCode(t) + ".html";
}

std::string Title(int t, const CParamDictionary& dictionary) {
    return GetBlockTypeCode(t) + " " + GetBlockTypeMnemonic(t) + " - " +
           dictionary.GetBlockTypeName(t);
}

void WriteOutputs(std::ostream& page, int t, const Words& words) {
    page << "<h2>" << words.outputs << "</h2>\n";
    if (GetOutputCountOfType(t) == 0) {
        page << "<p>" << words.none << "</p>\n";
        return;
    }
    page << "<table>\n<tr><th>Block</th><th>" << words.outputs << "</th><th>" << words.address
         << "</th></tr>\n";
    for (int n = 0; n < GetBlockCountOfType(t); ++n) {
        const auto block = CBlock::Create(t, GetFirstBlockNumber(t) + n);
        for (int i = 0; block && i < block->GetOutputCount(); ++i) {
            page << "<tr><td>" << block->GetBlockNumber() << "</td><td>"
                 << Escape(block->GetOutputName(i)) << "</td><td>" << block->GetOutputAddress(i)
                 << "</td></tr>\n";
        }
    }
    page << "</table>\n";
}

void WriteParameters(std::ostream& page, int t, const CParamDictionary& dictionary,
                     const Words& words) {
    for (int kind = 0; kind < 3; ++kind) {
        page << "<h2>" << kKinds[kind] << " " << words.parameters << "</h2>\n";
        const int count = GetParamCount(t, kind);
        if (count == 0) {
            page << "<p>" << words.none << "</p>\n";
            continue;
        }
        page << "<table>\n<tr><th>" << words.mnemonic << "</th><th>" << words.range << "</th><th>"
             << words.defaultValue << "</th><th>" << words.description << "</th></tr>\n";
        const int first = GetFirstDictRow(t, kind);
        for (int j = 0; j < count; ++j) {
            const std::string& line = dictionary.GetLine(kind, first + j);
            const std::size_t last = line.rfind(';');
            const std::size_t before = last == std::string::npos ? last : line.rfind(';', last - 1);
            const std::string range = before == std::string::npos
                                          ? std::string()
                                          : Trim(line.substr(before + 1, last - before - 1));
            // The letter and mnemonic field as the dictionary has it ("PCARL").
            page << "<tr><td><code>" << Escape(Trim(line.substr(0, line.find(';'))))
                 << "</code></td><td>" << Escape(range) << "</td><td><code>"
                 << Escape(dictionary.GetDictDefault(kind, first + j)) << "</code></td><td>"
                 << Escape(dictionary.GetDictDescription(kind, first + j)) << "</td></tr>\n";
        }
        page << "</table>\n";
    }
}

bool WritePage(const std::filesystem::path& folder, int t, const CParamDictionary& dictionary,
               const std::string& language, const Words& words) {
    std::ofstream page(folder / "blocks" / FileName(t));
    const int first = GetFirstBlockNumber(t);
    page << Head(Title(t, dictionary), language) << "<p><a href=\"../blocklibrary.html\">"
         << words.back << "</a></p>\n<h1>" << Escape(Title(t, dictionary)) << "</h1>\n<p>"
         << words.blockNumbers << ": " << first << " - " << first + GetBlockCountOfType(t) - 1
         << "</p>\n";
    WriteOutputs(page, t, words);
    WriteParameters(page, t, dictionary, words);
    page << "</body>\n</html>\n";
    return static_cast<bool>(page);
}

bool WriteIndex(const std::filesystem::path& folder, const CParamDictionary& dictionary,
                const std::string& language, const Words& words) {
    std::ofstream index(folder / "blocklibrary.html");
    index << Head(words.library, language) << "<h1>" << words.library << "</h1>\n<ul>\n";
    for (int t = 0; t < 37; ++t) {
        index << "<li><a href=\"blocks/" << FileName(t) << "\">" << Escape(Title(t, dictionary))
              << "</a></li>\n";
    }
    index << "</ul>\n</body>\n</html>\n";
    return static_cast<bool>(index);
}

// The pack's dictionary sources in place of the English resources.
bool UseDictionary(const std::filesystem::path& folder) {
    auto module = std::make_shared<CResourceModule>();
    for (int kind = 0; kind < 4; ++kind) {
        const std::string name = "dictionary/1000" + std::to_string(kind) + ".txt";
        std::ifstream file(folder / ("1000" + std::to_string(kind) + ".txt"), std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "blockhelp-gen: no %s in %s\n", name.c_str(), folder.c_str());
            return false;
        }
        std::stringstream text;
        text << file.rdbuf();
        module->Add(name, text.str());
    }
    CResourceModule::SetCurrent(module);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: blockhelp-gen OUTDIR [LANGUAGE DICTIONARY_DIR]\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const std::string language = argc == 4 ? argv[2] : "en";
    const auto words = kWords.find(language);
    if (words == kWords.end() || (argc == 4 && !UseDictionary(argv[3]))) {
        std::fprintf(stderr, "blockhelp-gen: unknown language or dictionary\n");
        return 2;
    }
    CParamDictionary dictionary;
    dictionary.LoadParamDictionary();
    dictionary.LoadBlockTypeNames();
    std::filesystem::create_directories(folder / "blocks");
    bool ok = WriteIndex(folder, dictionary, language, words->second);
    for (int t = 0; t < 37; ++t) {
        ok = WritePage(folder, t, dictionary, language, words->second) && ok;
    }
    return ok ? 0 : 1;
}
