#include "vexilla/MessageBoxEx.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace {

CMessageBoxEx::StringLoader& Loader() {
    static CMessageBoxEx::StringLoader loader;
    return loader;
}

Qt::Alignment AlignmentOf(int style) {
    switch (style) {
        case CMessageBoxEx::kAlignCenter:
            return Qt::AlignHCenter | Qt::AlignTop;
        case CMessageBoxEx::kAlignRight:
            return Qt::AlignRight | Qt::AlignTop;
        default:
            return Qt::AlignLeft | Qt::AlignTop;
    }
}

bool IsRtf(const QString& text) {
    return text.startsWith(QStringLiteral("{\\rtf"));
}

}  // namespace

CMessageBoxEx::StringLoader CMessageBoxEx::SetStringLoader(StringLoader loader) {
    StringLoader previous = std::move(Loader());
    Loader() = std::move(loader);
    return previous;
}

CMessageBoxEx::CMessageBoxEx(QWidget* parent, int withCaption)
    : QDialog(parent),
      m_withCaption(withCaption != 0),
      m_title(QCoreApplication::applicationName()) {}

CMessageBoxEx::~CMessageBoxEx() = default;

QString CMessageBoxEx::LoadText(int stringId) const {
    return Loader() ? Loader()(stringId) : QString();
}

bool CMessageBoxEx::SetMsg(const QString& message, int style) {
    m_message = message;
    m_messageStyle = style;
    return true;
}

bool CMessageBoxEx::SetMsg(int stringId, int style) {
    const QString text = LoadText(stringId);
    if (text.isEmpty()) {
        return false;
    }
    return SetMsg(text, style);
}

void CMessageBoxEx::SetStandardIcon(int iconId) {
    QStyle::StandardPixmap pixmap;
    switch (iconId) {
        case kIconHand:
            pixmap = QStyle::SP_MessageBoxCritical;
            break;
        case kIconQuestion:
            pixmap = QStyle::SP_MessageBoxQuestion;
            break;
        case kIconExclamation:
            pixmap = QStyle::SP_MessageBoxWarning;
            break;
        case kIconAsterisk:
            pixmap = QStyle::SP_MessageBoxInformation;
            break;
        default:
            m_icon = QIcon();
            return;
    }
    m_icon = style()->standardIcon(pixmap, nullptr, this);
}

void CMessageBoxEx::AddButton(int id, bool isDefault, int value, bool isEscape,
                              const QString& text) {
    m_buttons.push_back({id, value, text, nullptr});
    if (isDefault) {
        m_defaultId = id;
    }
    if (isEscape) {
        m_escapeId = id;
    }
}

void CMessageBoxEx::AddButton(int id, bool isDefault, int value, bool isEscape, int stringId) {
    AddButton(id, isDefault, value, isEscape, LoadText(stringId == -1 ? id : stringId));
}

void CMessageBoxEx::AddProgressBar(int minimum, int maximum, int borderWidth, int colorKind,
                                   int style) {
    m_hasBar = true;
    m_barMinimum = minimum;
    m_barMaximum = maximum;
    m_barBorder = borderWidth;
    m_barColorKind = colorKind;
    m_barStyle = style;
    m_barPosition = minimum;
}

void CMessageBoxEx::SetPBPosition(int position) {
    if (!m_hasBar || position <= m_barMinimum || position > m_barMaximum) {
        return;
    }
    m_barPosition = position;
    if (m_bar) {
        m_bar->setValue(position);
        if (isVisible()) {
            m_bar->repaint();
        }
    }
}

int CMessageBoxEx::GetButtonValue(int id) const {
    for (const Button& button : m_buttons) {
        if (button.id == id) {
            return button.value;
        }
    }
    return 0;
}

QPushButton* CMessageBoxEx::GetButton(int id) const {
    for (const Button& button : m_buttons) {
        if (button.id == id) {
            return button.control;
        }
    }
    return nullptr;
}

QString CMessageBoxEx::GetShownText() const {
    return m_rtf && IsRtf(m_message) ? PlainTextOfRtf(m_message) : m_message;
}

QSize CMessageBoxEx::MeasureMessage(const QString& text) const {
    QTextDocument document;
    document.setDefaultFont(font());
    document.setDocumentMargin(0);
    QTextOption option(AlignmentOf(m_messageStyle));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setPlainText(text);
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    return CMessageBoxLayout::FitMessage(screenWidth, [&document](int width) {
        document.setTextWidth(width);
        return static_cast<int>(std::ceil(document.size().height()));
    });
}

