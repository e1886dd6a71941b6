#pragma once

#include "common/testfiles.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

// A temporary game installation, as every test that works on a game needs one: Half-Life/hl.exe
// and the four games' resource/background folders, and room beside it for pictures, archives and
// a program folder.
class FakeGame
{
public:
    FakeGame()
    {
        for (const char *game : {"cstrike", "cz", "dod", "valve"})
            QDir().mkpath(resource(game) + "/background");
        WriteBytes(exe(), {});
    }
    // A path in the temporary folder.
    QString at(const QString &relative) const { return m_dir.filePath(relative); }
    QString install() const { return at("Half-Life"); }
    QString exe() const { return at("Half-Life/hl.exe"); }
    // A game's resource folder ("cstrike", "cz", "dod", "valve", or an addon twin), or `name` in it.
    QString resource(const QString &game = "cstrike", const QString &name = {}) const
    {
        return install() + '/' + game + "/resource" + (name.isEmpty() ? QString() : '/' + name);
    }

private:
    QTemporaryDir m_dir;
};

// A picture every pixel of which differs from its neighbours and from those of another
// `variant`, so a flip, a swap of channels or a shifted tile shows.
inline QImage TestPicture(const QSize &size, quint32 variant = 0)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(x * 255 / size.width(), y * 255 / size.height(), (x * 7 + y * 13 + variant * 31) % 251);
    }
    return picture;
}
