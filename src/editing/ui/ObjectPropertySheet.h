#pragma once

#include <QDialog>
#include <utility>

#include "document/ui/ColorButton.h"
#include "document/ui/TextPropertyPage.h"
#include "platform/LogBrush.h"
#include "platform/LogPen.h"

class CDrawingObject;
class CFillPropertyPage;
class CLinePropertyPage;
class CLoopEditor;
class QLabel;
class QTabWidget;

// The properties of one drawing object: "Graphic Properties" (line page, and
// the fill page for filled shapes), "Block Properties" for nodes (line, fill
// and text pages, under the block's number and name), "Link Properties" for
// links (line and text pages); a text object shows the text entry dialog.
// On OK, and only when something changed, the change goes through the view's
// commands, which record it as one undo entry.
class CObjectPropertySheet : public QDialog {
    Q_OBJECT

public:
    static constexpr unsigned IDS_BLOCK_PROPERTIES = 28823;
    static constexpr unsigned IDS_GRAPHIC_PROPERTIES = 28824;
    static constexpr unsigned IDS_LINK_PROPERTIES = 28825;

    // Shows the object's properties; true when a change was applied. Groups
    // and templates have no properties of their own.
    static bool Edit(CLoopEditor& view, CDrawingObject* object, QWidget* parent);

    CObjectPropertySheet(unsigned titleId, QWidget* parent);

    void SetHeading(const QString& heading);
    CLinePropertyPage* AddLinePage(const LOGPEN& pen);
    CFillPropertyPage* AddFillPage(const LOGBRUSH& brush);
    CTextPropertyPage* AddTextPage(const CTextPropertyPage::Attributes& attributes,
                                   unsigned options);
    void SetColorChooser(ColorChooser chooser) { m_colorChooser = std::move(chooser); }

private:
    ColorChooser m_colorChooser;
    QLabel* m_pHeading = nullptr;
    QTabWidget* m_pTabs = nullptr;
};
