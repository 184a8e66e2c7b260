#include "SimPlant.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

#include "model/BlockParam.h"
#include "model/BlockTypeTable.h"
#include "model/Loop.h"

namespace {

// Type indices the plant treats apart.
enum : int {
    TYPE_AI = 0,
    TYPE_CO = 1,
    TYPE_DI = 3,
    TYPE_DO = 4,
    TYPE_LR = 6,
    TYPE_APID = 8,
    TYPE_PID = 9,
    TYPE_TOT = 17,
    TYPE_ALM = 21,
    TYPE_LOG = 23,
    TYPE_TMR = 24,
    TYPE_ADJ = 27,
    TYPE_K = 32,
};
enum LogicFunction { LOGIC_AND, LOGIC_OR, LOGIC_XOR, LOGIC_FLIP_FLOP };

constexpr double kProcessSeconds = 4.0;   // time constant of the analog inputs
constexpr double kIntegralSeconds = 5.0;  // integral time of the simulated controllers
constexpr int kMaxStepsPerUpdate = 600;   // one minute; a longer pause is skipped
constexpr double kLogicThreshold = 0.5;
constexpr double kTotalWrap = 300.0;  // totals stay inside the 16-bit value range

double Clamp(double value, double low, double high) {
    return std::min(std::max(value, low), high);
}

double WallClock() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double Logic(bool on) {
    return on ? 1.0 : 0.0;
}

}  // namespace

CSimPlant::CSimPlant() : m_clock(WallClock), m_random(0x0A1B) {}

void CSimPlant::SetClock(Clock clock) {
    m_clock = std::move(clock);
    m_bStarted = false;
}

void CSimPlant::Update(const std::vector<const CLoop*>& loops) {
    const double now = m_clock();
    if (!m_bStarted) {
        m_bStarted = true;
        m_dClockTime = now;
        m_bChanged = true;
    }
    int steps = static_cast<int>(std::floor((now - m_dClockTime) / kStepSeconds));
    if (steps > kMaxStepsPerUpdate) {
        m_dClockTime = now - kMaxStepsPerUpdate * kStepSeconds;
        steps = kMaxStepsPerUpdate;
    }
    steps = std::max(steps, 0);
    m_dClockTime += steps * kStepSeconds;
    if (steps == 0 && m_bChanged) {
        steps = 1;  // new blocks get their values at once
    }
    m_bChanged = false;
    for (int i = 0; i < steps; ++i) {
        Step(loops);
    }
}

int16_t CSimPlant::GetValue(int address) const {
    const double hundredths = std::round(GetPercent(address) * 100.0);
    return static_cast<int16_t>(Clamp(hundredths, INT16_MIN, INT16_MAX));
}

double CSimPlant::GetPercent(int address) const {
    return Previous(address, 0.0);
}

std::vector<int> CSimPlant::OutputAddresses(int typeIndex, int instance) {
    std::vector<int> addresses;
    if (GetBlockTypeInfo(typeIndex) == nullptr || instance < 0 ||
        instance >= GetBlockCountOfType(typeIndex)) {
        return addresses;
    }
    CBlock block(GetBlockTypeMnemonic(typeIndex), GetFirstBlockNumber(typeIndex) + instance,
                 typeIndex);
    block.BuildOutputs();
    for (int i = 0; i < block.GetOutputCount(); ++i) {
        addresses.push_back(block.GetOutputAddress(i));
    }
    return addresses;
}

void CSimPlant::Step(const std::vector<const CLoop*>& loops) {
    m_dTime += kStepSeconds;
    m_next.clear();
    FindDrives(loops);
    for (const CLoop* loop : loops) {
        for (int i = 0; loop != nullptr && i < loop->GetBlockCount(); ++i) {
            StepBlock(*loop->GetBlock(i));
        }
    }
    m_values.swap(m_next);
}

void CSimPlant::FindDrives(const std::vector<const CLoop*>& loops) {
    m_drives.clear();
    for (const CLoop* loop : loops) {
        for (int i = 0; loop != nullptr && i < loop->GetBlockCount(); ++i) {
            const CBlock& block = *loop->GetBlock(i);
            const int t = block.GetTypeIndex();
            if ((t == TYPE_PID || t == TYPE_APID) && IsLinked(block, 1)) {
                const bool direct = Param(block, PARAM_CONF, "CACT", 0.0) == 1.0;
                m_drives[block.GetLinkValue(1)] = Drive{block.GetOutputAddress(0), direct};
            }
        }
    }
}

