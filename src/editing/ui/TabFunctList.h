#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class CBlock;
class CConfiguration;
class CListCtrlEx;
class QListWidget;

// The Functions page of the block dialog: the block types that may be placed
// in the current loop and the chosen type's block numbers, those in use shown
// disabled. Choosing a free number makes the new block.
class CTabFunctList : public QWidget {
    Q_OBJECT

public:
    CTabFunctList(const CConfiguration& configuration, QWidget* parent);
    ~CTabFunctList() override;

    // The type indexes listed for a loop: LOOP G only PNT, GV, K, SCN, PRM and
    // ATU; the other loops every other type, DIT last and only on "Varex Plus".
    static std::vector<int> ListedTypes(int loopNumber, int controllerModel);

    // Called with each new block made from a free number (null when the number
    // chosen is in use).
    void SetBlockListener(std::function<void(std::unique_ptr<CBlock>)> listener) {
        m_onBlock = std::move(listener);
    }
    // Lists the types anew and chooses the last type used (or the first).
    void Refresh();
    CListCtrlEx& Functions() { return *m_pFunctions; }
    QListWidget& BlockIds() { return *m_pBlockIds; }
    // " - " joined mnemonic and display name of a type, as the list shows it.
    static QString FunctionNameOf(int typeIndex);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillFunctions();
    void OnTypeChosen(int row);
    void OnNumberChosen(int item);

    const CConfiguration& m_configuration;
    std::vector<int> m_types;
    CListCtrlEx* m_pFunctions = nullptr;
    QListWidget* m_pBlockIds = nullptr;
    std::function<void(std::unique_ptr<CBlock>)> m_onBlock;
    // The type chosen the last time the page was used, offered again first.
    static int s_lastType;
};
