#pragma once

#include <cstdint>

// The controller protocol's command codes with the answer each expects, in one
// table that the client and the simulator both use. Tests keep their own raw
// bytes, so that a wrong entry here cannot make both sides agree.
namespace protocol {

enum Command : uint8_t {
    kReplaceLoops = 0x4D,  // "M"
    kBeginLoop = 0x59,     // "Y"
    kLoopData = 0x4E,      // "N"
    kBeginBlock = 0x30,    // "0"
    kBlockData = 0x2B,     // "+"
    kReadBlock = 0x35,     // "5"
    kReadLoop = 0x5A,      // "Z"
    kBeginNames = 0x93,
    kWriteNames = 0x88,
    kWriteCalibration = 0x56,  // "V"
    kReadCalibration = 0xC1,
    kReadValues = 0x5F,  // "_"
    kReadLoopName = 0x9C,
    kReadVersion = 0xC7,
    kGeneralItem = 0xE4,
};

struct CommandInfo {
    Command command;
    uint8_t answer;
    const char* name;  // what it does, for logs
};

inline constexpr CommandInfo kCommands[] = {
    {kReplaceLoops, 0xAD, "M replace loops"},
    {kBeginLoop, 0xB9, "Y begin loop download"},
    {kLoopData, 0xAE, "N loop download data"},
    {kBeginBlock, 0x70, "0 begin block write"},
    {kBlockData, 0x6B, "+ block write data"},
    {kReadBlock, 0x75, "5 read block"},
    {kReadLoop, 0xBA, "Z read loop"},
    {kBeginNames, 0xD3, "begin name write"},
    {kWriteNames, 0xC8, "write loop names"},
    {kWriteCalibration, 0x76, "V write calibration"},
    {kReadCalibration, 0x21, "read calibration"},
    {kReadValues, 0xBF, "_ read block values"},
    {kReadLoopName, 0xDC, "read loop name"},
    {kReadVersion, 0x27, "read firmware version"},
    {kGeneralItem, 0x24, "read general item"},
};

// The answer code a command expects.
constexpr uint8_t AnswerOf(Command command) {
    for (const CommandInfo& info : kCommands) {
        if (info.command == command) {
            return info.answer;
        }
    }
    return 0;
}

// The entry of a command or of an answer code; null for other codes.
const CommandInfo* FindCommand(uint8_t code);
const CommandInfo* FindAnswer(uint8_t code);

// Replies with these codes have exactly five logical bytes after byte 4 (the
// echo and the checksum), whatever byte 4 says.
inline constexpr uint8_t kFixedLengthAnswers[] = {0xB9, 0x5A, 0xAE, 0x70, 0x35, 0x6B, 0xD3, 0xC8};

// The function byte of "_" that asks for the values of a list of outputs.
inline constexpr uint8_t kValueListFunction = 0xFA;

}  // namespace protocol
