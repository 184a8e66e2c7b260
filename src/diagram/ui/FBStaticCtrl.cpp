#include "diagram/ui/FBStaticCtrl.h"

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "model/BlockTypeTable.h"

namespace {

const QColor kLinkedInput(0, 100, 10);
constexpr int kTerminalGap = 3;

QRect ToQRect(const CRect& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

}  // namespace

CFBStaticCtrl::CFBStaticCtrl(QWidget* parent)
    : QWidget(parent), m_background(palette().color(QPalette::Button)) {}

std::string CFBStaticCtrl::PictureFolder() {
    if (const char* folder = std::getenv("KESTREL_BLOCK_PICTURES")) {
        return folder;
    }
    const QString beside = QCoreApplication::applicationDirPath() + "/Block Support/Functions";
    return QDir(beside).exists() ? beside.toStdString() : std::string();
}

std::string CFBStaticCtrl::PictureBasePath(int typeIndex) {
    return PictureFolder() + "/" + GetBlockTypeCode(typeIndex);
}

void CFBStaticCtrl::SetPicture(const std::string& basePath, int instance, bool strip,
                               const std::vector<bool>& linkedInputs) {
    m_descriptor.Load(basePath + ".ini", instance, strip, linkedInputs);
    m_image = QImage(QString::fromStdString(basePath + ".gif"));
    m_nSelected = -1;
    updateGeometry();
    update();
}

void CFBStaticCtrl::SetBkColor(const QColor& color) {
    m_background = color;
    update();
}

const CFBIOParamDescr::CParamDescr* CFBStaticCtrl::GetSelectedParam() const {
    return m_descriptor.GetParam(m_nSelected);
}

std::string CFBStaticCtrl::GetSelectedParamName() const {
    const CFBIOParamDescr::CParamDescr* param = GetSelectedParam();
    return param ? param->m_strName : std::string();
}

QPoint CFBStaticCtrl::ImageOrigin() const {
    const int x = std::abs(width() - m_image.width()) / 2;
    const int y = std::abs(height() - m_image.height()) / 2 + 1;
    return QPoint(std::max(0, x), std::max(0, y));
}

QSize CFBStaticCtrl::sizeHint() const {
    return m_image.isNull() ? QSize(200, 150) : m_image.size() + QSize(4, 4);
}

void CFBStaticCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    if (m_image.isNull()) {
        return;
    }
    painter.drawImage(ImageOrigin(), m_image);
    DrawTerminalTexts(painter);
    if (const CFBIOParamDescr::CParamDescr* selected = GetSelectedParam()) {
        painter.setPen(QPen(Qt::blue, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(ToQRect(selected->m_rect).translated(ImageOrigin()));
    }
}

void CFBStaticCtrl::DrawTerminalTexts(QPainter& painter) const {
    QFont font = this->font();
    // Terminal names are a little smaller than the dialog's own text.
    const int parentHeight = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
    font.setPixelSize(std::max(7, (parentHeight - 1) * 4 / 5));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (int i = 0; i < m_descriptor.GetCount(); ++i) {
        const CFBIOParamDescr::CParamDescr* param = m_descriptor.GetParam(i);
        if (param == nullptr || param->m_nSide == 0) {
            continue;
        }
        const QRect area = ToQRect(param->m_rect).translated(ImageOrigin());
        const QString text = QString::fromLatin1(GetTerminalText(i).c_str());
        const int textWidth = metrics.horizontalAdvance(text);
        const bool input = param->m_nSide == CFBIOParamDescr::CParamDescr::kSideInput;
        const QRect box =
            input ? QRect(area.left() - kTerminalGap - textWidth, area.top(), textWidth,
                          area.height())
                  : QRect(area.right() + kTerminalGap, area.top(), textWidth, area.height());
        painter.setPen(input && param->m_bFlag ? kLinkedInput : Qt::black);
        painter.drawText(box, (input ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, text);
    }
}

void CFBStaticCtrl::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint() - ImageOrigin();
    m_nSelected = -1;
    for (int i = 0; i < m_descriptor.GetCount(); ++i) {
        const CFBIOParamDescr::CParamDescr* param = m_descriptor.GetParam(i);
        if (param != nullptr && param->m_nSide != 0 && ToQRect(param->m_rect).contains(point)) {
            m_nSelected = i;
            break;
        }
    }
    update();
}

void CFBStaticCtrl::SetTerminalValues(std::vector<std::string> inputs,
                                      std::vector<std::string> outputs) {
    m_inputValues = std::move(inputs);
    m_outputValues = std::move(outputs);
    update();
}

std::string CFBStaticCtrl::GetTerminalText(int i) const {
    const CFBIOParamDescr::CParamDescr* param = m_descriptor.GetParam(i);
    if (param == nullptr) {
        return {};
    }
    // The terminal's place among the inputs or the outputs.
    int place = 0;
    for (int k = 0; k < i; ++k) {
        const CFBIOParamDescr::CParamDescr* before = m_descriptor.GetParam(k);
        place += before != nullptr && before->m_nSide == param->m_nSide ? 1 : 0;
    }
    const bool input = param->m_nSide == CFBIOParamDescr::CParamDescr::kSideInput;
    const std::vector<std::string>& values = input ? m_inputValues : m_outputValues;
    if (param->m_nSide == 0 || place >= static_cast<int>(values.size())) {
        return param->m_strText;
    }
    return param->m_strText + "=" + values[place];
}
