#include "editing/ui/GraphPortSelDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "diagram/ui/FBStaticCtrl.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"

CGraphPortSelDlg::CGraphPortSelDlg(const CBlock& block, std::vector<std::string> offered,
                                   QWidget* parent)
    : QDialog(parent), m_offered(std::move(offered)) {
    setWindowTitle(tr("Select Input/Output port"));
    auto* layout = new QVBoxLayout(this);
    m_pPicture = new CFBStaticCtrl(this);
    m_pPicture->setObjectName("picture");
    std::vector<bool> linked;
    for (int j = 0; j < block.GetParamListSize(PARAM_LINK); ++j) {
        linked.push_back(block.GetLinkValue(j) != 0);
    }
    m_pPicture->SetPicture(CFBStaticCtrl::PictureBasePath(block.GetTypeIndex()),
                           block.GetInstance(), false, linked);
    m_pPicture->installEventFilter(this);
    layout->addWidget(m_pPicture, 1);

    auto* form = new QFormLayout;
    m_pPorts = new QComboBox(this);
    m_pPorts->setObjectName("ports");
    for (const std::string& port : m_offered) {
        m_pPorts->addItem(QString::fromStdString(port));
    }
    auto* caption = new QLabel(tr("&Terminal:"), this);
    caption->setBuddy(m_pPorts);
    form->addRow(caption, m_pPorts);
    layout->addLayout(form);

    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pButtons->button(QDialogButtonBox::Ok)->setEnabled(!m_offered.empty());
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_pButtons);
    m_pPorts->setFocus();
}

CGraphPortSelDlg::~CGraphPortSelDlg() = default;

std::string CGraphPortSelDlg::GetSelectedPort() const {
    return m_pPorts->currentIndex() < 0 ? std::string() : m_pPorts->currentText().toStdString();
}

// The picture selects on a press; a terminal that is not offered (an input
// that has its source, an output while inputs are asked for) is not taken.
bool CGraphPortSelDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pPicture && event->type() == QEvent::MouseButtonRelease) {
        TakePictureSelection();
    }
    return QDialog::eventFilter(watched, event);
}

void CGraphPortSelDlg::TakePictureSelection() {
    const std::string name = m_pPicture->GetSelectedParamName();
    const auto it = std::find(m_offered.begin(), m_offered.end(), name);
    if (it != m_offered.end()) {
        m_pPorts->setCurrentIndex(static_cast<int>(it - m_offered.begin()));
    }
}
