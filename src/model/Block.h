#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/BlockOutput.h"
#include "model/BlockParam.h"
#include "platform/Object.h"

// One function block of a configuration: type, controller block number, owning
// loop, outputs with names and tags, and the LINK, CONF and ADJ parameter lists.
class CBlock : public CObject {
    DECLARE_SERIAL(CBlock)

public:
    CBlock() = default;
    CBlock(const std::string& name, int blockNumber, int typeIndex);
    ~CBlock() override = default;

    // A new block of a type and number with its outputs and default parameters.
    static std::unique_ptr<CBlock> Create(int typeIndex, int blockNumber);

    std::unique_ptr<CBlock> Clone() const;
    // Exchanges everything the two blocks hold, so that a block in a loop can
    // take back an earlier state of itself and stay the same object.
    void SwapContents(CBlock& other) noexcept;
    void Serialize(CArchive& ar) override;

    int GetTypeIndex() const { return m_nType; }
    int GetTypeNumber() const { return m_nType + 1; }
    int GetBlockNumber() const { return m_nBlockNumber; }
    int GetInstance() const;
    const std::string& GetName() const { return m_strName; }
    int GetLoopNumber() const { return m_nLoopNumber; }
    void SetLoopNumber(int n);
    bool IsChanged() const { return m_nChanged != 0; }
    void SetChanged(bool changed) { m_nChanged = changed ? 1 : 0; }
    // Memory the block takes in its loop.
    int GetCost() const;
    // "BLK-%03d", how the block is named to the user.
    std::string GetDisplayName() const;

    // Parameters. The count is the table's count for the type, not the list size.
    int GetParamCount(int kind) const;
    int GetParamListSize(int kind) const;
    CBlockParam* GetParam(int kind, int j) const;
    void AddParam(int kind, std::unique_ptr<CBlockParam> param);
    int FindLinkParam(const std::string& letter) const;
    std::string GetLinkInputName(int j) const;
    int GetLinkInputNumber(int j) const;
    int GetLinkValue(int j) const;
    std::string GetLinkValueText(int j) const;
    std::string GetParamText(int kind, int j) const;
    std::string NormalizeParamText(int kind, int j, const std::string& text) const;
    // Stores a text as the value (an empty text restores the default); returns
    // false when the text is out of the parameter's range and nothing changed.
    bool SetParamValue(int kind, int j, const std::string& text);
    bool IsParamTextInRange(int kind, int j, const std::string& text) const;
    // 1 when any parameter of the kind shows another text in the other block.
    int CompareParams(int kind, const CBlock& other) const;

    // Outputs.
    void BuildOutputs();
    int GetOutputCount() const { return static_cast<int>(m_outputs.size()); }
    const BlockOutput* GetOutput(int i) const;
    int GetOutputAddress(int i) const;
    std::string GetOutputName(int i) const;
    std::string GetOutputNameByAddress(int address) const;
    std::string GetUserTag(int i) const;
    std::string GetUserTagByAddress(int address) const;
    bool HasOutputAddress(int address) const;
    void SetUserTag(int i, const std::string& text);
    void SetUserTagByAddress(int address, const std::string& text);

    // The controller image of the parameter values: LINK (unless skipped), CONF and
    // ADJ areas, each 0xFE value byte followed by an inserted 0x00. Appends at
    // position and returns the number of inserted bytes.
    int BuildParamImage(std::vector<uint8_t>& buffer, std::size_t& position, bool skipLink) const;
    // Reads the value bytes from an unescaped image starting at start; returns false
    // (and changes nothing) when the source is too short for the block's areas.
    bool LoadParamImage(const uint8_t* source, std::size_t size, std::size_t start, bool skipLink);

private:
    void ReadOutputs(CArchive& ar, int schema);
    void ReadParams(CArchive& ar, int schema);
    void WriteParams(CArchive& ar) const;

    int m_nBlockNumber = 0;
    std::string m_strName;
    int m_nType = -1;
    int m_nLoopNumber = 0;
    int m_nChanged = 0;
    std::vector<BlockOutput> m_outputs;
    std::vector<std::unique_ptr<CBlockParam>> m_params[3];
};
