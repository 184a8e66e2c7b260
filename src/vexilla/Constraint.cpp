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

    bool ok = true;
    while (true) {
        const std::size_t plus = text.find('+');
        const std::string_view token = text.substr(0, plus);
        const TokenResult result = ExtractToken(token);
        if (result == TokenResult::kFatal) {
            return false;
        }
        if (result == TokenResult::kIgnored) {
            ok = false;
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
    return ok;
}

CConstraint::TokenResult CConstraint::ExtractToken(std::string_view token) {
    const bool proportional = !token.empty() && token.front() == 'M';
    if (proportional) {
        token.remove_prefix(1);
    }

    TokenResult result = TokenResult::kOk;
    if (token.empty()) {
        // Nothing to set; an "M" alone still makes the flags so far proportional.
    } else if (token.front() == 'C') {
        const char axis = token.size() > 1 ? token[1] : '\0';
        if (axis != 'X' && axis != 'Y') {
            return TokenResult::kFatal;
        }
        float ratio = 1.0f;
        if (!CalcRatio(token.substr(2), ratio)) {
            return TokenResult::kFatal;
        }
        if (axis == 'X') {
            m_flags |= kFlagCX;
            m_cxRatio = ratio;
        } else {
            m_flags |= kFlagCY;
            m_cyRatio = ratio;
        }
    } else if (token.front() == 'X' || token.front() == 'Y') {
        float ratio = 1.0f;
        if (!CalcRatio(token.substr(1), ratio)) {
            return TokenResult::kFatal;
        }
        if (token.front() == 'X') {
            m_flags |= kFlagX;
            m_xRatio = ratio;
        } else {
            m_flags |= kFlagY;
            m_yRatio = ratio;
        }
    } else if (token.front() == 'x' || token.front() == 'y') {
        if (token.size() != 1) {
            return TokenResult::kFatal;
        }
        m_flags |= token.front() == 'x' ? kFlagCentreX : kFlagCentreY;
    } else {
        result = TokenResult::kIgnored;
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
    return result;
}

bool CConstraint::CalcRatio(std::string_view rest, float& ratio) {
    if (rest.empty()) {
        ratio = 1.0f;
        return true;
    }
    if (rest.size() < 3 || rest.front() != '[' || rest.back() != ']') {
        return false;
    }
    const std::string_view number = rest.substr(1, rest.size() - 2);
    // from_chars ignores the locale: the decimal point is always ".".
    float value = 0.0f;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
        return false;
    }
    ratio = value;
    return true;
}

}  // namespace Geometry
