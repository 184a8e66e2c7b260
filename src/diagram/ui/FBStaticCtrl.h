#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "diagram/pictures/FBIOParamDescr.h"

// The block picture of the parameter dialogs: a block type's image centred in
// the control, with its terminal names drawn beside the terminals (linked
// inputs in green). Clicking a terminal selects it.
class CFBStaticCtrl : public QWidget {
public:
    explicit CFBStaticCtrl(QWidget* parent = nullptr);

    // Loads basePath + ".ini" and basePath + ".gif" for an instance of the type;
    // a missing or broken file leaves an empty picture. strip picks the
    // "BornesP" strip texts; linkedInputs marks the inputs that are linked.
    void SetPicture(const std::string& basePath, int instance, bool strip,
                    const std::vector<bool>& linkedInputs);
    void SetBkColor(const QColor& color);
    // Live values written beside the terminals ("name=value"), inputs and
    // outputs each in their terminal order; empty lists show the names alone.
    void SetTerminalValues(std::vector<std::string> inputs, std::vector<std::string> outputs);
    // The text shown beside terminal i of the descriptor.
    std::string GetTerminalText(int i) const;
    // The selected terminal's name, empty when none.
    std::string GetSelectedParamName() const;
    const CFBIOParamDescr::CParamDescr* GetSelectedParam() const;
    const CFBIOParamDescr& GetDescriptor() const { return m_descriptor; }
    bool HasImage() const { return !m_image.isNull(); }
    // Where the image's top-left corner is drawn.
    QPoint ImageOrigin() const;

    // The folder of the pictures beside the program, and a type's base path.
    static std::string PictureFolder();
    static std::string PictureBasePath(int typeIndex);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void DrawTerminalTexts(class QPainter& painter) const;

    CFBIOParamDescr m_descriptor;
    QImage m_image;
    QColor m_background;
    int m_nSelected = -1;
    std::vector<std::string> m_inputValues;
    std::vector<std::string> m_outputValues;
};
