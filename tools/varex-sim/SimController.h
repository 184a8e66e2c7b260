#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SimFaults.h"
#include "SimPlant.h"
#include "model/Loop.h"

class CFrameBuilder;

// A Varex controller in software: five loops, an address, a firmware version,
// the calibration tables and the live values of its plant. It answers one request
// frame at a time as the controller does, with the faults it was asked to inject.
// Requests it cannot act on (another address, a bad checksum, an unknown command,
// a loop or block it does not have) get no reply.
class CSimController {
public:
    static constexpr uint8_t kDefaultAddress = 2;
    static constexpr int kDefaultVersion = 410;  // "4.10"
    // Answer code of every error answer; its byte 4 carries the sub-code.
    static constexpr uint8_t kErrorAnswer = 0x05;
    static constexpr uint8_t kSubCodeMemoryOverflow = 1;
    static constexpr int kLoopCount = 5;

    CSimController();
    ~CSimController();
    CSimController(const CSimController&) = delete;
    CSimController& operator=(const CSimController&) = delete;

    void SetAddress(uint8_t address) { m_nAddress = address; }
    uint8_t GetAddress() const { return m_nAddress; }
    // The firmware version in hundredths (410 for "4.10").
    void SetVersion(int hundredths) { m_nVersion = hundredths; }
    int GetVersion() const { return m_nVersion; }
    // Loops without a name answer "NO CONFG" to a name read, as a controller
    // fresh from the factory does (otherwise they answer blanks).
    void SetNoConfigName(bool on) { m_bNoConfigName = on; }
    CSimFaults& GetFaults() { return m_faults; }
    CSimPlant& GetPlant() { return m_plant; }

    // Takes the loops of a configuration document; false with the reason when it
    // cannot be read.
    bool LoadDocument(const std::string& path, std::string& error);
    // Loop 1..5; every loop exists (an empty loop with a blank name when the
    // controller holds no configuration for it).
    const CLoop& GetLoop(int loopNumber) const;
    void SetLoop(int loopNumber, std::unique_ptr<CLoop> loop);
    // Calibration table of kind 1 (analog inputs, 64 bytes), 2 (current outputs)
    // or 3 (voltage outputs, 16 bytes each): signed 16-bit thousandths.
    const std::vector<uint8_t>& GetCalibration(int kind) const;

    // Answers one request as it came from the line (stuffing included); returns the
    // bytes to send back, empty when the request gets no reply.
    std::vector<uint8_t> HandleRequest(const std::vector<uint8_t>& lineBytes);
    // What happened to the last request, for the log ("dropped", "not addressed to us").
    const std::string& GetLastNote() const { return m_strNote; }
    // Requests addressed to us with a good checksum, so far.
    uint64_t GetRequestCount() const { return m_nRequests; }
    // The command's name for the log ("M replace loops", "answer 0xAD"...).
    static std::string DescribeCode(uint8_t code);

private:
    struct Request;
    struct Download;
    using Handler = std::vector<uint8_t> (CSimController::*)(const Request&);

    static Handler FindHandler(uint8_t command);
    bool Parse(const std::vector<uint8_t>& lineBytes, Request& request);
    std::vector<uint8_t> Answer(const Request& request);
    std::vector<uint8_t> Ignore(const std::string& note);

    // Replies: the answer code of the request's command, the echo of bytes 5..7,
    // then the checksum.
    CFrameBuilder StartReply(const Request& request) const;
    std::vector<uint8_t> FinishReply(CFrameBuilder& builder) const;
    std::vector<uint8_t> ShortReply(const Request& request) const;
    std::vector<uint8_t> ErrorReply(const Request& request, uint8_t subCode) const;

    std::vector<uint8_t> OnReplaceLoops(const Request& request);
    std::vector<uint8_t> OnBeginDownload(const Request& request);
    std::vector<uint8_t> OnDownloadData(const Request& request);
    std::vector<uint8_t> OnBeginBlockWrite(const Request& request);
    std::vector<uint8_t> OnBlockWrite(const Request& request);
    std::vector<uint8_t> OnReadBlock(const Request& request);
    std::vector<uint8_t> OnReadLoop(const Request& request);
    std::vector<uint8_t> OnBeginNameWrite(const Request& request);
    std::vector<uint8_t> OnWriteNames(const Request& request);
    std::vector<uint8_t> OnWriteCalibration(const Request& request);
    std::vector<uint8_t> OnReadCalibration(const Request& request);
    std::vector<uint8_t> OnReadValues(const Request& request);
    std::vector<uint8_t> OnReadLoopName(const Request& request);
    std::vector<uint8_t> OnReadVersion(const Request& request);
    std::vector<uint8_t> OnReadGeneralItem(const Request& request);

    // Block records of a download frame appended to a loop; 0 when all fit, else
    // the error sub-code, or -1 when the records are malformed.
    int AppendRecords(CLoop& loop, const std::vector<uint8_t>& records);
    CLoop* FindLoop(uint8_t loopByte) const;
    CBlock* FindBlock(const Request& request) const;
    void AppendRecord(CFrameBuilder& builder, const CBlock& block) const;
    void AutoCalibrate(uint8_t mask, uint8_t row);
    std::vector<const CLoop*> LoopList() const;
    std::string PaddedName(const CLoop& loop) const;

    uint8_t m_nAddress = kDefaultAddress;
    int m_nVersion = kDefaultVersion;
    std::array<std::unique_ptr<CLoop>, kLoopCount> m_loops;
    std::array<std::vector<uint8_t>, 3> m_calibration;
    std::vector<uint8_t> m_pendingReplace;  // loops named in "M" phase 1
    std::unique_ptr<Download> m_pDownload;
    CSimFaults m_faults;
    CSimPlant m_plant;
    uint64_t m_nRequests = 0;
    bool m_bNoConfigName = false;
    std::string m_strNote;
};
