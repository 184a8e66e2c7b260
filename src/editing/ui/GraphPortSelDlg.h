#pragma once

#include <QDialog>
#include <string>
#include <vector>

class CBlock;
class CFBStaticCtrl;
class QComboBox;
class QDialogButtonBox;

// "Select Input/Output port": the block's picture with its terminals, where a
// click on an offered terminal picks it; the offered terminals are also in a
// list for the keyboard. OK takes the terminal shown in the list.
class CGraphPortSelDlg : public QDialog {
    Q_OBJECT

public:
    CGraphPortSelDlg(const CBlock& block, std::vector<std::string> offered,
                     QWidget* parent = nullptr);
    ~CGraphPortSelDlg() override;

    std::string GetSelectedPort() const;
    CFBStaticCtrl* GetPicture() const { return m_pPicture; }
    QComboBox* GetPortList() const { return m_pPorts; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TakePictureSelection();

    std::vector<std::string> m_offered;
    CFBStaticCtrl* m_pPicture = nullptr;
    QComboBox* m_pPorts = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;
};
