// kestrel-cli editing commands: each opens a document, makes one change through
// the same checks as the editor and saves the document in place.
#include <strings.h>

#include <cstdio>

#include "CliArgs.h"
#include "CliDocument.h"
#include "Commands.h"
#include "model/BlockTypeTable.h"
#include "model/ParamTextCheck.h"
#include "model/ParamValue.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"

namespace {

// A type given as its mnemonic ("APID") or type number ("9").
int ParseBlockType(const std::string& text) {
    const int byName = FindBlockTypeByMnemonic(text);
    if (byName >= 0) {
        return byName;
    }
    const bool numeric = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    const int number = numeric ? ParseLeadingInt(text) : 0;
    return number >= 1 && number <= kBlockTypeCount ? number - 1 : -1;
}

struct ParamRef {
    int kind = -1;
    int index = -1;
};

// The parameter as the lists show it ("CARU", "LIA") or with its type letter ("PCARU").
ParamRef FindParam(const CBlock& block, const std::string& mnemonic) {
    for (int kind = 0; kind < 3; ++kind) {
        for (int j = 0; j < block.GetParamListSize(kind); ++j) {
            const CBlockParam& param = *block.GetParam(kind, j);
            const std::string name = param.GetMnemonic();
            if (name == mnemonic || std::string(1, param.m_cType) + name == mnemonic) {
                return {kind, j};
            }
        }
    }
    return {};
}

// Opens FILE (the first positional word) after checking the arguments.
std::unique_ptr<CConfDoc> OpenForEdit(CCliArgs& parsed, const char* usage, int& exitCode) {
    if (!parsed.IsValid() || parsed.Positional().size() != 1) {
        exitCode = UsageError(usage, parsed.GetError());
        return nullptr;
    }
    auto doc = OpenCliDocument(parsed.Positional()[0]);
    exitCode = doc ? EXIT_OK : EXIT_REFUSED;
    return doc;
}

int Save(CConfDoc& doc) {
    return SaveCliDocument(doc) ? EXIT_OK : EXIT_REFUSED;
}

}  // namespace

int RunAddBlockCommand(const std::vector<std::string>& args) {
    const char* usage = "add-block FILE.vxp --loop N --type MNEMONIC|NUMBER --number B";
    CCliArgs parsed(args, {"--loop", "--type", "--number"}, {});
    std::optional<int> loop, number;
    if (!parsed.GetInt("--loop", loop) || !parsed.GetInt("--number", number) || !loop || !number ||
        !parsed.Get("--type")) {
        return UsageError(usage, parsed.GetError());
    }
    const int typeIndex = ParseBlockType(*parsed.Get("--type"));
    if (typeIndex < 0 || *loop < 1 || *loop > CConfiguration::kLoopCount) {
        return UsageError(usage, typeIndex < 0 ? "unknown block type " + *parsed.Get("--type")
                                               : "the loop is 1 to 5");
    }
    int exitCode = EXIT_OK;
    auto doc = OpenForEdit(parsed, usage, exitCode);
    if (!doc) {
        return exitCode;
    }
    doc->SelectLoop(*loop, false);
    if (!doc->CanPlaceNewBlock(typeIndex, *number)) {
        return EXIT_REFUSED;
    }
    doc->AddBlock(CBlock::Create(typeIndex, *number));
    return Save(*doc);
}

int RunSetParamCommand(const std::vector<std::string>& args) {
    const char* usage = "set-param FILE.vxp --block B --param MNEMONIC --value TEXT";
    CCliArgs parsed(args, {"--block", "--param", "--value"}, {});
    std::optional<int> blockNumber;
    if (!parsed.GetInt("--block", blockNumber) || !blockNumber || !parsed.Get("--param") ||
        !parsed.Get("--value")) {
        return UsageError(usage, parsed.GetError());
    }
    int exitCode = EXIT_OK;
    auto doc = OpenForEdit(parsed, usage, exitCode);
    if (!doc) {
        return exitCode;
    }
    CBlock* block = doc->FindBlockByNumber(*blockNumber);
    if (block == nullptr) {
        return Refuse(AfxFormatString(IDS_NO_SUCH_BLOCK, {std::to_string(*blockNumber)}));
    }
    const ParamRef ref = FindParam(*block, *parsed.Get("--param"));
    if (ref.kind < 0) {
        return Refuse(
            AfxFormatString(IDS_NO_SUCH_PARAM, {block->GetDisplayName(), *parsed.Get("--param")}));
    }
    std::string stored;
    const CParamTextCheck::Verdict verdict = CParamTextCheck::CheckParamText(
        *block, ref.kind, ref.index, *parsed.Get("--value"), &stored);
    if (verdict != CParamTextCheck::Verdict::Accepted) {
        return Refuse(LoadResString(CParamTextCheck::MessageId(verdict)));
    }
    block->SetParamValue(ref.kind, ref.index, stored);
    block->SetChanged(true);
    doc->SetModifiedFlag(true);
    return Save(*doc);
}

