#pragma once

#include <QWidget>
#include <functional>
#include <string>

class CConfDoc;
class CLoopView;
class QTabBar;

// The window of one open document: a tab per loop above the loop view. Choosing
// a tab makes its loop the document's current loop.
class CTabChildFrame : public QWidget {
    Q_OBJECT

public:
    explicit CTabChildFrame(CConfDoc& document, QWidget* parent = nullptr);
    ~CTabChildFrame() override;
    CTabChildFrame(const CTabChildFrame&) = delete;
    CTabChildFrame& operator=(const CTabChildFrame&) = delete;

    // " Loop 3: NAME", and " Loop G: NAME" for the general (fifth) loop; a new
    // document's default loops are labelled in capitals.
    static std::string TabText(int loopNumber, const std::string& name, bool defaultLoops = false);

    QTabBar* GetTabBar() const { return m_pTabs; }
    CLoopView* GetLoopView() const { return m_pView; }
    // Reads the loop names into the tab texts again (after a loop was renamed).
    void RefreshTabTexts();
    // Renames a loop with what the user typed: upper-cased and trimmed; an
    // empty name or one another loop has changes nothing. Renaming the general
    // loop asks first and renames the configuration too. True when renamed.
    bool RenameLoop(int loopNumber, const std::string& typed);
    // Double-click on a tab: asks for the loop's new name.
    void AskLoopName(int loopNumber);
    // Called after a loop was renamed (the document's name and path change with
    // the general loop's).
    void SetNamesChangedCallback(std::function<void()> callback) {
        m_namesChanged = std::move(callback);
    }

private:
    // Makes the five tabs; a document without loops gets its default loops.
    void FillTabs();
    void OnTabChanged(int index);
    // Follows a loop made current elsewhere.
    void SyncCurrentTab();

    CConfDoc& m_document;
    QTabBar* m_pTabs = nullptr;
    CLoopView* m_pView = nullptr;
    int m_nCurrentTab = -1;
    bool m_bDefaultLoops = false;
    std::function<void()> m_namesChanged;
};
