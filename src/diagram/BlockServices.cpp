#include "diagram/BlockServices.h"

#include "document/ConfDoc.h"
#include "model/BlockTypeInfo.h"
#include "model/ParamValue.h"

namespace blockservices {

CBlock* FindBlock(CConfDoc& document, const std::string& numberText, int loop) {
    return document.FindBlock(ParseLeadingInt(numberText.substr(0, 5)), loop);
}

bool SetLinkParam(CConfDoc& document, const std::string& numberText, const std::string& inputName,
                  const std::string& valueText) {
    CBlock* block = document.FindBlockByNumber(ParseLeadingInt(numberText.substr(0, 5)));
    if (block == nullptr) {
        return false;
    }
    const int index = block->FindLinkParam(inputName);
    if (index < 0 ||
        (!valueText.empty() && !block->IsParamTextInRange(PARAM_LINK, index, valueText))) {
        return false;
    }
    block->SetParamValue(PARAM_LINK, index, valueText);
    block->SetChanged(true);
    // A block write carries only CONF and ADJ values, so new wiring goes to the
    // controller with the whole loop.
    if (CLoop* loop = document.FindLoopOfBlock(*block)) {
        loop->SetModified(CLoop::MODIFIED_BLOCKS);
    }
    document.SetModifiedFlag(true);
    return true;
}

bool DeleteBlock(CConfDoc& document, int blockNumber) {
    CBlock* block = document.FindBlockByNumber(blockNumber);
    if (block == nullptr) {
        return false;
    }
    CLoop* loop = document.FindLoopOfBlock(*block);
    return loop != nullptr && document.RemoveBlock(blockNumber, loop->GetLoopNumber()) != nullptr;
}

}  // namespace blockservices
