#include "background/tgaread.h"
#include "common/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every pixel and every channel differ, so a flipped or mirrored picture or swapped channels show.
const QList<QRgb> Top{0x112233, 0x445566, 0x778899};
const QList<QRgb> Bottom{0xaabbcc, 0xddeeff, 0x102030};

// A picture `w` wide from its pixels, top row first.
QImage picture(int w, const QList<QRgb> &pixels)
{
    QImage image(w, int(pixels.size()) / w, QImage::Format_RGB32);
    for (int i = 0; i < pixels.size(); ++i)
        image.setPixel(i % w, i / w, 0xff000000u | pixels[i]);
    return image;
}

// The 18-byte header, then the image ID.
QByteArray header(int type, int w, int h, int bits, int descriptor, const QByteArray &id = {})
{
    const char bytes[18] = {char(id.size()), 0, char(type), 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            char(w & 0xff), char(w >> 8), char(h & 0xff), char(h >> 8), char(bits), char(descriptor)};
    return QByteArray(bytes, 18) + id;
}

// The pixels as stored: blue, green, red, then alpha at 32 bits.
QByteArray px(const QList<QRgb> &pixels, int bits, int alpha = 0xff)
{
    QByteArray bytes;
    for (QRgb p : pixels) {
        bytes += char(qBlue(p)); bytes += char(qGreen(p)); bytes += char(qRed(p));
        if (bits == 32)
            bytes += char(alpha);
    }
    return bytes;
}

QByteArray patched(QByteArray bytes, int at, int value)
{
    bytes[at] = char(value);
    return bytes;
}

} // namespace

class TstTgaRead : public QObject
{
    Q_OBJECT
private slots:
    void decodes_data()
    {
        QTest::addColumn<QByteArray>("bytes"); QTest::addColumn<QImage>("expected");
        const QImage standard = picture(3, Top + Bottom);
        QTest::newRow("type 2, 24 bits, bottom row first") << header(2, 3, 2, 24, 0) + px(Bottom, 24) + px(Top, 24) << standard;
        QTest::newRow("type 2, 24 bits, top row first") << header(2, 3, 2, 24, 0x20) + px(Top, 24) + px(Bottom, 24) << standard;
        QTest::newRow("type 2, 24 bits, right to left")
            << header(2, 3, 2, 24, 0x30) + px({0x778899, 0x445566, 0x112233}, 24) + px({0x102030, 0xddeeff, 0xaabbcc}, 24) << standard;
        QTest::newRow("type 2, 32 bits, opaque, image ID and footer skipped")
            << header(2, 3, 2, 32, 0x08, "junk!") + px(Bottom, 32) + px(Top, 32) + QByteArray(8, 0) + "TRUEVISION-XFILE." + '\0'
            << standard;
        QTest::newRow("type 2, 32 bits, no alpha bits: the fourth byte ignored")
            << header(2, 3, 2, 32, 0x20) + px(Top, 32, 0) + px(Bottom, 32, 0) << standard;
        QTest::newRow("type 2, 32 bits, half transparent over black")
            << header(2, 1, 1, 32, 0x08) + px({0x40ff80}, 32, 0x80) << picture(1, {0x208040});
        QTest::newRow("type 10, 24 bits, raw packets, top row first")
            << header(10, 3, 2, 24, 0x20) + '\x02' + px(Top, 24) + '\x02' + px(Bottom, 24) << standard;
        QTest::newRow("type 10, 32 bits, a run on into the next row, bottom row first")
            << header(10, 3, 2, 32, 0x08) + '\x83' + px({0x112233}, 32) + '\x01' + px({0x445566, 0x778899}, 32)
            << picture(3, {0x112233, 0x445566, 0x778899, 0x112233, 0x112233, 0x112233});
        QTest::newRow("type 10, 24 bits, a run of 128")
            << header(10, 129, 1, 24, 0) + '\xff' + px({0x445566}, 24) + '\x00' + px({0x112233}, 24)
            << picture(129, QList<QRgb>(128, 0x445566) << 0x112233);
    }

    void decodes()
    {
        QFETCH(QByteArray, bytes); QFETCH(QImage, expected);
        QTemporaryDir dir;
        QVERIFY(WriteBytes(dir.filePath("t.tga"), bytes));
        QImage read;
        QString error;
        QVERIFY2(ReadTgaPicture(dir.filePath("t.tga"), &read, &error), qPrintable(error));
        QCOMPARE(read.format(), QImage::Format_RGB32);
        QCOMPARE(read, expected);
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("bytes"); QTest::addColumn<QString>("reason");
        const QByteArray pixels = px(Top + Bottom, 24);
        const QString early = "its data ends early";
        QTest::newRow("empty") << QByteArray() << early;
        QTest::newRow("header cut short") << header(2, 3, 2, 24, 0).left(17) << early;
        QTest::newRow("colour-mapped") << header(1, 3, 2, 24, 0) + pixels << "it is not a true-colour TGA picture";
        QTest::newRow("grey") << header(3, 3, 2, 24, 0) + pixels << "it is not a true-colour TGA picture";
        QTest::newRow("colour map type set") << patched(header(2, 3, 2, 24, 0), 1, 1) + pixels << "it has a colour map";
        QTest::newRow("colour map length set") << patched(header(2, 3, 2, 24, 0), 6, 1) + pixels << "it has a colour map";
        QTest::newRow("16 bits") << header(2, 3, 2, 16, 0) + pixels << "it has 16 bits a pixel, not 24 or 32";
        QTest::newRow("no width") << header(2, 0, 2, 24, 0) << "it holds no pixels";
        QTest::newRow("4097 wide") << header(2, 4097, 1, 24, 0) << "it is 4097x1 pixels, not within 4096x4096";
        QTest::newRow("65535 high") << header(10, 1, 65535, 32, 0) << "it is 1x65535 pixels, not within 4096x4096";
        QTest::newRow("pixels a byte short") << header(2, 3, 2, 24, 0) + pixels.chopped(1) << early;
        QTest::newRow("image ID past the end") << patched(header(2, 1, 1, 24, 0), 0, 200) + px(Top, 24) << early;
        QTest::newRow("run past the last pixel") << header(10, 3, 2, 24, 0) + '\x86' + px(Top, 24).left(3)
                                                 << "a packet of its pixels runs past the end of the picture";
        QTest::newRow("raw packet past the last pixel") << header(10, 3, 1, 24, 0) + '\x03' + pixels.left(12)
                                                        << "a packet of its pixels runs past the end of the picture";
        QTest::newRow("packets end early") << header(10, 3, 2, 24, 0) + '\x82' + pixels.left(3) << early;
        QTest::newRow("raw packet cut short") << header(10, 3, 2, 24, 0) + '\x05' + pixels.chopped(1) << early;
        QTest::newRow("run without its pixel") << header(10, 3, 2, 32, 8) + '\x85' + pixels.left(3) << early;
    }

    void refuses()
    {
        QFETCH(QByteArray, bytes); QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString name = dir.filePath("t.tga");
        QVERIFY(WriteBytes(name, bytes));
        QImage read;
        QString error;
        QVERIFY(!ReadTgaPicture(name, &read, &error));
        QCOMPARE(error, "Cannot read " + QDir::toNativeSeparators(name) + ": " + reason);
        QVERIFY(read.isNull());
    }
};

QTEST_GUILESS_MAIN(TstTgaRead)
#include "tst_tgaread.moc"
