#include "comm/ProtocolCodes.h"

namespace protocol {

const CommandInfo* FindCommand(uint8_t code) {
    for (const CommandInfo& info : kCommands) {
        if (info.command == code) {
            return &info;
        }
    }
    return nullptr;
}

const CommandInfo* FindAnswer(uint8_t code) {
    for (const CommandInfo& info : kCommands) {
        if (info.answer == code) {
            return &info;
        }
    }
    return nullptr;
}

}  // namespace protocol
