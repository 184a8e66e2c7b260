#include "model/Configuration.h"

#include <strings.h>

#include <cctype>
#include <cstdio>

#include "model/BlockTypeTable.h"
#include "model/ParamDictionary.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/Text.h"

namespace {

// Highest block number a loaded file may enter in the used block map.
constexpr int kMaxMappedBlockNumber = 133;

// The front-panel types that a loop may hold once: FV, L/R and A/M.
bool FrontPanelGroup(int blockNumber, int& first) {
    if (blockNumber >= 27 && blockNumber <= 38) {
        first = 27 + ((blockNumber - 27) / 4) * 4;
        return true;
    }
    return false;
}

bool IsDit(const CBlock& block) {
    return block.GetTypeNumber() > 36;
}

}  // namespace

std::string CConfiguration::GetDefaultLoopName(int loopNumber) {
    if (loopNumber == kLoopG) {
        return "LOOP_G";
    }
    return "LOOP_" + std::to_string(loopNumber);
}

void CConfiguration::CreateDefaultLoops() {
    for (int n = 1; n <= kLoopCount; ++n) {
        AddLoop(std::make_unique<CLoop>(n, GetDefaultLoopName(n)));
    }
    SelectLoop(1, true);
}

void CConfiguration::AddLoop(std::unique_ptr<CLoop> loop) {
    if (!loop) {
        return;
    }
    int n = loop->GetLoopNumber();
    if (n < 1 || n > kLoopCount) {
        // A loop without a valid number takes the first free place.
        n = 1;
        while (n < kLoopCount && m_loops[n - 1]) {
            ++n;
        }
        loop->SetLoopNumber(n);
    }
    m_loops[n - 1] = std::move(loop);
    m_nCurrentLoop = n;
}

void CConfiguration::RemoveAllLoops() {
    for (auto& loop : m_loops) {
        loop.reset();
    }
    m_nCurrentLoop = 0;
    m_usedBlocks.clear();
    m_newTypeFlags.fill(0);
}

void CConfiguration::RebuildFromLoops() {
    m_usedBlocks.clear();
    m_newTypeFlags.fill(0);
    const CParamDictionary& dictionary = CParamDictionary::Get();
    for (int i = 1; i <= kLoopCount; ++i) {
        CLoop* loop = m_loops[i - 1].get();
        if (loop == nullptr) {
            continue;
        }
        int size = 0;
        for (int b = 0; b < loop->GetBlockCount(); ++b) {
            CBlock& block = *loop->GetBlock(b);
            if (block.GetBlockNumber() > 0 && block.GetBlockNumber() <= kMaxMappedBlockNumber) {
                m_usedBlocks[block.GetBlockNumber()] = i;
            }
            dictionary.RefreshBlockParams(block);
            size += block.GetCost();
            if (IsDit(block)) {
                m_newTypeFlags[0] = 1;
            }
        }
        loop->SetSize(size);
    }
}

CLoop* CConfiguration::GetLoop(int n) const {
    if (n == 0) {
        n = m_nCurrentLoop;
    }
    return n >= 1 && n <= kLoopCount ? m_loops[n - 1].get() : nullptr;
}

CLoop* CConfiguration::ResolveLoop(int n) const {
    return GetLoop(n >= 1 && n <= kLoopCount ? n : 0);
}

std::string CConfiguration::GetLoopName(int n) const {
    const CLoop* loop = GetLoop(n);
    return loop ? loop->GetName() : "";
}

void CConfiguration::SetLoopName(int n, const std::string& name) {
    if (CLoop* loop = GetLoop(n)) {
        loop->SetName(name);
        OnConfigurationModified();
    }
}

void CConfiguration::SelectLoop(int n, bool updateViews) {
    if (n < 1 || n > kLoopCount || !m_loops[n - 1]) {
        return;
    }
    m_nCurrentLoop = n;
    m_loops[n - 1]->SetOpened(true);
    OnLoopSelected(n, updateViews);
    OnFreeMemoryChanged();
}

bool CConfiguration::CanAddBlock(int typeIndex) const {
    const CLoop* loop = GetLoop(0);
    if (loop == nullptr) {
        return false;
    }
    if (loop->GetSize() + GetBlockCost(typeIndex) <= loop->GetMemoryLimit()) {
        return true;
    }
    AfxMessageBox(IDS_LOOP_SIZE_REACHED, MB_OK | MB_ICONINFORMATION);
    return false;
}