void CSimPlant::StepBlock(const CBlock& block) {
    switch (block.GetTypeIndex()) {
        case TYPE_AI:
            return StepAnalogInput(block);
        case TYPE_PID:
        case TYPE_APID:
            return StepController(block);
        case TYPE_DI:
            return StepDigitalInput(block);
        case TYPE_DO: {
            static const LogicFunction kDoFunctions[] = {LOGIC_OR, LOGIC_AND, LOGIC_XOR};
            const int code = static_cast<int>(Param(block, PARAM_CONF, "CLOG", 0.0));
            return StepLogic(block, kDoFunctions[std::clamp(code, 0, 2)], false);
        }
        case TYPE_LOG: {
            const int code = static_cast<int>(Param(block, PARAM_CONF, "CLOG", 0.0));
            const bool inverted = Param(block, PARAM_CONF, "CNOT", 0.0) == 1.0;
            return StepLogic(block, static_cast<LogicFunction>(std::clamp(code, 0, 3)), inverted);
        }
        case TYPE_TMR:
            return StepLogic(block, LOGIC_OR, false);
        case TYPE_ALM:
            return StepAlarm(block);
        case TYPE_TOT:
            return StepTotalizer(block);
        case TYPE_LR:
        case TYPE_ADJ:
            return StepSetpoint(block);
        case TYPE_K:
            return StepConstants(block);
        default:
            return StepFollower(block);
    }
}

void CSimPlant::StepAnalogInput(const CBlock& block) {
    const int address = block.GetOutputAddress(0);
    const double previous = Previous(address, 50.0);
    const double phase = 2.0 * std::numbers::pi * m_dTime / (40.0 + 5.0 * block.GetInstance());
    double target;
    const auto drive = m_drives.find(address);
    if (drive != m_drives.end()) {
        const double output = Current(drive->second.controllerOutput, 50.0);
        target = (drive->second.direct ? 100.0 - output : output) + 2.0 * std::sin(phase);
    } else {
        std::normal_distribution<double> step(0.0, 0.2);
        double& walk = m_walk[address];
        walk = Clamp(walk + step(m_random), -8.0, 8.0);
        target = 50.0 + 20.0 * std::sin(phase) + walk;
    }
    std::uniform_real_distribution<double> noise(-0.05, 0.05);
    const double value = previous + (target - previous) * kStepSeconds / kProcessSeconds;
    Set(block, 0, Clamp(value + noise(m_random), -2.0, 102.0));
    Set(block, 1, 0.0);  // no input fault
}

void CSimPlant::StepController(const CBlock& block) {
    const int address = block.GetOutputAddress(0);
    double error = Input(block, 0) - Input(block, 1);
    if (Param(block, PARAM_CONF, "CACT", 0.0) == 1.0) {
        error = -error;  // direct action: the output rises with the process variable
    }
    const double gain = Clamp(Param(block, PARAM_ADJ, "AKp", 1.0), 0.05, 10.0);
    double& integral = m_integral.try_emplace(address, Previous(address, 50.0)).first->second;
    integral = Clamp(integral + error * kStepSeconds / kIntegralSeconds, 0.0, 100.0);
    Set(block, 0, Clamp(integral + gain * error, 0.0, 100.0));
    for (int i = 1; i < block.GetOutputCount(); ++i) {
        Set(block, i, 0.0);
    }
}

void CSimPlant::StepDigitalInput(const CBlock& block) {
    const double period = 20.0 + 4.0 * block.GetInstance();
    const bool on = std::fmod(m_dTime, period) >= period / 2.0;
    const bool inverted = Param(block, PARAM_CONF, "CNOT", 0.0) == 1.0;
    Set(block, 0, Logic(on != inverted));
}

