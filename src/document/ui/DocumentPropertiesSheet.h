#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "document/DrawingDefaults.h"
#include "document/GeneralData.h"
#include "platform/ColorRef.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class CConfDoc;

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
public:
    static constexpr int kMinGridSpacing = 2;
    static constexpr int kMaxGridSpacing = 100;
    static constexpr int kMinUndoLevels = 1;
    static constexpr int kMaxUndoLevels = 100;
    static constexpr int kMaxPenWidth = 20;
    static constexpr int kMinFontSize = 6;
    static constexpr int kMaxFontSize = 72;

    // Asks for a colour starting from current; nothing when the user cancels.
    using ColorChooser = std::function<std::optional<COLORREF>(COLORREF current)>;
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
    class CColorButton;

    QWidget* CreateGeneralPage();
    QWidget* CreateLinePage();
    QWidget* CreateFillPage();
    QWidget* CreateTextPage();
    CColorButton* AddColorButton(const char* name, COLORREF color);
    void ChooseColor(CColorButton* button);
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
    // Line.
    QComboBox* m_pPenStyle = nullptr;
    QSpinBox* m_pPenWidth = nullptr;
    CColorButton* m_pPenColor = nullptr;
    // Fill.
    QComboBox* m_pBrushStyle = nullptr;
    QComboBox* m_pHatch = nullptr;
    CColorButton* m_pBrushColor = nullptr;
    // Text.
    QComboBox* m_pFontFace = nullptr;
    QSpinBox* m_pFontSize = nullptr;
    QCheckBox* m_pBold = nullptr;
    QCheckBox* m_pItalic = nullptr;
    CColorButton* m_pTextColor = nullptr;
    CColorButton* m_pBackColor = nullptr;
    QCheckBox* m_pOpaque = nullptr;
};
