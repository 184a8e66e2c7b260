#include "diagram/ConfGraphIOParameter.h"

IMPLEMENT_SERIAL(CConfGraphIOParameter, CDrawText, 0)

namespace {

std::unique_ptr<CDrawText> CloneText(const CDrawText& text) {
    std::unique_ptr<CDrawingObject> copy = text.Clone();
    // Every text clones to a text; anything else would be a broken override.
    if (dynamic_cast<CDrawText*>(copy.get()) == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<CDrawText>(static_cast<CDrawText*>(copy.release()));
}

}  // namespace

CConfGraphIOParameter::CConfGraphIOParameter() = default;

CConfGraphIOParameter::CConfGraphIOParameter(const CDrawText& portLabel, int savedShow)
    : CDrawText(portLabel.GetRect(), portLabel.GetText()),
      m_pPortLabel(CloneText(portLabel)),
      m_bSavedShow(savedShow) {
    m_logfont = portLabel.GetLogFont();
    m_crBack = portLabel.GetBackColor();
    m_nFormat = portLabel.GetFormat();
    m_crText = kIdleColor;
    m_nLoop = portLabel.GetLoop();
    m_pDocument = portLabel.GetDocument();
}

CConfGraphIOParameter::CConfGraphIOParameter(const CConfGraphIOParameter& other)
    : CDrawText(other),
      m_pPortLabel(other.m_pPortLabel ? CloneText(*other.m_pPortLabel) : nullptr),
      m_bSavedShow(other.m_bSavedShow) {}

CConfGraphIOParameter::~CConfGraphIOParameter() = default;

void CConfGraphIOParameter::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CDrawText::Serialize(ar);
}

std::unique_ptr<CDrawingObject> CConfGraphIOParameter::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CConfGraphIOParameter(*this));
}

void CConfGraphIOParameter::EnterOnlineMode(CDrawingView* view) {
    CDrawText::EnterOnlineMode(view);
}

void CConfGraphIOParameter::LeaveOnlineMode(CDrawingView* view) {
    CDrawText::LeaveOnlineMode(view);
}

void CConfGraphIOParameter::SetOnlineValue(CDrawingView* view, const std::string& value) {
    Invalidate(view);
    const std::string port = m_pPortLabel ? m_pPortLabel->GetText() : std::string();
    SetText(port + "=" + value, true);
    m_crText = value.empty() ? kNoValueColor : kValueColor;
    Invalidate(view);
}

std::unique_ptr<CDrawText> CConfGraphIOParameter::TakePortLabel() {
    return std::move(m_pPortLabel);
}
