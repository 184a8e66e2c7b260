#include "BlockDialogShots.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include "ShotSaver.h"
#include "app/AppMessageBox.h"
#include "app/MainFrame.h"
#include "document/ConfDoc.h"
#include "editing/ui/BlockListPanel.h"
#include "editing/ui/FunctionBlockDlg.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/TabParamList.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "platform/MessageBox.h"
#include "vexilla/ListCtrlEx.h"
#include "vexilla/MessageBoxEx.h"

namespace {

bool SavePages(CFunctionBlockDlg& dialog, const QString& stem) {
    bool ok = true;
    auto* tabs = dialog.findChild<QTabWidget*>("tabs");
    const char* const names[] = {"link", "conf", "adj", "outputs"};
    for (int page = 0; tabs != nullptr && page < tabs->count() && page < 4; ++page) {
        tabs->setCurrentIndex(page);
        ok = SaveShot(dialog, stem + names[page] + ".png") && ok;
    }
    tabs->setCurrentIndex(0);
    return ok;
}

bool SaveOpenDropDown(CFunctionBlockDlg& dialog, const QString& path) {
    CListCtrlEx& list = dialog.GetPage(PARAM_LINK)->List();
    if (!list.EditCell(0, 1)) {
        return false;
    }
    auto* combo = qobject_cast<QComboBox*>(list.GetEditor());
    if (combo == nullptr) {
        return false;
    }
    combo->showPopup();
    QApplication::processEvents();
    const bool ok = SaveShot(*combo->view()->window(), path);
    combo->hidePopup();
    list.CancelEdit();
    return ok;
}

// The real refusal: a value typed out of range and Enter, the program's box
// answered once it is pictured.
bool SaveOutOfRange(CFunctionBlockDlg& dialog, const QString& path) {
    MessageBoxHandler previous = SetMessageBoxHandler(nullptr);
    CAppMessageBox::Install(&dialog);
    auto* tabs = dialog.findChild<QTabWidget*>("tabs");
    tabs->setCurrentIndex(PARAM_CONF);
    CListCtrlEx& list = dialog.GetPage(PARAM_CONF)->List();
    int row = 0;
    for (int r = 0; r < list.GetItemCount(); ++r) {
        if (list.GetItemText(r, 0).trimmed() == "CARU") {
            row = r;
        }
    }
    if (!list.EditCell(row, 1)) {
        return false;
    }
    auto* edit = qobject_cast<QLineEdit*>(list.GetEditor());
    if (edit == nullptr) {
        return false;
    }
    edit->setText("103");
    bool saved = false;
    QTimer::singleShot(50, [&] {
        if (auto* box = dynamic_cast<CMessageBoxEx*>(QApplication::activeModalWidget())) {
            saved = SaveShot(*box, path);
            box->EndDialog(box->GetDefaultButton());
        }
    });
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    list.CancelEdit();
    SetMessageBoxHandler(std::move(previous));
    return saved;
}

}  // namespace

bool SaveBlockDialogShots(CMainFrame& frame, const QString& folder) {
    CConfDoc* document = frame.GetActiveDocument();
    CLoopView* view = frame.GetActiveLoopView();
    const CBlock* block = document != nullptr ? document->FindBlockByNumber(39) : nullptr;
    if (view == nullptr || block == nullptr) {
        return false;
    }
    bool ok = true;
    {
        CFunctionBlockDlg dialog(*document, *block, &frame);
        dialog.show();
        ok = SavePages(dialog, folder + "/block-dialog-") && ok;
        ok = SaveOpenDropDown(dialog, folder + "/block-dialog-link-list.png") && ok;
        ok = SaveOutOfRange(dialog, folder + "/block-dialog-out-of-range.png") && ok;
    }
    {
        CFunctionBlockDlg dialog(*document, &frame);
        dialog.show();
        ok = SaveShot(dialog, folder + "/block-dialog-functions.png") && ok;
    }
    if (auto* dock = frame.findChild<QDockWidget*>("blockListDock")) {
        dock->show();
        frame.UpdateCommands();
        QApplication::processEvents();
        ok = SaveShot(frame, folder + "/block-list-panel.png") && ok;
        dock->hide();
    }
    return ok;
}
