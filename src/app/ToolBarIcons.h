#pragma once

#include <QIcon>

// The pictures of the main tool bar's buttons, drawn by the program itself.
class CToolBarIcons {
public:
    static QIcon New();
    static QIcon Open();
    static QIcon Save();
    static QIcon Online();
};
