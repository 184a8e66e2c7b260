#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <vector>

class CBlock;
class CLoop;

// The process behind the simulated controller: the value of every block output,
// in percent, advanced in steps of 100 ms of the clock, computed lazily when
// values are read. Analog inputs follow a slow first-order process: on their own
// a slow sine with a random walk around 50 %, or, when a PID or APID block takes
// them as its process variable, that controller's output (so the loop closes).
// PID and APID outputs move to reduce setpoint - process variable; outputs
// follow their input A (CO and the blocks not listed); K and ADJ blocks give
// their parameters; logic outputs are 0 or 1.
class CSimPlant {
public:
    using Clock = std::function<double()>;  // seconds, never going back
    static constexpr double kStepSeconds = 0.1;

    CSimPlant();

    // Replaces the wall clock (tests drive the plant with their own).
    void SetClock(Clock clock);
    // The configuration changed: the next update computes at least one step.
    void OnConfigurationChanged() { m_bChanged = true; }
    // Brings the outputs of the loops' blocks up to the clock's time.
    void Update(const std::vector<const CLoop*>& loops);

    // An output's value in hundredths of a percent, limited to 16 bits; 0 when no
    // configured block has the output.
    int16_t GetValue(int address) const;
    double GetPercent(int address) const;
    // Output addresses of a block of a type and instance, configured or not.
    static std::vector<int> OutputAddresses(int typeIndex, int instance);

private:
    // A process variable driven by a controller output.
    struct Drive {
        int controllerOutput = 0;
        bool direct = false;
    };

    void Step(const std::vector<const CLoop*>& loops);
    void FindDrives(const std::vector<const CLoop*>& loops);
    void StepBlock(const CBlock& block);
    void StepAnalogInput(const CBlock& block);
    void StepController(const CBlock& block);
    void StepDigitalInput(const CBlock& block);
    void StepLogic(const CBlock& block, int function, bool inverted);
    void StepAlarm(const CBlock& block);
    void StepTotalizer(const CBlock& block);
    void StepSetpoint(const CBlock& block);
    void StepConstants(const CBlock& block);
    void StepFollower(const CBlock& block);

    // Value at a block's LINK input j (0 when not linked).
    double Input(const CBlock& block, int j) const;
    bool IsLinked(const CBlock& block, int j) const;
    // Value of an address: this step's if computed already, else the last one.
    double Current(int address, double fallback) const;
    double Previous(int address, double fallback) const;
    void Set(const CBlock& block, int output, double value);
    // A parameter's value by mnemonic (P in percent, C in thousandths, I as is).
    static double Param(const CBlock& block, int kind, const char* mnemonic, double fallback);

    Clock m_clock;
    double m_dClockTime = 0.0;  // clock time of the last step
    double m_dTime = 0.0;       // simulated seconds
    bool m_bStarted = false;
    bool m_bChanged = true;
    std::map<int, double> m_values;
    std::map<int, double> m_next;
    std::map<int, double> m_integral;
    std::map<int, double> m_walk;
    std::map<int, Drive> m_drives;  // by process variable address
    std::mt19937 m_random;
};
