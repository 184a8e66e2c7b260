#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace Geometry {

// How one control of a resizable dialog follows a change of the dialog's client
// size, parsed from a short text such as "X+Y" (keep the distance to the right and
// bottom edges) or "Y[0.05]+CX+CY[0.3]". Tokens are separated by "+":
//   CX[r], CY[r]  width / height grow by r times the width / height change
//   X[r], Y[r]    left / top edge move by r times the width / height change
//   x, y          centre horizontally / vertically (move by half the change)
// A ratio "[r]" is optional (1 when absent) and always written with a "." as the
// decimal point. A token prefixed with "M" makes every edge and extent named so
// far proportional: it is first scaled by new size / initial size.
class CConstraint {
public:
    static constexpr uint16_t kFlagCX = 0x0001;
    static constexpr uint16_t kFlagCY = 0x0002;
    static constexpr uint16_t kFlagX = 0x0004;
    static constexpr uint16_t kFlagY = 0x0008;
    static constexpr uint16_t kFlagCentreX = 0x0010;
    static constexpr uint16_t kFlagCentreY = 0x0020;
    static constexpr uint16_t kFlagPropCX = 0x0100;
    static constexpr uint16_t kFlagPropCY = 0x0200;
    static constexpr uint16_t kFlagPropX = 0x0400;
    static constexpr uint16_t kFlagPropY = 0x0800;

    // Longer texts are refused by ExtractOptions.
    static constexpr std::size_t kMaxText = 255;

    CConstraint() = default;
    // All zero, then ExtractOptions(text); a bad "C" token keeps what parsed before
    // it (use ExtractOptions directly to learn about the fault).
    explicit CConstraint(std::string_view text);
    explicit CConstraint(const char* text);
    // Left, top, width and height all follow with the given ratios.
    CConstraint(float x, float y, float cx, float cy);

    // Adds the flags and ratios of the text to this constraint. Each token counts
    // by its letter; what follows is read only for a ratio, tokens with any other
    // letter are passed over and empty tokens ("X++Y", "") add nothing. False
    // when:
    //  - the text is null or longer than kMaxText: nothing changes;
    //  - a "C" is followed by anything but "X" or "Y": parsing stops there, the
    //    flags of the tokens before stay and the final clean-up (centring against
    //    plain and proportional flags) is skipped.
    bool ExtractOptions(std::string_view text);
    bool ExtractOptions(const char* text);

    // The ratio in the text following a token's letter: the number after a "["
    // (always with "." as decimal point, whatever the locale; 0 when there is no
    // number), else 1.
    static float CalcRatio(std::string_view rest);

    uint16_t GetFlags() const { return m_flags; }
    bool Has(uint16_t flag) const { return (m_flags & flag) == flag; }
    float GetXRatio() const { return m_xRatio; }
    float GetYRatio() const { return m_yRatio; }
    float GetCXRatio() const { return m_cxRatio; }
    float GetCYRatio() const { return m_cyRatio; }

    bool operator==(const CConstraint&) const = default;

private:
    // False for a "C" that is not followed by "X" or "Y".
    bool ExtractToken(std::string_view token);

    uint16_t m_flags = 0;
    float m_xRatio = 0.0f;
    float m_yRatio = 0.0f;
    float m_cxRatio = 0.0f;
    float m_cyRatio = 0.0f;
};

}  // namespace Geometry
