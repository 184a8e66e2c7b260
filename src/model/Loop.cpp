#include "model/Loop.h"

#include "model/ParamValue.h"
#include "platform/Archive.h"

IMPLEMENT_SERIAL(CLoop, CObject, 3)

namespace {

// Smallest stored block object: a class index tag and an empty body header.
constexpr std::size_t kMinBlockRecordSize = 2;

}  // namespace

CLoop::CLoop(int loopNumber, const std::string& name)
    : m_strName(name), m_nLoopNumber(loopNumber) {}

void CLoop::SetName(const std::string& name) {
    m_strName = name;
    SetModified(MODIFIED_NAME);
}

void CLoop::SetModified(int bits) {
    m_nModified = bits == 0 ? 0 : (m_nModified | bits);
}

void CLoop::SetSize(int bytes) {
    m_wSize = static_cast<uint16_t>(bytes);
    SetModified(MODIFIED_BLOCKS);
}

int CLoop::GetMemoryLimit(int loopNumber) {
    if (loopNumber <= 2) {
        return 510;
    }
    return loopNumber > 4 ? 92 : 254;
}

int CLoop::GetMemoryLimit() const {
    return GetMemoryLimit(m_nLoopNumber);
}

CBlock* CLoop::GetBlock(int i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= m_blocks.size()) {
        return nullptr;
    }
    return m_blocks[i].get();
}

int CLoop::IndexOfBlock(int blockNumber) const {
    for (std::size_t i = 0; i < m_blocks.size(); ++i) {
        if (m_blocks[i]->GetBlockNumber() == blockNumber) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

CBlock* CLoop::FindBlock(int blockNumber) const {
    return GetBlock(IndexOfBlock(blockNumber));
}

int CLoop::BlockNumberOfText(const std::string& text) {
    return ParseLeadingInt(text.substr(0, 5));
}

CBlock* CLoop::FindBlock(const std::string& text) const {
    return FindBlock(BlockNumberOfText(text));
}

int CLoop::IndexOfBlock(const std::string& text) const {
    return IndexOfBlock(BlockNumberOfText(text));
}

CBlock* CLoop::FindBlockOfOutput(int address) const {
    for (const auto& block : m_blocks) {
        for (int i = 0; i < block->GetOutputCount(); ++i) {
            if (block->GetOutputAddress(i) == address) {
                return block.get();
            }
        }
    }
    return nullptr;
}

void CLoop::AddBlock(std::unique_ptr<CBlock> block) {
    InsertBlock(GetBlockCount(), std::move(block));
}

void CLoop::InsertBlock(int i, std::unique_ptr<CBlock> block) {
    if (!block) {
        return;
    }
    block->SetLoopNumber(m_nLoopNumber);
    SetSize(m_wSize + block->GetCost());
    if (i >= 0 && i < GetBlockCount()) {
        m_blocks.insert(m_blocks.begin() + i, std::move(block));
    } else {
        m_blocks.push_back(std::move(block));
    }
}

std::unique_ptr<CBlock> CLoop::SetBlockAt(int i, std::unique_ptr<CBlock> block, bool grow) {
    if (i < 0 || !block) {
        return block;
    }
    if (i >= GetBlockCount()) {
        // Beyond the end the block is appended, so the order never has holes.
        AddBlock(std::move(block));
        return nullptr;
    }
    block->SetLoopNumber(m_nLoopNumber);
    if (grow) {
        SetSize(m_wSize - m_blocks[i]->GetCost() + block->GetCost());
    } else {
        block->SetChanged(true);
        SetModified(MODIFIED_REPLACED);
    }
    std::swap(m_blocks[i], block);
    return block;
}

std::unique_ptr<CBlock> CLoop::RemoveBlockAt(int i) {
    if (i < 0 || i >= GetBlockCount()) {
        return nullptr;
    }
    std::unique_ptr<CBlock> block = std::move(m_blocks[i]);
    m_blocks.erase(m_blocks.begin() + i);
    SetSize(m_wSize - block->GetCost());
    return block;
}

std::unique_ptr<CBlock> CLoop::RemoveBlock(int blockNumber, int* removedIndex) {
    const int index = IndexOfBlock(blockNumber);
    if (removedIndex != nullptr) {
        *removedIndex = index < 0 ? GetBlockCount() : index;
    }
    return RemoveBlockAt(index);
}

std::unique_ptr<CLoop> CLoop::Clone() const {
    auto copy = std::make_unique<CLoop>(m_nLoopNumber, m_strName);
    copy->m_nReserved = m_nReserved;
    copy->m_bOpened = m_bOpened;
    copy->m_nModified = m_nModified;
    copy->m_wSize = m_wSize;
    for (const auto& block : m_blocks) {
        copy->m_blocks.push_back(block->Clone());
    }
    return copy;
}

void CLoop::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteInt32(m_bOpened ? 1 : 0);
        ar.WriteString(m_strName);
        ar.WriteInt32(m_nLoopNumber);
        ar.WriteInt32(m_nReserved);
        ar.WriteCount(m_blocks.size());
        for (const auto& block : m_blocks) {
            ar.WriteObject(block.get());
        }
        return;
    }
    const int schema = ar.GetObjectSchema();
    m_bOpened = ar.ReadInt32() == 1 ? 1 : 0;
    m_strName = ar.ReadString();
    m_nLoopNumber = ar.ReadInt32();
    m_nReserved = schema >= 2 ? ar.ReadInt32() : 0;
    m_blocks.clear();
    const std::size_t count = ar.ReadCount(kMinBlockRecordSize);
    for (std::size_t i = 0; i < count; ++i) {
        std::unique_ptr<CBlock> block = ar.ReadOwned<CBlock>();
        if (!block) {
            ar.ThrowMalformed(CArchiveException::badReference, "Missing block in loop");
        }
        if (schema <= 2) {
            block->SetLoopNumber(m_nLoopNumber);
        }
        m_blocks.push_back(std::move(block));
    }
}