bool CMessageBoxEx::Build() {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if (m_withCaption) {
        flags |= Qt::WindowTitleHint;
        setWindowTitle(m_title);
    }
    // Only a box that an escape button can end offers a close box.
    if (m_escapeId != -1) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    setWindowFlags(flags);

    const QFontMetrics metrics(font());
    m_layout.SetFontMeasures(metrics.horizontalAdvance(QStringLiteral(
                                 "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
                             metrics.height());

    delete m_messageLabel;
    delete m_iconLabel;
    delete m_bar;
    m_iconLabel = nullptr;
    m_bar = nullptr;

    const QString shown = GetShownText();
    m_messageSize = MeasureMessage(shown);
    m_messageLabel = new QLabel(this);
    m_messageLabel->setTextFormat(Qt::PlainText);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setAlignment(AlignmentOf(m_messageStyle));
    m_messageLabel->setText(shown);

    m_iconSize = QSize();
    if (!m_icon.isNull()) {
        const int extent = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        m_iconSize = QSize(extent, extent);
        m_iconLabel = new QLabel(this);
        m_iconLabel->setPixmap(m_icon.pixmap(m_iconSize));
    }

    QSize largestText;
    for (const Button& button : m_buttons) {
        largestText =
            largestText.expandedTo(QSize(metrics.horizontalAdvance(button.text), metrics.height()));
    }
    m_buttonSize = m_layout.ButtonSize(largestText);
    for (Button& button : m_buttons) {
        delete button.control;
        button.control = new QPushButton(button.text, this);
        button.control->setAutoDefault(false);
        button.control->installEventFilter(this);
        const int id = button.id;
        connect(button.control, &QPushButton::clicked, this, [this, id] { EndDialog(id); });
    }

    if (m_hasBar) {
        m_bar = new QProgressBar(this);
        m_bar->setTextVisible(false);
        m_bar->setRange(m_barMinimum, m_barMaximum);
        m_bar->setValue(m_barPosition);
        // Every colour kind draws dark blue on white; the gradient kinds are not offered.
        m_bar->setStyleSheet(QStringLiteral("QProgressBar { border: %1px solid black; "
                                            "background: white; } "
                                            "QProgressBar::chunk { background: rgb(0, 0, 127); }")
                                 .arg(std::max(0, m_barBorder)));
    }

    Arrange();

    if (QPushButton* button = GetButton(m_defaultId)) {
        button->setDefault(true);
        button->setFocus();
    }
    return true;
}

void CMessageBoxEx::Arrange() {
    const int barHeight =
        m_hasBar ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) * 12 / 10 : -1;
    const CMessageBoxLayout::Placement placement = m_layout.Arrange(
        m_messageSize, m_iconSize, m_buttonSize, static_cast<int>(m_buttons.size()), barHeight);
    setFixedSize(placement.client);
    if (m_iconLabel) {
        m_iconLabel->setGeometry(placement.icon);
    }
    m_messageLabel->setGeometry(placement.message);
    if (m_bar) {
        m_bar->setGeometry(placement.bar);
    }
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i].control->setGeometry(placement.buttons[i]);
    }

    QRect around;
    if (parentWidget()) {
        around = parentWidget()->window()->frameGeometry();
    } else if (const QScreen* screen = this->screen()) {
        around = screen->availableGeometry();
    }
    if (around.isValid()) {
        move(around.center() - QPoint(placement.client.width() / 2, placement.client.height() / 2));
    }
}

int CMessageBoxEx::DoModal() {
    if (m_running || !Build()) {
        return -1;
    }
    m_running = true;
    m_result = -1;
    exec();
    m_running = false;
    return m_result;
}

bool CMessageBoxEx::DoModeless() {
    if (m_running || !Build()) {
        return false;
    }
    m_running = true;
    m_result = -1;
    show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
}

void CMessageBoxEx::EndDialog(int id) {
    m_result = id;
    m_running = false;
    done(id);
    DestroyButtons();
    if (QWidget* parent = parentWidget()) {
        parent->activateWindow();
        parent->setFocus();
    }
}

