#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QList>
#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <tuple>

// The bytes of `path`, or "<unreadable>" when it cannot be read.
inline QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Writes `bytes` to `path` directly, as a test prepares a file.
inline bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Every file below `folder`, hidden ones included, with its bytes.
inline QMap<QString, QByteArray> Snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        files[path] = ReadBytes(path);
    }
    return files;
}

// A TGA header of `type` announcing `w` x `h` pixels of `bits`, then the image ID `id`.
inline QByteArray TgaHeader(int type, int w, int h, int bits, int descriptor = 0, const QByteArray &id = {})
{
    const char bytes[18] = {char(id.size()), 0, char(type), 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            char(w & 0xff), char(w >> 8), char(h & 0xff), char(h >> 8), char(bits), char(descriptor)};
    return QByteArray(bytes, 18) + id;
}

// TGA pixels as stored: blue, green, red, then `alpha` at 32 bits.
inline QByteArray TgaPixels(const QList<QRgb> &pixels, int bits = 24, int alpha = 0xff)
{
    QByteArray bytes;
    for (QRgb p : pixels)
        bytes.append(char(qBlue(p)))
            .append(char(qGreen(p)))
            .append(char(qRed(p)))
            .append(bits == 32 ? QByteArray(1, char(alpha)) : "");
    return bytes;
}

// A picture (Format_RGB32) `w` pixels wide of `pixels`, top row first.
inline QImage PictureOf(int w, const QList<QRgb> &pixels)
{
    QImage image(w, int(pixels.size()) / w, QImage::Format_RGB32);
    for (int i = 0; i < pixels.size(); ++i)
        image.setPixel(i % w, i / w, 0xff000000u | pixels[i]);
    return image;
}

// Takes `room` bytes, then refuses the rest the way a full disk does: with `reason` as its
// error and -1, or, without a reason, by taking nothing and saying nothing.
class LimitedDevice : public QBuffer
{
public:
    explicit LimitedDevice(qint64 room, const QString &reason = QStringLiteral("No space left on device"))
        : m_room(room), m_reason(reason)
    {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 writeData(const char *data, qint64 length) override
    {
        const qint64 n = qMin(length, m_room - pos());
        if (n > 0)
            return QBuffer::writeData(data, n);
        if (m_reason.isEmpty())
            return 0;
        setErrorString(m_reason);
        return -1;
    }

private:
    qint64 m_room;
    QString m_reason;
};

// A fresh temporary folder as the current one, for tests that work where they stand; each call
// leaves the last one, which goes.
struct FreshFolder
{
    std::optional<QTemporaryDir> dir;
    bool enter() { return dir.emplace().isValid() && QDir::setCurrent(dir->path()); }
};

// Declares a data table's columns: columns<QString, int>("kind", "index").
template <typename... T>
void columns(auto... names)
{
    (QTest::addColumn<T>(names), ...);
}

// The running row's values, as QFETCH reads each: const auto [kind, index] = fetch<QString, int>("kind", "index").
template <typename... T>
std::tuple<T...> fetch(auto... names)
{
    return {*static_cast<T *>(QTest::qData(names, qMetaTypeId<T>()))...};
}
