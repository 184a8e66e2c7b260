#pragma once

#include <QWidget>

#include "document/ui/ColorButton.h"
#include "platform/ColorRef.h"
#include "platform/LogFont.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QSpinBox;

// The "Text" page: font face, size, bold and italic, text and background
// colours and, where they apply, the horizontal alignment of the format and
// the opaque background. The stored size and weight are kept exactly (a
// positive cell height, a semi-bold weight) unless the user changes them.
class CTextPropertyPage : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinFontSize = 6;
    static constexpr int kMaxFontSize = 72;

    struct Attributes {
        LOGFONT font{};
        unsigned format = 0;
        COLORREF textColor = 0;
        COLORREF backColor = 0;
        bool opaque = false;

        bool operator==(const Attributes&) const = default;
    };

    enum Options : unsigned {
        kFontAndColors = 0,
        kAlignment = 1,  // the format's left/centre/right choice
        kOpaque = 2,     // the "Opaque background" choice
    };

    CTextPropertyPage(const Attributes& attributes, unsigned options, const ColorChooser& chooser,
                      QWidget* parent);

    Attributes GetAttributes() const;

private:
    void AddFontRows(QFormLayout* form);
    LOGFONT GetLogFont() const;
    unsigned GetFormat() const;

    Attributes m_original;
    QComboBox* m_pFace = nullptr;
    QSpinBox* m_pSize = nullptr;
    QCheckBox* m_pBold = nullptr;
    QCheckBox* m_pItalic = nullptr;
    QComboBox* m_pAlignment = nullptr;
    CColorButton* m_pTextColor = nullptr;
    CColorButton* m_pBackColor = nullptr;
    QCheckBox* m_pOpaque = nullptr;
};