bool CConfiguration::CanPlaceNewBlock(int typeIndex, int blockNumber) const {
    if (GetTypeIndexOfBlockNumber(blockNumber) != typeIndex) {
        AfxMessageBox(AfxFormatString(IDS_BLOCK_NOT_OF_TYPE, {std::to_string(blockNumber),
                                                              GetBlockTypeMnemonic(typeIndex)}),
                      MB_OK | MB_ICONINFORMATION);
        return false;
    }
    if (IsBlockNumberUsed(blockNumber)) {
        AfxMessageBox(AfxFormatString(IDS_BLOCK_NUMBER_USED, {std::to_string(blockNumber)}),
                      MB_OK | MB_ICONINFORMATION);
        return false;
    }
    if (typeIndex == kTypeIndexDIT && m_nControllerModel != MODEL_VAREX_PLUS) {
        AfxMessageBox(IDS_DIT_NEEDS_PLUS, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    return CanAddBlock(typeIndex);
}

std::string CConfiguration::NormalizeLoopName(const std::string& name) {
    const std::string result = ToUpper(Trim(name, " \t"));
    return result.size() <= 8 ? result : "";
}

bool CConfiguration::RenameLoop(int n, const std::string& name) {
    const std::string normalized = NormalizeLoopName(name);
    CLoop* loop = GetLoop(n);
    if (loop == nullptr) {
        return false;
    }
    if (normalized.empty()) {
        AfxMessageBox(IDS_LOOP_NAME_INVALID, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    for (const auto& other : m_loops) {
        if (other && other.get() != loop &&
            strcasecmp(other->GetName().c_str(), normalized.c_str()) == 0) {
            AfxMessageBox(AfxFormatString(IDS_LOOP_NAME_USED, {normalized}),
                          MB_OK | MB_ICONINFORMATION);
            return false;
        }
    }
    SetLoopName(n, normalized);
    return true;
}

int CConfiguration::GetBlockLoop(int blockNumber) const {
    auto it = m_usedBlocks.find(blockNumber);
    return it == m_usedBlocks.end() ? 0 : it->second;
}

bool CConfiguration::IsBlockNumberUsed(int blockNumber) const {
    if (GetBlockLoop(blockNumber) != 0) {
        return true;
    }
    int first = 0;
    const CLoop* current = GetLoop(0);
    if (current == nullptr || !FrontPanelGroup(blockNumber, first)) {
        return false;
    }
    for (int b = first; b < first + 4; ++b) {
        if (current->FindBlock(b) != nullptr) {
            return true;
        }
    }
    return false;
}

void CConfiguration::NoteBlockAdded(const CBlock& block, int loopNumber) {
    m_usedBlocks[block.GetBlockNumber()] = loopNumber;
    if (IsDit(block)) {
        m_newTypeFlags[0] = 1;
    }
    OnConfigurationModified();
}

void CConfiguration::NoteBlockRemoved(const CBlock& block) {
    m_usedBlocks.erase(block.GetBlockNumber());
    if (IsDit(block)) {
        RefreshDitFlag();
    }
    OnConfigurationModified();
}

void CConfiguration::RefreshDitFlag() {
    // Another DIT block may remain elsewhere; the flag follows what is left.
    m_newTypeFlags[0] = 0;
    for (const auto& loop : m_loops) {
        for (int b = 0; loop && b < loop->GetBlockCount(); ++b) {
            if (IsDit(*loop->GetBlock(b))) {
                m_newTypeFlags[0] = 1;
            }
        }
    }
}

void CConfiguration::AddBlock(std::unique_ptr<CBlock> block) {
    CLoop* loop = GetLoop(0);
    if (loop == nullptr || !block) {
        return;
    }
    const CBlock& added = *block;
    loop->AddBlock(std::move(block));
    NoteBlockAdded(added, loop->GetLoopNumber());
    OnFreeMemoryChanged();
}

void CConfiguration::InsertBlock(int i, std::unique_ptr<CBlock> block, int n) {
    CLoop* loop = ResolveLoop(n);
    if (loop == nullptr || !block) {
        return;
    }
    const CBlock& added = *block;
    loop->InsertBlock(i, std::move(block));
    NoteBlockAdded(added, loop->GetLoopNumber());
}

std::unique_ptr<CBlock> CConfiguration::ReplaceBlock(int i, std::unique_ptr<CBlock> block, int n) {
    CLoop* loop = ResolveLoop(n);
    if (loop == nullptr || !block) {
        return block;
    }
    const CBlock& added = *block;
    std::unique_ptr<CBlock> replaced = loop->SetBlockAt(i, std::move(block), false);
    if (replaced && replaced->GetBlockNumber() != added.GetBlockNumber()) {
        m_usedBlocks.erase(replaced->GetBlockNumber());
    }
    NoteBlockAdded(added, loop->GetLoopNumber());
    if (replaced && IsDit(*replaced)) {
        RefreshDitFlag();
    }
    return replaced;
}

std::unique_ptr<CBlock> CConfiguration::RemoveBlock(int blockNumber, int n) {
    CLoop* loop = ResolveLoop(n);
    if (loop == nullptr) {
        return nullptr;
    }
    std::unique_ptr<CBlock> removed = loop->RemoveBlock(blockNumber);
    if (removed) {
        NoteBlockRemoved(*removed);
    }
    return removed;
}

std::unique_ptr<CBlock> CConfiguration::RemoveBlockAt(int i, int n) {
    CLoop* loop = ResolveLoop(n);
    if (loop == nullptr) {
        return nullptr;
    }
    std::unique_ptr<CBlock> removed = loop->RemoveBlockAt(i);
    if (removed) {
        NoteBlockRemoved(*removed);
    }
    return removed;
}

CBlock* CConfiguration::GetBlockAt(int i, int n) const {
    const CLoop* loop = ResolveLoop(n);
    return loop ? loop->GetBlock(i) : nullptr;
}

CBlock* CConfiguration::FindBlock(int blockNumber, int n) const {
    const CLoop* loop = ResolveLoop(n);
    return loop ? loop->FindBlock(blockNumber) : nullptr;
}

CBlock* CConfiguration::FindBlockByText(const std::string& text, int n) const {
    const CLoop* loop = ResolveLoop(n);
    return loop ? loop->FindBlock(text) : nullptr;
}

int CConfiguration::IndexOfBlockByText(const std::string& text, int n) const {
    const CLoop* loop = ResolveLoop(n);
    return loop ? loop->IndexOfBlock(text) : -1;
}

CLoop* CConfiguration::FindLoopOfBlock(const CBlock& block) const {
    for (const auto& loop : m_loops) {
        if (loop && loop->FindBlock(block.GetBlockNumber()) != nullptr) {
            return loop.get();
        }
    }
    return nullptr;
}

CBlock* CConfiguration::FindBlockByNumber(int blockNumber) const {
    for (const auto& loop : m_loops) {
        if (CBlock* block = loop ? loop->FindBlock(blockNumber) : nullptr) {
            return block;
        }
    }
    return nullptr;
}

CBlock* CConfiguration::FindBlockByOutput(int address) const {
    for (const auto& loop : m_loops) {
        if (CBlock* block = loop ? loop->FindBlockOfOutput(address) : nullptr) {
            return block;
        }
    }
    return nullptr;
}

int CConfiguration::GetBlockCount(int n) const {
    if (n != 0) {
        const CLoop* loop = ResolveLoop(n);
        return loop ? loop->GetBlockCount() : 0;
    }
    int total = 0;
    for (const auto& loop : m_loops) {
        total += loop ? loop->GetBlockCount() : 0;
    }
    return total;
}

bool CConfiguration::IsAnyLoopModified() const {
    for (const auto& loop : m_loops) {
        if (loop && loop->IsModified()) {
            return true;
        }
    }
    return false;
}

bool CConfiguration::HasLoopName(const std::string& name) const {
    for (const auto& loop : m_loops) {
        if (loop && strcasecmp(loop->GetName().c_str(), name.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

bool CConfiguration::HasNewTypeBlocks() const {
    for (int32_t flag : m_newTypeFlags) {
        if (flag != 0) {
            return true;
        }
    }
    return false;
}

void CConfiguration::SetControllerModel(int model) {
    m_nControllerModel = model == MODEL_VAREX ? MODEL_VAREX : MODEL_VAREX_PLUS;
}

int CConfiguration::GetFreeBytes() const {
    const CLoop* loop = GetLoop(0);
    return loop ? loop->GetMemoryLimit() - loop->GetSize() : 0xFFFF;
}

std::string CConfiguration::GetFreeBytesText() const {
    if (GetLoop(0) == nullptr) {
        return "";
    }
    std::string text = LoadResString(IDS_BYTES_FREE);
    const std::size_t marker = text.find("%1!d!");
    if (marker != std::string::npos) {
        text.replace(marker, 5, std::to_string(GetFreeBytes()));
    }
    return text;
}
