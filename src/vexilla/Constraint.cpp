#include "vexilla/Constraint.h"

#include <charconv>
#include <cmath>

namespace Geometry {

CConstraint::CConstraint(std::string_view text) {
    ExtractOptions(text);
}

CConstraint::CConstraint(const char* text) {
    ExtractOptions(text);
}

CConstraint::CConstraint(float x, float y, float cx, float cy)
    : m_flags(kFlagCX | kFlagCY | kFlagX | kFlagY),
      m_xRatio(x),
      m_yRatio(y),
      m_cxRatio(cx),
      m_cyRatio(cy) {}

bool CConstraint::ExtractOptions(const char* text) {
    if (text == nullptr) {
        return false;
    }
    return ExtractOptions(std::string_view(text));
}

bool CConstraint::ExtractOptions(std::string_view text) {
    if (text.size() > kMaxText) {
        return false;
    }
    while (true) {
        const std::size_t plus = text.find('+');
        if (!ExtractToken(text.substr(0, plus))) {
            return false;  // the flags parsed so far stay
        }
        if (plus == std::string_view::npos) {
            break;
        }
        text.remove_prefix(plus + 1);
    }

    // Proportional placement and centring exclude each other, and centring keeps
    // the extent and replaces the edge's own movement.
    if (m_flags & (kFlagPropX | kFlagPropCX)) {
        m_flags &= ~kFlagCentreX;
    }
    if (m_flags & (kFlagPropY | kFlagPropCY)) {
        m_flags &= ~kFlagCentreY;
    }
    if (m_flags & kFlagCentreX) {
        m_flags &= ~(kFlagX | kFlagCX);
    }
    if (m_flags & kFlagCentreY) {
        m_flags &= ~(kFlagY | kFlagCY);
    }
    return true;
}

// One token: its first letter (after an "M") decides; what follows the letter is
// read only for a ratio, and characters that mean nothing are passed over, so
// "XY" is X and "X0.5]" is X with the ratio 1. Only a "C" that is not followed
// by "X" or "Y" is an error.
bool CConstraint::ExtractToken(std::string_view token) {
    const bool proportional = !token.empty() && token.front() == 'M';
    if (proportional) {
        token.remove_prefix(1);
    }
    const char letter = token.empty() ? '\0' : token.front();
    if (letter == 'C') {
        const char axis = token.size() > 1 ? token[1] : '\0';
        if (axis != 'X' && axis != 'Y') {
            return false;
        }
        const float ratio = CalcRatio(token.substr(2));
        if (axis == 'X') {
            m_flags |= kFlagCX;
            m_cxRatio = ratio;
        } else {
            m_flags |= kFlagCY;
            m_cyRatio = ratio;
        }
    } else if (letter == 'X') {
        m_flags |= kFlagX;
        m_xRatio = CalcRatio(token.substr(1));
    } else if (letter == 'Y') {
        m_flags |= kFlagY;
        m_yRatio = CalcRatio(token.substr(1));
    } else if (letter == 'x') {
        m_flags |= kFlagCentreX;
    } else if (letter == 'y') {
        m_flags |= kFlagCentreY;
    }

    if (proportional) {
        if (m_flags & kFlagCX) {
            m_flags |= kFlagPropCX;
        }
        if (m_flags & kFlagCY) {
            m_flags |= kFlagPropCY;
        }
        if (m_flags & kFlagX) {
            m_flags |= kFlagPropX;
        }
        if (m_flags & kFlagY) {
            m_flags |= kFlagPropY;
        }
    }
    return true;
}

// "[0.5]..." is one half, whatever the user's locale; no "[" is 1. After the
// "[" the number is read as far as it goes ("[0.5" is one half too); no number
// there is 0, as the C library's conversion gives.
float CConstraint::CalcRatio(std::string_view rest) {
    if (rest.empty() || rest.front() != '[') {
        return 1.0f;
    }
    rest.remove_prefix(1);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) {
        rest.remove_prefix(1);
    }
    float value = 0.0f;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc() || !std::isfinite(value)) {
        return 0.0f;
    }
    return value;
}

}  // namespace Geometry
