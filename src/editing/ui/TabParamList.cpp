#include "editing/ui/TabParamList.h"

#include <cstring>

#include "editing/ParamChoices.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/ParamTextCheck.h"
#include "platform/MessageBox.h"
#include "platform/gui/GdiConvert.h"

CTabParamList::CTabParamList(int kind, const CConfiguration& configuration, CBlock& block,
                             QWidget* parent)
    : CParamListDlg(kind, configuration, parent), m_block(block) {
    List().SetEndEditHandler(
        [this](int row, int column, QString& text) { return OnEndEdit(row, column, text); });
    Refill();
}

void CTabParamList::Refill() {
    FillList(m_block);
}

bool CTabParamList::EndPendingEdit() {
    return List().EndEdit();
}

CListCtrlEx::EditVerdict CTabParamList::OnEndEdit(int row, int column, QString& text) {
    CListCtrlEx::EditVerdict verdict = CListCtrlEx::kRefuseEdit;
    if (GetKind() == kOutputs && column == ColumnOf(kUserTag)) {
        verdict = EndUserTagEdit(row, text);
    } else if (GetKind() == kLink && column == ColumnOf(kValue)) {
        verdict = EndLinkEdit(row, text);
    } else if (GetKind() != kOutputs && column == ColumnOf(kValue)) {
        verdict = EndValueEdit(row, text);
    }
    if (verdict == CListCtrlEx::kAcceptEdit) {
        m_bModified = true;
        if (m_onChange) {
            m_onChange();
        }
    }
    return verdict;
}

CListCtrlEx::EditVerdict CTabParamList::Refuse(unsigned messageId) {
    AfxMessageBox(messageId, MB_OK | MB_ICONWARNING);
    return CListCtrlEx::kKeepEditing;
}

CListCtrlEx::EditVerdict CTabParamList::EndLinkEdit(int row, QString& text) {
    const int value = CParamChoices::LinkValueOf(gdi::FromQString(text));
    const std::string stored = std::to_string(value);
    if (!m_block.IsParamTextInRange(PARAM_LINK, row, stored)) {
        return Refuse(CParamTextCheck::MessageId(CParamTextCheck::Verdict::OutOfRange));
    }
    m_block.SetParamValue(PARAM_LINK, row, stored);
    text = gdi::ToQString(m_block.GetParamText(PARAM_LINK, row));
    ShowLinkTags(row, value);
    return CListCtrlEx::kAcceptEdit;
}

CListCtrlEx::EditVerdict CTabParamList::EndValueEdit(int row, QString& text) {
    const int kind = GetKind();
    if (CParamChoices::HasOptions(m_block, kind, row)) {
        // The value of an option is its place in the list.
        const std::vector<std::string> entries = CParamChoices::OptionEntries(m_block, kind, row);
        const std::string chosen = gdi::FromQString(text);
        for (std::size_t index = 0; index < entries.size(); ++index) {
            if (entries[index] == chosen) {
                m_block.SetParamValue(kind, row, std::to_string(index));
                text = gdi::ToQString(m_block.GetParamText(kind, row));
                return CListCtrlEx::kAcceptEdit;
            }
        }
        return CListCtrlEx::kRefuseEdit;
    }
    std::string stored;
    const CParamTextCheck::Verdict verdict =
        CParamTextCheck::CheckParamText(m_block, kind, row, gdi::FromQString(text), &stored);
    if (verdict != CParamTextCheck::Verdict::Accepted) {
        return Refuse(CParamTextCheck::MessageId(verdict));
    }
    m_block.SetParamValue(kind, row, stored);
    text = gdi::ToQString(m_block.GetParamText(kind, row));
    return CListCtrlEx::kAcceptEdit;
}

std::vector<std::string> CTabParamList::ShownUserTags() const {
    std::vector<std::string> tags;
    const CListCtrlEx& list = List();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        tags.push_back(gdi::FromQString(list.GetItemText(row, ColumnOf(kUserTag))));
    }
    return tags;
}

CListCtrlEx::EditVerdict CTabParamList::EndUserTagEdit(int row, const QString& text) {
    const std::string tag = gdi::FromQString(text);
    const CParamTextCheck::Verdict verdict =
        CParamTextCheck::CheckUserTag(ShownUserTags(), static_cast<std::size_t>(row), tag);
    if (verdict != CParamTextCheck::Verdict::Accepted) {
        return Refuse(CParamTextCheck::MessageId(verdict));
    }
    m_block.SetUserTag(row, tag);
    return CListCtrlEx::kAcceptEdit;
}

// Values go over byte for byte from the block the dialog worked on: writing
// every value back through its text form would round the values the user did
// not touch (a real shown with fewer digits than it holds).
void CTabParamList::ApplyToBlock(CBlock& block) const {
    if (!m_bModified) {
        return;
    }
    if (GetKind() == kOutputs) {
        for (int i = 0; i < m_block.GetOutputCount() && i < block.GetOutputCount(); ++i) {
            block.SetUserTag(i, m_block.GetUserTag(i));
        }
        return;
    }
    const int kind = GetKind();
    for (int j = 0; j < m_block.GetParamListSize(kind) && j < block.GetParamListSize(kind); ++j) {
        const CBlockParam* edited = m_block.GetParam(kind, j);
        CBlockParam* target = block.GetParam(kind, j);
        if (edited != nullptr && target != nullptr && edited->m_cType == target->m_cType) {
            std::memcpy(target->m_value, edited->m_value, sizeof target->m_value);
        }
    }
}
