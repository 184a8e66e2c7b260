#pragma once

#include <string>

#include "model/BlockTypeInfo.h"

// The block type table and the parameter count table. Every function takes the
// type index 0..36; an index outside the table yields 0 or an empty text.

const BlockTypeInfo* GetBlockTypeInfo(int t);
std::string GetBlockTypeCode(int t);
std::string GetBlockTypeMnemonic(int t);
std::string GetBlockTypeEnglishName(int t);
int GetFirstBlockNumber(int t);
int GetBlockCountOfType(int t);
int GetOutputCountOfType(int t);
// Bytes taken by the values of one parameter list of a block of type t.
int GetAreaSize(int t, int kind);

// Number of parameters of list kind of type t; 0 for a negative t or a bad kind.
int GetParamCount(int t, int kind);
// First dictionary row of the parameters of list kind of type t: the sum of the
// counts of all earlier types; -1 for a bad kind or a negative t, 0 when the
// type's area for the kind is empty.
int GetFirstDictRow(int t, int kind);
// Bytes of a value by its type letter: I, P, C 2; R, M 4; S 8; else 0.
int GetParamValueSize(char letter);

// Type index owning a block number, or -1.
int GetTypeIndexOfBlockNumber(int blockNumber);
// Type index whose mnemonic equals the text (case-insensitive), or -1.
int FindBlockTypeByMnemonic(const std::string& mnemonic);
// True for the types whose first output takes a special address (225..240).
bool IsSpecialOutputType(int t);
// Memory a block of type t takes in its loop.
int GetBlockCost(int t);
