#include "CliTransferUi.h"

#include <unistd.h>

#include <cstdio>

#include "platform/MessageBox.h"

CCliTransferUi::CCliTransferUi(int answerYesNo)
    : m_nAnswerYesNo(answerYesNo), m_bTerminal(::isatty(STDERR_FILENO) != 0) {}

void CCliTransferUi::BeginProgress(const std::string& title, const std::string& text, int maximum) {
    m_nMaximum = maximum;
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

void CCliTransferUi::SetProgress(int position) {
    if (!m_bTerminal) {
        std::fprintf(stderr, "  %d/%d\n", position, m_nMaximum);
        return;
    }
    constexpr int kWidth = 30;
    const int filled = m_nMaximum > 0 ? kWidth * position / m_nMaximum : kWidth;
    std::fprintf(stderr, "\r  [%-*s] %d/%d", kWidth,
                 std::string(static_cast<std::size_t>(filled), '#').c_str(), position, m_nMaximum);
    std::fflush(stderr);
}

void CCliTransferUi::EndProgress() {
    if (m_bTerminal) {
        std::fprintf(stderr, "\n");
    }
}

int CCliTransferUi::ShowMessage(const std::string& title, const std::string& text, unsigned type) {
    m_bShownMessage = true;
    m_bLastError = (type & MB_ICONMASK) == MB_ICONERROR;
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    const unsigned buttons = type & MB_TYPEMASK;
    if (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) {
        return m_nAnswerYesNo;
    }
    return IDOK;
}
