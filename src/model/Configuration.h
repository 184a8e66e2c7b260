#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>

#include "model/Loop.h"

// The controller configuration of a document: five loops, the current loop, the
// map of used block numbers, the DIT flag and the controller model. Loop number
// 0 in these operations means the current loop. The document derives from this
// class and is told of changes through the virtual notifications.
class CConfiguration {
public:
    static constexpr int kLoopCount = 5;
    static constexpr int kLoopG = 5;
    enum ControllerModel : int { MODEL_VAREX = 0, MODEL_VAREX_PLUS = 1 };

    CConfiguration() = default;
    CConfiguration(const CConfiguration&) = delete;
    CConfiguration& operator=(const CConfiguration&) = delete;
    virtual ~CConfiguration() = default;

    // Loops 1..5 with the default names; loop 1 becomes current.
    void CreateDefaultLoops();
    static std::string GetDefaultLoopName(int loopNumber);
    // Adds a loop in the place of its number; the added loop becomes current.
    void AddLoop(std::unique_ptr<CLoop> loop);
    // Removes every loop (an upload replaces them all) and clears the block map.
    void RemoveAllLoops();
    // Rebuilds the used block map, loop sizes, DIT flag and parameter ranges and
    // descriptions from the loops as loaded from a file.
    void RebuildFromLoops();

    CLoop* GetLoop(int n) const;
    std::string GetLoopName(int n) const;
    void SetLoopName(int n, const std::string& name);
    int GetCurrentLoopNumber() const { return m_nCurrentLoop; }
    void SelectLoop(int n, bool updateViews = true);

    bool CanAddBlock(int typeIndex) const;
    // Every check a new block of a type and number must pass to join the current
    // loop: the number belongs to the type and is free here, DIT blocks only on
    // the "Varex Plus" model, and the loop's memory. A refusal is shown to the user.
    bool CanPlaceNewBlock(int typeIndex, int blockNumber) const;
    // Upper-cased and trimmed loop name, or empty when it cannot be a loop name
    // (1 to 8 characters).
    static std::string NormalizeLoopName(const std::string& name);
    // Checks and sets a loop name; refused (with a message) when another loop has it.
    bool RenameLoop(int n, const std::string& name);
    bool IsBlockNumberUsed(int blockNumber) const;
    // Loop that holds a block number, 0 when free.
    int GetBlockLoop(int blockNumber) const;

    void AddBlock(std::unique_ptr<CBlock> block);
    void InsertBlock(int i, std::unique_ptr<CBlock> block, int n);
    // Replaces the block at i in place and returns the replaced one.
    std::unique_ptr<CBlock> ReplaceBlock(int i, std::unique_ptr<CBlock> block, int n);
    std::unique_ptr<CBlock> RemoveBlock(int blockNumber, int n);
    std::unique_ptr<CBlock> RemoveBlockAt(int i, int n);

    CBlock* GetBlockAt(int i, int n) const;
    CBlock* FindBlock(int blockNumber, int n) const;
    CBlock* FindBlockByText(const std::string& text, int n) const;
    int IndexOfBlockByText(const std::string& text, int n) const;
    // Searches all loops.
    CLoop* FindLoopOfBlock(const CBlock& block) const;
    CBlock* FindBlockByNumber(int blockNumber) const;
    CBlock* FindBlockByOutput(int address) const;
    int GetBlockCount(int n) const;

    bool IsAnyLoopModified() const;
    bool HasLoopName(const std::string& name) const;
    bool HasNewTypeBlocks() const;
    bool HasDitBlocks() const { return m_newTypeFlags[0] != 0; }

    int GetControllerModel() const { return m_nControllerModel; }
    void SetControllerModel(int model);

    // Free bytes of the current loop, 0xFFFF when there is none.
    int GetFreeBytes() const;
    // "%d bytes Free" for the status bar, empty with no current loop.
    std::string GetFreeBytesText() const;

protected:
    // Notifications for the document: contents changed, a loop was selected, the
    // free memory of the current loop changed.
    virtual void OnConfigurationModified() {}
    virtual void OnLoopSelected(int /*loopNumber*/, bool /*updateViews*/) {}
    virtual void OnFreeMemoryChanged() {}

private:
    // The loop for an operation: 1..5, anything else the current loop.
    CLoop* ResolveLoop(int n) const;
    void NoteBlockAdded(const CBlock& block, int loopNumber);
    void NoteBlockRemoved(const CBlock& block);
    void RefreshDitFlag();

    std::array<std::unique_ptr<CLoop>, kLoopCount> m_loops;
    int m_nCurrentLoop = 0;
    std::map<int, int> m_usedBlocks;
    std::array<int32_t, 5> m_newTypeFlags = {};
    int32_t m_nControllerModel = MODEL_VAREX_PLUS;
};