void CSimPlant::StepLogic(const CBlock& block, int function, bool inverted) {
    bool result = function == LOGIC_AND;
    bool any = false;
    for (int j = 0; j < block.GetParamListSize(PARAM_LINK); ++j) {
        if (!IsLinked(block, j)) {
            continue;
        }
        const bool on = Input(block, j) >= kLogicThreshold;
        any = true;
        result = function == LOGIC_AND  ? result && on
                 : function == LOGIC_OR ? result || on
                                        : result != on;
    }
    if (function == LOGIC_FLIP_FLOP) {
        const bool set = Input(block, 0) >= kLogicThreshold;
        const bool reset = Input(block, 1) >= kLogicThreshold;
        const bool last = Previous(block.GetOutputAddress(0), 0.0) >= kLogicThreshold;
        result = !reset && (set || last);
        any = true;
    }
    Set(block, 0, Logic(any && (result != inverted)));
}

void CSimPlant::StepAlarm(const CBlock& block) {
    const char* const types[2] = {"CTY1", "CTY2"};
    const char* const limits[2] = {"ARG1", "ARG2"};
    for (int n = 0; n < 2; ++n) {
        const int type = static_cast<int>(Param(block, PARAM_CONF, types[n], 1.0));
        double value = Input(block, n);
        if (type >= 2) {
            value -= Input(block, 2);  // deviation from the reference at input C
        }
        const double limit = Param(block, PARAM_ADJ, limits[n], 0.0);
        const bool high = type == 1 || type == 3;
        Set(block, n, Logic(high ? value > limit : value < limit));
    }
}

void CSimPlant::StepTotalizer(const CBlock& block) {
    const int address = block.GetOutputAddress(0);
    double total = Previous(address, 0.0) + Input(block, 0) * kStepSeconds / 60.0;
    if (Input(block, 1) >= kLogicThreshold) {
        total = 0.0;
    }
    Set(block, 0, std::fmod(total, kTotalWrap));
    Set(block, 1, 0.0);
}

void CSimPlant::StepSetpoint(const CBlock& block) {
    const bool remote = block.GetTypeIndex() == TYPE_LR && IsLinked(block, 0);
    Set(block, 0, remote ? Input(block, 0) : Param(block, PARAM_ADJ, "ASPD", 0.0));
    for (int i = 1; i < block.GetOutputCount(); ++i) {
        Set(block, i, 0.0);
    }
}

void CSimPlant::StepConstants(const CBlock& block) {
    for (int i = 0; i < block.GetOutputCount(); ++i) {
        const CBlockParam* param = block.GetParam(PARAM_ADJ, i);
        const int16_t raw =
            param ? static_cast<int16_t>(param->m_value[0] | (param->m_value[1] << 8)) : int16_t{0};
        Set(block, i, raw / 100.0);
    }
}

void CSimPlant::StepFollower(const CBlock& block) {
    for (int i = 0; i < block.GetOutputCount(); ++i) {
        Set(block, i, i == 0 ? Input(block, 0) : 0.0);
    }
}

double CSimPlant::Input(const CBlock& block, int j) const {
    return IsLinked(block, j) ? Current(block.GetLinkValue(j), 0.0) : 0.0;
}

bool CSimPlant::IsLinked(const CBlock& block, int j) const {
    return block.GetLinkValue(j) > 0;
}

double CSimPlant::Current(int address, double fallback) const {
    const auto it = m_next.find(address);
    return it != m_next.end() ? it->second : Previous(address, fallback);
}

double CSimPlant::Previous(int address, double fallback) const {
    const auto it = m_values.find(address);
    return it != m_values.end() ? it->second : fallback;
}

void CSimPlant::Set(const CBlock& block, int output, double value) {
    const int address = block.GetOutputAddress(output);
    if (address > 0) {
        m_next[address] = value;
    }
}

double CSimPlant::Param(const CBlock& block, int kind, const char* mnemonic, double fallback) {
    for (int j = 0; j < block.GetParamListSize(kind); ++j) {
        const CBlockParam* param = block.GetParam(kind, j);
        if (param->GetMnemonic() != mnemonic) {
            continue;
        }
        const int16_t raw = static_cast<int16_t>(param->m_value[0] | (param->m_value[1] << 8));
        switch (param->m_cType) {
            case 'P':
                return raw / 100.0;
            case 'C':
                return raw / 1000.0;
            case 'I':
                return raw;
            default:
                return fallback;
        }
    }
    return fallback;
}
