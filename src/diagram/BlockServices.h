#pragma once

#include <string>

class CBlock;
class CConfDoc;

// What the block nodes of a drawing do to the configuration: find the block a
// node stands for, write or reset the LINK parameter a link stands for, and
// delete a block with its node.
namespace blockservices {

// The block of a loop (1..5, anything else the current loop) whose number is
// the leading number of the text ("039"); null when there is none.
CBlock* FindBlock(CConfDoc& document, const std::string& numberText, int loop);

// Sets the LINK parameter "LI" + inputName ("A", "12") of the block with the
// number of numberText (searched in every loop) to valueText (an output
// address); an empty value resets it to its default. The block is marked
// changed and its loop must be sent whole (LINK values travel only with loops). False when the
// block or input does not exist or the value is refused.
bool SetLinkParam(CConfDoc& document, const std::string& numberText, const std::string& inputName,
                  const std::string& valueText);

// Removes the block with that number from whichever loop holds it and deletes it.
bool DeleteBlock(CConfDoc& document, int blockNumber);

}  // namespace blockservices
