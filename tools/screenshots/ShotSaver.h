#pragma once

#include <QString>

class QWidget;

// Paints the widget and writes it as a PNG picture; says which file it wrote.
bool SaveShot(QWidget& widget, const QString& path);
