#include "mainwindow.h"
#include "qtuserinteraction.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quiltra"));

    QtUserInteraction interaction;
    Main window(&interaction, QCoreApplication::applicationDirPath(),
                QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    interaction.setOwner(&window);
    window.show();
    return app.exec();
}