void CMessageBoxEx::DestroyButtons() {
    for (Button& button : m_buttons) {
        if (button.control) {
            // A button may be ending the box from its own click.
            button.control->removeEventFilter(this);
            button.control->deleteLater();
            button.control = nullptr;
        }
    }
}

bool CMessageBoxEx::HandleKey(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        QWidget* focused = focusWidget();
        for (Button& button : m_buttons) {
            if (button.control && button.control == focused) {
                button.control->setDefault(true);
                m_defaultId = button.id;
                EndDialog(button.id);
                return true;
            }
        }
        if (m_defaultId != -1) {
            EndDialog(m_defaultId);
        }
        return true;
    }
    const bool ctrlBreak = (key == Qt::Key_Pause && (event->modifiers() & Qt::ControlModifier)) ||
                           key == Qt::Key_Cancel;
    if (key == Qt::Key_Escape || ctrlBreak) {
        if (m_escapeId != -1) {
            EndDialog(m_escapeId);
        }
        return true;
    }
    return false;
}

bool CMessageBoxEx::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CMessageBoxEx::keyPressEvent(QKeyEvent* event) {
    if (!HandleKey(event)) {
        QDialog::keyPressEvent(event);
    }
}

void CMessageBoxEx::closeEvent(QCloseEvent* event) {
    if (!m_running) {
        event->accept();
    } else if (m_escapeId != -1) {
        EndDialog(m_escapeId);
        event->accept();
    } else {
        event->ignore();
    }
}

void CMessageBoxEx::reject() {
    if (m_escapeId != -1) {
        EndDialog(m_escapeId);
    }
}

QString CMessageBoxEx::PlainTextOfRtf(const QString& rtf) {
    static const QStringList kSkippedDestinations = {
        QStringLiteral("fonttbl"), QStringLiteral("colortbl"), QStringLiteral("stylesheet"),
        QStringLiteral("info"),    QStringLiteral("pict"),     QStringLiteral("header"),
        QStringLiteral("footer"),  QStringLiteral("object")};
    QString text;
    std::vector<bool> groups;
    bool skip = false;
    int fallbackToSkip = 0;  // characters standing in for a \u character
    const int length = static_cast<int>(rtf.size());
    auto put = [&](QChar c) {
        if (fallbackToSkip > 0) {
            --fallbackToSkip;
        } else if (!skip) {
            text += c;
        }
    };
    for (int i = 0; i < length; ++i) {
        const QChar c = rtf[i];
        if (c == u'{') {
            groups.push_back(skip);
        } else if (c == u'}') {
            if (!groups.empty()) {
                skip = groups.back();
                groups.pop_back();
            }
        } else if (c == u'\r' || c == u'\n') {
            continue;
        } else if (c != u'\\') {
            put(c);
        } else if (i + 1 < length) {
            const QChar next = rtf[++i];
            if (next == u'\\' || next == u'{' || next == u'}') {
                put(next);
            } else if (next == u'\'') {
                bool ok = false;
                const int code = rtf.mid(i + 1, 2).toInt(&ok, 16);
                i += 2;
                if (ok) {
                    put(QChar::fromLatin1(static_cast<char>(code)));
                }
            } else if (next == u'*') {
                skip = true;
            } else if (next == u'~') {
                put(u' ');
            } else if (next.isLetter()) {
                int end = i;
                while (end < length && rtf[end].isLetter()) {
                    ++end;
                }
                const QString word = rtf.mid(i, end - i);
                int paramEnd = end;
                if (paramEnd < length && rtf[paramEnd] == u'-') {
                    ++paramEnd;
                }
                while (paramEnd < length && rtf[paramEnd].isDigit()) {
                    ++paramEnd;
                }
                const int parameter = rtf.mid(end, paramEnd - end).toInt();
                i = paramEnd;
                if (i >= length || rtf[i] != u' ') {
                    --i;  // the delimiter belongs to the text
                }
                if (kSkippedDestinations.contains(word)) {
                    skip = true;
                } else if (word == u"par" || word == u"line") {
                    put(u'\n');
                } else if (word == u"tab") {
                    put(u'\t');
                } else if (word == u"u") {
                    put(QChar(static_cast<char16_t>(parameter)));
                    fallbackToSkip = 1;
                }
            }
        }
    }
    while (text.endsWith(u'\n')) {
        text.chop(1);
    }
    return text;
}
