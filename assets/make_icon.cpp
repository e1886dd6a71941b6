// Draws Quiltra's desktop icon: the title panel's own 16 x 16 emblem, taken from the
// control itself so the icon cannot drift from what the window shows, enlarged by whole
// multiples pixel for pixel so every edge stays sharp at the hicolor theme's sizes.
// Run: QT_QPA_PLATFORM=offscreen make_icon <output folder>
// writes quiltra-<N>.png for each size.

#include "controls/elpanel.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTextStream>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: make_icon <output folder>\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    elpanel panel;
    const QImage emblem = *panel.get_icon_hdc();
    if (emblem.size() != QSize(16, 16)) {
        err << "the title panel's emblem is " << emblem.width() << "x" << emblem.height()
            << ", not 16x16; the icon sizes below assume it\n";
        return 1;
    }
    for (const int size : {16, 32, 48, 64, 128}) {
        const QImage icon = emblem.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                                .convertToFormat(QImage::Format_RGB888);
        const QString file = out.filePath(QStringLiteral("quiltra-%1.png").arg(size));
        if (!icon.save(file, "PNG")) {
            err << "cannot write " << QDir::toNativeSeparators(file) << "\n";
            return 1;
        }
    }
    return 0;
}
