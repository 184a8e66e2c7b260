#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "document/DrawingDefaults.h"
#include "document/GeneralData.h"
#include "document/ui/ColorButton.h"
#include "platform/ColorRef.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class CConfDoc;
class CFillPropertyPage;
class CLinePropertyPage;
class CTextPropertyPage;

// "Document Properties": the drawing settings of a configuration (grid, snap,
// undo levels, paper and grid colours, working directory) on the General page,
// and the pen, brush and text attributes given to new drawing objects on the
// Line, Fill and Text pages.
//
// The sheet works on copies; Apply (or OK) writes them back. The caller keeps
// the rest of the program in step afterwards: it stores GetWorkDir() as the
// application's working directory and, when UndoLevelsChanged(), sets the
// document's undo limit to GetGeneralData().m_nUndoLevels.
class CDocumentPropertiesSheet : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMinGridSpacing = 2;
    static constexpr int kMaxGridSpacing = 100;
    static constexpr int kMinUndoLevels = 1;
    static constexpr int kMaxUndoLevels = 100;

    using ColorChooser = ::ColorChooser;
    // Asks for a folder starting from current; nothing when the user cancels.
    using FolderChooser = std::function<std::optional<std::string>(const std::string& current)>;

    // workDirFromSettings is the application's working directory; the document's
    // general data takes it before the sheet shows it.
    CDocumentPropertiesSheet(CConfDoc& document, const std::string& workDirFromSettings,
                             QWidget* parent = nullptr);

    // Stores the general data and the drawing defaults in the document, marks it
    // modified and updates its views (what OK does).
    void Apply();
    void accept() override;

    // The values as the pages show them now.
    CGeneralData GetGeneralData() const;
    CDrawingDefaults GetDrawingDefaults() const;
    // True when the undo levels differ from the document's when the sheet opened.
    bool UndoLevelsChanged() const;
    std::string GetWorkDir() const;

    // Replace the colour and folder dialogs (the defaults are the platform's).
    void SetColorChooser(ColorChooser chooser) { m_colorChooser = std::move(chooser); }
    void SetFolderChooser(FolderChooser chooser) { m_folderChooser = std::move(chooser); }

private:
    QWidget* CreateGeneralPage();
    CColorButton* AddColorButton(const char* name, COLORREF color);
    void BrowseWorkDir();

    CConfDoc& m_document;
    // What the document held when the sheet opened; fields the pages do not
    // show are carried over from here.
    CGeneralData m_general;
    CDrawingDefaults m_defaults;
    ColorChooser m_colorChooser;
    FolderChooser m_folderChooser;

    QTabWidget* m_pTabs = nullptr;
    // General.
    QCheckBox* m_pShowGrid = nullptr;
    QCheckBox* m_pSnapToGrid = nullptr;
    QSpinBox* m_pGridSpacing = nullptr;
    QSpinBox* m_pUndoLevels = nullptr;
    CColorButton* m_pPaperColor = nullptr;
    CColorButton* m_pGridColor = nullptr;
    QLineEdit* m_pWorkDir = nullptr;
    QPushButton* m_pBrowse = nullptr;
    CLinePropertyPage* m_pLinePage = nullptr;
    CFillPropertyPage* m_pFillPage = nullptr;
    CTextPropertyPage* m_pTextPage = nullptr;
};
