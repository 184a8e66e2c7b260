#pragma once

#include <memory>

#include "comm/Controller.h"
#include "model/Block.h"
#include "model/Loop.h"

// The protocol object of the program: the activity notifications that light
// the TX and RX indicators, and the operations that move loops and blocks.
class CConfController : public CController {
    DECLARE_DYNAMIC(CConfController)

public:
    // Download frames stay below this many bytes on the line.
    static constexpr std::size_t kMaxDownloadFrame = 128;
    // More replies than blocks exist means the controller is not ending a loop.
    static constexpr int kMaxUploadReplies = 130;

    int Read(uint8_t* buffer, int length) override;
    int ReceiveFrame(uint8_t* buffer, int length, const uint8_t* request,
                     int requestLength) override;
    int SendFrame(const uint8_t* buffer, int length) override;
    void OnTxActivity(bool on) override;
    void OnRxActivity(bool on) override;

    // Commands "Y" and "N": the loop's name and every block's parameters.
    bool SendLoop(const CLoop& loop);
    // Commands "0" and "+": the block's CONF and ADJ parameters.
    bool SendBlock(int loopNumber, const CBlock& block);
    // Command "Z": the loop as the controller holds it, or null.
    std::unique_ptr<CLoop> ReadLoop(int loopNumber);
    // Command "5": the block with its CONF and ADJ parameters, or null.
    std::unique_ptr<CBlock> ReadBlock(uint8_t loop, uint8_t function, uint8_t offset);

    // The function and offset bytes that address a block.
    static uint8_t FunctionOf(const CBlock& block);
    static uint8_t OffsetOf(const CBlock& block);

private:
    // Appends as many block records as fit; returns the index of the next block.
    int AppendBlockRecords(CFrameBuilder& frame, const CLoop& loop, int first) const;
    // Reads the block records of one "Z" reply; false when a record is damaged.
    bool ReadBlockRecords(const Reply& reply, std::size_t start, CLoop& loop);
};