int RunRemoveBlockCommand(const std::vector<std::string>& args) {
    const char* usage = "remove-block FILE.vxp --block B";
    CCliArgs parsed(args, {"--block"}, {});
    std::optional<int> blockNumber;
    if (!parsed.GetInt("--block", blockNumber) || !blockNumber) {
        return UsageError(usage, parsed.GetError());
    }
    int exitCode = EXIT_OK;
    auto doc = OpenForEdit(parsed, usage, exitCode);
    if (!doc) {
        return exitCode;
    }
    const CBlock* block = doc->FindBlockByNumber(*blockNumber);
    if (block == nullptr) {
        return Refuse(AfxFormatString(IDS_NO_SUCH_BLOCK, {std::to_string(*blockNumber)}));
    }
    doc->RemoveBlock(*blockNumber, doc->FindLoopOfBlock(*block)->GetLoopNumber());
    return Save(*doc);
}

int RunRenameLoopCommand(const std::vector<std::string>& args) {
    const char* usage = "rename-loop FILE.vxp --loop N --name NAME";
    CCliArgs parsed(args, {"--loop", "--name"}, {});
    std::optional<int> loop;
    if (!parsed.GetInt("--loop", loop) || !loop || *loop < 1 || *loop > 5 ||
        !parsed.Get("--name")) {
        return UsageError(usage, parsed.GetError());
    }
    int exitCode = EXIT_OK;
    auto doc = OpenForEdit(parsed, usage, exitCode);
    if (!doc) {
        return exitCode;
    }
    if (!doc->RenameLoop(*loop, *parsed.Get("--name"))) {
        return EXIT_REFUSED;
    }
    return Save(*doc);
}

int RunSetInfoCommand(const std::vector<std::string>& args) {
    const char* usage =
        "set-info FILE.vxp --field company|project|revision|leader|programmer|description --value "
        "TEXT";
    static const char* const kFields[] = {"company", "project",    "revision",
                                          "leader",  "programmer", "description"};
    CCliArgs parsed(args, {"--field", "--value"}, {});
    if (!parsed.Get("--field") || !parsed.Get("--value")) {
        return UsageError(usage, parsed.GetError());
    }
    int field = -1;
    for (int i = 0; i < 6; ++i) {
        if (strcasecmp(kFields[i], parsed.Get("--field")->c_str()) == 0) {
            field = i;
        }
    }
    if (field < 0) {
        return UsageError(usage, "unknown field " + *parsed.Get("--field"));
    }
    int exitCode = EXIT_OK;
    auto doc = OpenForEdit(parsed, usage, exitCode);
    if (!doc) {
        return exitCode;
    }
    doc->SetInfo(field, *parsed.Get("--value"));
    return Save(*doc);
}

int RunSetModelCommand(const std::vector<std::string>& args) {
    const char* usage = "set-model FILE.vxp varex|varex-plus";
    CCliArgs parsed(args, {}, {});
    if (!parsed.IsValid() || parsed.Positional().size() != 2) {
        return UsageError(usage, parsed.GetError());
    }
    const std::string& name = parsed.Positional()[1];
    int model = -1;
    if (strcasecmp(name.c_str(), "varex") == 0) {
        model = CConfiguration::MODEL_VAREX;
    } else if (strcasecmp(name.c_str(), "varex-plus") == 0) {
        model = CConfiguration::MODEL_VAREX_PLUS;
    } else {
        return UsageError(usage, "unknown model " + name);
    }
    auto doc = OpenCliDocument(parsed.Positional()[0]);
    if (!doc) {
        return EXIT_REFUSED;
    }
    if (model == CConfiguration::MODEL_VAREX && doc->HasDitBlocks()) {
        // The model changes all the same; the blocks stay.
        AfxMessageBox(IDS_DIT_NOT_SUPPORTED, MB_OK | MB_ICONINFORMATION);
    }
    doc->SetControllerModel(model);
    doc->SetModifiedFlag(true);
    return Save(*doc);
}
