#include "ShotSaver.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

bool SaveShot(QWidget& widget, const QString& path) {
    widget.repaint();
    QApplication::processEvents();
    const bool saved = widget.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", path.toLocal8Bit().constData());
    return saved;
}
