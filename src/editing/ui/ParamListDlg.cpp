#include "editing/ui/ParamListDlg.h"

#include <QHeaderView>
#include <QVBoxLayout>
#include <cstring>

#include "editing/ParamChoices.h"
#include "model/Block.h"
#include "model/Configuration.h"
#include "model/ParamTextCheck.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/gui/GdiConvert.h"
#include "vexilla/ListCtrlEx.h"

namespace {

// Rows alternate with this colour (0xC7FFFD as the controls store colours).
const QColor kAltRowColor = QColor::fromRgb(0xFD, 0xFF, 0xC7);

QStringList ToQStrings(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) {
        list << gdi::ToQString(text);
    }
    return list;
}

}  // namespace

CParamListDlg::CParamListDlg(int kind, const CConfiguration& configuration, QWidget* parent)
    : QWidget(parent), m_nKind(kind), m_configuration(configuration) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pList = new CListCtrlEx(this);
    m_pList->setObjectName("params");
    m_pList->SetAltRowColor(kAltRowColor);
    layout->addWidget(m_pList);
    CreateColumns();
}

void CParamListDlg::CreateColumns() {
    switch (m_nKind) {
        case kLink:
            m_columns = {kParam, kValue, kDefaultTag, kUserTag, kDescription};
            break;
        case kOutputs:
            m_columns = {kDefaultTag, kUserTag, kDescription};
            break;
        default:
            m_columns = {kParam, kValue, kDescription};
            break;
    }
    const QStringList headings = gdi::ToQString(LoadResString(IDS_PARAM_LIST_HEADINGS)).split(';');
    const int base = fontMetrics().averageCharWidth() * 9;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const Field field = m_columns[i];
        const QString heading = field < headings.size() ? headings[field] : QString();
        int width = base;
        if (field == kValue) {
            width = base * 16 / 10;
        } else if (field == kDefaultTag) {
            width = m_nKind == kOutputs ? base * 25 / 10 : base * 16 / 10 + 25;
        } else if (field == kUserTag) {
            // A tag of 17 characters shows whole.
            width = fontMetrics().averageCharWidth() * 19;
        }
        m_pList->InsertColumn(static_cast<int>(i), heading, width);
    }
    // The last column takes the width that is left.
    m_pList->horizontalHeader()->setStretchLastSection(true);
}

int CParamListDlg::ColumnOf(Field field) const {
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i] == field) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CParamListDlg::FillList(const CBlock& block) {
    m_pList->CancelEdit();
    m_pList->DeleteAllItems();
    if (m_nKind == kOutputs) {
        FillOutputRows(block);
    } else {
        FillParamRows(block);
    }
    m_pList->ClearModified();
}

void CParamListDlg::FillParamRows(const CBlock& block) {
    for (int j = 0; j < block.GetParamListSize(m_nKind); ++j) {
        const CBlockParam* param = block.GetParam(m_nKind, j);
        if (param == nullptr) {
            continue;
        }
        const auto length =
            static_cast<qsizetype>(strnlen(param->m_szMnemonic, sizeof param->m_szMnemonic));
        const int row = m_pList->InsertItem(j, QString::fromLatin1(param->m_szMnemonic, length));
        m_pList->SetItemText(row, ColumnOf(kValue), gdi::ToQString(block.GetParamText(m_nKind, j)));
        m_pList->SetItemText(row, ColumnOf(kDescription), gdi::ToQString(param->m_strDescription));
        if (m_nKind == kLink) {
            ShowLinkTags(row, block.GetLinkValue(j));
        }
        SetValueEditor(block, row);
    }
}

void CParamListDlg::FillOutputRows(const CBlock& block) {
    const int userTag = ColumnOf(kUserTag);
    for (int i = 0; i < block.GetOutputCount(); ++i) {
        const int row = m_pList->InsertItem(i, gdi::ToQString(block.GetOutputName(i)));
        m_pList->SetItemText(row, userTag, gdi::ToQString(block.GetUserTag(i)));
        if (m_bEditable) {
            m_pList->SetCellEditStyle(row, userTag, CListCtrlEx::kEdit);
            m_pList->SetCellLimit(row, userTag, static_cast<int>(CParamTextCheck::kMaxUserTag));
            m_pList->SetCellInvalidChars(row, userTag,
                                         gdi::ToQString(CParamTextCheck::TagRefusedChars()));
        }
    }
}

void CParamListDlg::SetValueEditor(const CBlock& block, int row) {
    const int value = ColumnOf(kValue);
    if (!m_bEditable) {
        return;
    }
    if (m_nKind == kLink) {
        m_pList->SetCellEditStyle(row, value, CListCtrlEx::kDropDownList);
        m_pList->SetCellDropDown(row, value,
                                 ToQStrings(CParamChoices::LinkEntries(m_configuration)));
        return;
    }
    const std::vector<std::string> options = CParamChoices::OptionEntries(block, m_nKind, row);
    if (!options.empty()) {
        m_pList->SetCellEditStyle(row, value, CListCtrlEx::kDropDownList);
        m_pList->SetCellDropDown(row, value, ToQStrings(options));
        return;
    }
    const char letter = block.GetParam(m_nKind, row)->m_cType;
    if (letter == 'M' || letter == 'S') {
        m_pList->SetCellEditStyle(row, value, CListCtrlEx::kEdit);
        m_pList->SetCellLimit(
            row, value,
            letter == 'M' ? CParamTextCheck::kMEditLimit : CParamTextCheck::kSEditLimit);
        m_pList->SetCellInvalidChars(row, value,
                                     gdi::ToQString(CParamTextCheck::TextRefusedChars()));
        return;
    }
    m_pList->SetCellEditStyle(row, value, CListCtrlEx::kNumericEdit);
}

void CParamListDlg::ShowLinkTags(int row, int address) {
    QString name;
    QString tag;
    if (address > 0) {
        if (const CBlock* source = m_configuration.FindBlockByOutput(address)) {
            name = gdi::ToQString(source->GetOutputNameByAddress(address));
            tag = gdi::ToQString(source->GetUserTagByAddress(address));
        }
    }
    m_pList->SetItemText(row, ColumnOf(kDefaultTag), name);
    m_pList->SetItemText(row, ColumnOf(kUserTag), tag);
}
