#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QIODevice;
class WholeFileSet;

// The size of the TGA file SaveTGA writes for a picture of `width` x `height` pixels.
qint64 TgaFileSize(int width, int height);

// Stores pictures as uncompressed 24-bit TGA files: an 18-byte header, then
// the rows bottom-up, each pixel blue-green-red, no row padding, no footer.
// One object may save any number of pictures in a row.
class SaveTGA
{
public:
    // Replaces `fileName` with `surface` as TGA, only once the whole file is written.
    bool SaveTGAinFile(const QString &fileName, const QImage &surface);

    // Adds `fileName` with `surface` as TGA to `files`, to be replaced with the others.
    bool SaveTGAinFile(WholeFileSet *files, const QString &fileName, const QImage &surface);

    // Writes `surface` as TGA to an open, writable `device` in one write.
    bool SaveTGAinFile(QIODevice *device, const QImage &surface);

    // Why the last SaveTGAinFile returned false; empty after a success.
    QString errorString() const;

private:
    // The complete file, or empty with the reason in `reason` for a surface
    // that is empty or wider or higher than 32767 pixels.
    static QByteArray tgaBytes(const QImage &surface, QString *reason);

    QString m_errorString;
};
