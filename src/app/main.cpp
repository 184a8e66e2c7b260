// KESTREL: the engineering tool of the Varex controllers.
#include <QApplication>

#include "app/ConfApp.h"
#include "comm/AppSettings.h"
#include "platform/MessageBox.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("KESTREL Plus");
    QApplication::setOrganizationName("Torv");
    CConfApp app(std::make_unique<CAppSettings>());
    const QStringList arguments = QApplication::arguments();
    const std::string file = arguments.size() > 1 ? arguments.at(1).toStdString() : std::string();
    if (!app.InitInstance(file)) {
        return app.ExitInstance();
    }
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
