#include "LanguageShots.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <memory>

#include "PrintShots.h"
#include "ShotSaver.h"
#include "app/ConfApp.h"
#include "app/MainFrame.h"
#include "comm/AppSettings.h"
#include "document/ConfDoc.h"
#include "editing/ui/FunctionBlockDlg.h"

namespace {

bool SaveBlockDialog(CMainFrame& frame, const QString& path) {
    CConfDoc* document = frame.GetActiveDocument();
    const CBlock* block = document != nullptr ? document->FindBlockByNumber(39) : nullptr;
    if (block == nullptr) {
        return false;
    }
    CFunctionBlockDlg dialog(*document, *block, &frame);
    dialog.show();
    if (auto* tabs = dialog.findChild<QTabWidget*>("tabs")) {
        tabs->setCurrentIndex(1);
    }
    return SaveShot(dialog, path);
}

}  // namespace

bool SaveLanguageShots(CMainFrame& frame, const QString& packFolder, const QString& folder) {
    // An application of its own, so that the shots leave the reviewer's
    // language setting alone.
    CConfApp app(std::make_unique<CAppSettings>((folder + "/languages.ini").toStdString()));
    app.SetResourceFolder(packFolder.toStdString());
    app.SetLanguage(CConfApp::LANG_ENGLISH, &frame);
    const struct {
        int language;
        const char* code;
    } languages[] = {{CConfApp::LANG_PORTUGUESE, "pt"},
                     {CConfApp::LANG_SPANISH, "es"},
                     {CConfApp::LANG_CHINESE, "zh"}};
    bool ok = true;
    for (const auto& language : languages) {
        app.SetLanguage(language.language, &frame);
        QApplication::processEvents();
        ok = SaveShot(frame, folder + "/main-" + language.code + ".png") && ok;
        ok = SaveBlockDialog(frame, folder + "/block-dialog-conf-" + language.code + ".png") && ok;
    }
    // Chinese printed pages need the CJK font as much as the windows do.
    if (CConfDoc* document = frame.GetActiveDocument()) {
        QDir().mkpath(folder + "/zh");
        ok = SavePrintShots(*document, folder + "/zh") && ok;
    }
    app.SetLanguage(CConfApp::LANG_ENGLISH, &frame);
    app.ExitInstance();
    return ok;
}
