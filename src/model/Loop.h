#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Block.h"
#include "platform/Object.h"

// One loop of a configuration: a name and its blocks in the controller's
// execution order, with the memory they take.
class CLoop : public CObject {
    DECLARE_SERIAL(CLoop)

public:
    // Bits of the modified set: what changed since the last transfer.
    enum ModifiedBits : int { MODIFIED_NAME = 1, MODIFIED_BLOCKS = 2, MODIFIED_REPLACED = 4 };

    CLoop() = default;
    CLoop(int loopNumber, const std::string& name);
    ~CLoop() override = default;

    void Serialize(CArchive& ar) override;

    const std::string& GetName() const { return m_strName; }
    void SetName(const std::string& name);
    int GetLoopNumber() const { return m_nLoopNumber; }
    void SetLoopNumber(int n) { m_nLoopNumber = n; }
    bool IsOpened() const { return m_bOpened != 0; }
    void SetOpened(bool opened) { m_bOpened = opened ? 1 : 0; }
    bool IsModified() const { return m_nModified != 0; }
    int GetModified() const { return m_nModified; }
    // ORs the bits in; 0 clears them all.
    void SetModified(int bits);
    int GetSize() const { return m_wSize; }
    void SetSize(int bytes);
    int GetReserved() const { return m_nReserved; }

    // Memory limit of the loop: 510 bytes for loops 1 and 2, 254 for 3 and 4,
    // 92 for loop G.
    int GetMemoryLimit() const;
    static int GetMemoryLimit(int loopNumber);

    int GetBlockCount() const { return static_cast<int>(m_blocks.size()); }
    CBlock* GetBlock(int i) const;
    CBlock* FindBlock(int blockNumber) const;
    int IndexOfBlock(int blockNumber) const;
    // The same by the block number at the start of a text ("039", "39 APID").
    CBlock* FindBlock(const std::string& text) const;
    int IndexOfBlock(const std::string& text) const;
    CBlock* FindBlockOfOutput(int address) const;

    void AddBlock(std::unique_ptr<CBlock> block);
    void InsertBlock(int i, std::unique_ptr<CBlock> block);
    // With grow: stored at i (the loop grows to hold it). Without: replaces the
    // block at i in place (the replaced block is returned) or appends.
    std::unique_ptr<CBlock> SetBlockAt(int i, std::unique_ptr<CBlock> block, bool grow);
    // Removes and hands back the block; null when none was found.
    std::unique_ptr<CBlock> RemoveBlock(int blockNumber, int* removedIndex = nullptr);
    std::unique_ptr<CBlock> RemoveBlockAt(int i);

    // Deep copy with every block cloned.
    std::unique_ptr<CLoop> Clone() const;

private:
    static int BlockNumberOfText(const std::string& text);

    int32_t m_nReserved = 0;
    int32_t m_bOpened = 0;
    int m_nModified = 0;
    std::string m_strName;
    int32_t m_nLoopNumber = 0;
    uint16_t m_wSize = 0;
    std::vector<std::unique_ptr<CBlock>> m_blocks;
};
