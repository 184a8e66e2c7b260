#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

class CLoopView;
class CMainFrame;
class CUndoRedoPopup;
class QAction;
class QKeySequence;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;

// The editing commands of the main window: the Edit and Draw menus, the undo,
// redo and clipboard buttons of the main tool bar with the undo and redo
// lists that drop down from them, and the loop view's tool boxes (drawing,
// ordering, alignment, colours, document, communication), dockable and kept
// with the bar state. Each command works on the active loop view.
class CEditCommands : public QObject {
    Q_OBJECT

public:
    explicit CEditCommands(CMainFrame& frame);
    ~CEditCommands() override;

    // The Edit and Draw menus, made again after a language change.
    void CreateMenus(QMenuBar* bar);
    void AddMainToolBarButtons(QToolBar* bar);
    void CreateToolBoxes();
    // Fills the tool boxes that show the frame's own commands (after the
    // frame's menus were made again).
    void FillFrameToolBoxes();
    // The tool boxes' titles in the current language (after a language change).
    void RetranslateToolBoxes();
    // Enables and checks the commands for the active view.
    void UpdateCommands();
    // A view tells the frame when its selection or its document changes.
    void Attach(CLoopView* view);

    // The undo (kind 0) or redo (kind 1) list under its button; the chosen
    // number of actions is undone or redone when it closes.
    void OpenUndoList(int kind);
    CUndoRedoPopup* GetOpenPopup() const { return m_pPopup; }

    // Template commands without their file dialogs.
    bool InsertTemplateFile(const std::string& path);
    bool SaveTemplateFile(const std::string& path);

private:
    QAction* Command(const QString& name, const QString& text, const QKeySequence& key,
                     std::function<void(CLoopView&)> handler);
    QAction* Find(const char* name) const;
    QToolBar* AddToolBox(const QString& name, const QString& title);
    void CreateActions();
    void SetIcons();
    void AddEditMenu(QMenuBar* bar);
    void AddDrawMenu(QMenuBar* bar);
    void ChooseTemplateToInsert(CLoopView& view);
    void ChooseTemplateToSave(CLoopView& view);
    void UndoListClosed(int kind, int count);
    QToolButton* UndoButton(int kind) const;

    CMainFrame& m_frame;
    QObject* m_pActions;
    QToolBar* m_pMainBar = nullptr;
    QToolBar* m_pDocumentBox = nullptr;
    QToolBar* m_pCommunicationBox = nullptr;
    CUndoRedoPopup* m_pPopup = nullptr;
};
