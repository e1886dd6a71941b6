#include "app/mainwindow.h"
#include "app/qtuserinteraction.h"
#include "commands/gamelocate.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QStandardPaths>

// The controls are designed for Tahoma captions. Where the system lacks it but Wine's free
// look-alike is installed (Debian's fonts-wine), use that, so captions fit their controls as
// designed. (The close mark and the drop symbol are drawn pixel by pixel, no font needed.)
static void AddDesignFonts()
{
#ifndef Q_OS_WIN
    const QString folder = QStringLiteral("/usr/share/wine/fonts/");
    const QStringList installed = QFontDatabase::families();
    const std::pair<const char *, const char *> fonts[] = {
        {"Tahoma", "tahoma.ttf"}, {"Tahoma", "tahomabd.ttf"}};
    for (const auto &[family, file] : fonts) {
        if (!installed.contains(QLatin1String(family), Qt::CaseInsensitive))
            QFontDatabase::addApplicationFont(folder + QLatin1String(file));
    }
#endif
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quiltra"));
    AddDesignFonts();

    QtUserInteraction interaction;
    Main window(&interaction, QCoreApplication::applicationDirPath(),
                QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation), SteamFoldersHere());
    interaction.setOwner(&window);
    window.show();
    return app.exec();
}
