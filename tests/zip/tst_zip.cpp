#include "background/composebackground.h"
#include "background/layoutfiles.h"
#include "common/fakegame.h"
#include "common/zipreader.h"
#include "zip/installbackground.h"
#include "zip/zipbackground.h"
#include "zip/zipclass.h"

#include <QRandomGenerator>
#include <QTest>

#include <optional>

// The archive `zip` writes into memory; empty when it fails.
static QByteArray inMemory(ZipClass &zip)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return zip.WriteZip(&buffer) ? buffer.data() : QByteArray();
}

// A 4x2 picture as tiles a.tga (left 0) and b.tga (left 2), top row first.
static const QList<QRgb> Pixels{0x112233, 0x445566, 0x778899, 0xaabbcc, 0xddeeff, 0x102030, 0x405060, 0x708090};
static QByteArray half(int left)
{
    return TgaHeader(2, 2, 2, 24, 0x20)
        + TgaPixels({Pixels[left], Pixels[left + 1], Pixels[left + 4], Pixels[left + 5]});
}

// The ZIP writer, packing the background a game shows, and installing one someone shared.
class TstZip : public QObject
{
    Q_OBJECT
    std::optional<FakeGame> g;

    QString file(const QString &name, const QByteArray &bytes)
    {
        return WriteBytes(g->at(name), bytes) ? g->at(name) : QString();
    }
    QString makeZip(const QStringList &names, const QByteArrayList &contents)
    {
        ZipClass zip;
        for (int i = 0; i < names.size(); ++i)
            zip.AddFile(file(QString::number(i), contents[i]), names[i]);
        if (zip.FileCount() < names.size() || !zip.WriteZip(g->at("shared.zip"), true))
            qFatal("cannot prepare the archive");
        return g->at("shared.zip");
    }

private slots:
    void init() { g.emplace(); }

    // Both headers of an entry as the format lays them out, its comment in the central one; comments' lengths in bytes.
    void exactHeaders()
    {
        QFile ten(file("ten.bin", "0123456789"));
        QVERIFY(ten.open(QIODevice::Append)
                && ten.setFileTime({{2050, 12, 31}, {23, 59, 59}}, QFileDevice::FileModificationTime));
        ZipClass zip;
        zip.setComment("\u00f1");
        QVERIFY(zip.AddFile(ten.fileName(), {}, "\u00f1"));
        const QByteArray z = inMemory(zip);
        const auto hex = [](const char *digits) { return QByteArray::fromHex(digits); };
        // Flags, method, 23:59:58 on 31 December 2050, CRC, sizes (the compressed one zlib's), name length.
        const QByteArray fields = hex("0200 0800 7dbf 9f8d c6c784a6") + z.mid(18, 4) + hex("0a000000 0700");
        QCOMPARE(z.left(37), hex("504b0304 1400") + fields + hex("0000") + "ten.bin");
        const qsizetype cd = 37 + le32(z, 18), end = cd + 55;
        QCOMPARE(z.mid(cd, 55),
                 hex("504b0102 1400 1400") + fields + hex("0000 0200 0000 2000 00000000 00000000") + "ten.bin\xc3\xb1");
        QCOMPARE(z.mid(end, 16), hex("504b0506 0000 0000 0100 0100 37000000"));
        QCOMPARE(z.mid(end + 20), hex("0200 c3b1"));
    }

    // Read back independently: each file as it was when added, the same bytes on any number of threads.
    void roundTrip()
    {
        // Noise, that does not compress.
        QByteArray noise(300000, 0);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), 75000);
        const QList<QPair<QString, QByteArray>> files{{"noise", noise}, {"a", ""}};
        ZipClass zips[2];
        for (int i = 0; i < 2; ++i) {
            zips[i].setThreadCount(i * 63 + 1);
            for (const auto &[name, bytes] : files)
                QVERIFY(zips[i].AddFile(i ? g->at(name) : file(name, bytes)));
        }
        file("a", "changed");
        const QByteArray z = inMemory(zips[0]);
        QVERIFY(z == inMemory(zips[1]));
        QList<ReadEntry> read;
        QString error;
        QVERIFY2(ReadZip(z, read, error), qPrintable(error));
        QCOMPARE(read.size(), 2);
        for (int i = 0; i < 2; ++i)
            QVERIFY2(read[i].name == files[i].first && read[i].contents == files[i].second, qPrintable(files[i].first));
        // An archive is replaced only when asked.
        const QString old = file("old.zip", "old");
        QVERIFY(!zips[0].WriteZip(old) && ReadBytes(old) == "old");
        QCOMPARE(zips[0].errorString(), "Cannot write " + old + ": the file already exists");
        QVERIFY(zips[0].WriteZip(old, true) && ReadBytes(old) == z);
    }

    // Every layout file, then each tile named once in the order first named (the HD pair names one the classic does
    // not); or nothing written, and why.
    void packs_data()
    {
        columns<QString, QByteArray, QString>("changed", "bytes", "error");
        QTest::newRow("as made") << "" << QByteArray() << "";
        QTest::newRow("tile not shown") << "background/c.tga" << QByteArray("junk")
                                        << "background/c.tga: its data ends early";
        QTest::newRow("tile elsewhere") << "HD_BackgroundLayout.txt"
                                        << QByteArray("resolution 2 1\nresource/c.tga fit 0 0")
                                        << "names resource/c.tga, which is not in the background folder";
        QTest::newRow("HD twins differ") << "HD_BackgroundLoadingLayout.txt" << QByteArray("resolution 2 1")
                                         << "HD_BackgroundLoadingLayout.txt differ; make the background again";
        QTest::newRow("no layout file") << "*" << QByteArray()
                                        << "Cannot pack the background: there is no layout file in ";
    }
    void packs()
    {
        QFETCH(QString, changed); QFETCH(QByteArray, bytes); QFETCH(QString, error);
        const QString r = g->resource();
        for (int i = 0; changed != "*" && i < 4; ++i)
            QVERIFY(WriteBytes(r + '/' + AllLayoutFileNames()[i],
                               i < 2 ? "resolution 2 1\nresource/background/a.tga scaled 0 0\n"
                                       "resource/background/b.tga scaled 1 0"
                                     : "resolution 2 1\nResource\\Background\\b.tga fit 0 0\n"
                                       "resource/background/c.tga fit 1 0"));
        for (const char *tile : {"a", "b", "c", "unnamed"})
            QVERIFY(WriteBytes(r + "/background/" + tile + ".tga", TgaHeader(2, 1, 1, 24) + QByteArray(3, *tile)));
        QVERIFY(changed.size() < 2 || WriteBytes(r + '/' + changed, bytes));
        const ZipBackgroundResult result = ZipBackground(r, g->at("bg.zip"));
        QVERIFY2(result.ok ? error.isEmpty() : result.errorString.endsWith(error + (changed == "*" ? r : "")),
                 qPrintable(result.errorString));
        QCOMPARE(result.ok, QFile::exists(g->at("bg.zip")));
        if (!result.ok)
            return;
        const QStringList entries = AllLayoutFileNames() + QStringList{"a.tga", "b.tga", "c.tga"};
        QCOMPARE(result.entries, entries);
        QList<ReadEntry> read;
        QVERIFY2(ReadZip(ReadBytes(g->at("bg.zip")), read, error), qPrintable(error));
        QCOMPARE(read.size(), 7);
        for (int i = 0; i < 7; ++i)
            QVERIFY(read[i].name == entries[i]
                    && read[i].contents == ReadBytes(r + (i < 4 ? "/" : "/background/") + entries[i]));
    }

    // From the folders people zip, every pair whole, so the game shows the picture whichever pair it reads; what must
    // change with it asked before anything is put in place.
    void installs_data()
    {
        columns<QStringList, QByteArrayList, bool, QByteArray, QByteArray>("names", "contents", "readsHd", "classic",
                                                                           "hd");
        const QByteArray scaled = "resolution   4   2\r\n\r\nresource/background/a.tga      scaled      0   0\r\n"
                                  "resource/background/b.tga      scaled      2   0\r\n",
                         fit = QByteArray(scaled).replace("scaled", "fit");
        const QByteArray byHand = "resolution\t4\t2\rresource\\background\\a."
                                  "tga\tscaled\t0\t0\rresource\\background\\B.TGA\tscaled\t2\t0\r";
        QStringList all{"cstrike/"};
        for (const QString &name : AllLayoutFileNames() + QStringList{"background/a.tga", "background/b.tga"})
            all << "cstrike/resource/" + name;
        QTest::newRow("all four in cstrike/resource")
            << all << QByteArrayList{"", scaled, scaled, fit, fit, half(0), half(2)} << true << scaled << fit;
        QTest::newRow("classic pair into an HD game") << QStringList{"Resource\\", "Resource\\BackgroundLayout.txt",
            "Resource\\BackgroundLoadingLayout.txt", "Resource\\Background\\a.tga", "B.TGA"}
            << QByteArrayList{"", byHand, byHand, half(0), half(2)} << true << byHand << byHand;
        QTest::newRow("HD pair into a classic game")
            << QStringList{"HD_BackgroundLayout.txt", "HD_BackgroundLoadingLayout.txt", "a.tga", "b.tga"}
            << QByteArrayList{fit, fit, half(0), half(2)} << false << scaled << fit;
        QTest::newRow("one file of a pair")
            << QStringList{"resource/BackgroundLoadingLayout.txt", "background/a.tga", "background/b.tga"}
            << QByteArrayList{scaled, half(0), half(2)} << false << scaled << QByteArray("<unreadable>");
    }
    void installs()
    {
        QFETCH(QStringList, names);
        QFETCH(QByteArrayList, contents);
        QFETCH(bool, readsHd);
        QFETCH(QByteArray, classic);
        QFETCH(QByteArray, hd);
        const QString r = g->resource();
        QStringList installed;
        QString error;
        bool asked = false;
        const auto beforeCommit = [&asked](WholeFileSet *, QString *) { return asked = true; };
        QVERIFY2(InstallBackground(makeZip(names, contents), r, {readsHd, false, beforeCommit}, &installed, &error)
                     && asked,
                 qPrintable(error));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(ReadBytes(r + '/' + AllLayoutFileNames()[i]), QByteArrayList({classic, classic, hd, hd})[i]);
        installed.sort();
        QCOMPARE(installed, Snapshot(r).keys());
        for (const bool hdPair : {false, hd.startsWith("res")}) {
            QImage shown;
            QVERIFY2(ComposeBackground(r, hdPair, &shown, &error), qPrintable(error));
            QCOMPARE(shown, PictureOf(4, Pixels));
        }
    }

    // Refused, naming the entry (or the archive) and the reason; the game stays as it was. The entries: `first` (by
    // default a layout file), then `entry`, damaged by flipping bits (offset in the local header, in the central one
    // (-1: not there), bits) or cut short.
    void refuses_data()
    {
        columns<QStringList, QByteArrayList, QList<int>, QString>("names", "contents", "damage", "reason");
        const QByteArray text = "resolution 4 2\nresource/background/a.tga fit 0 0\n",
                         tile = TgaHeader(2, 4, 4, 24) + QByteArray(48, 'Z'),
                         large = TgaHeader(2, 256, 256, 32) + QByteArray(256 * 1024, 'Z');
        const auto row = [&](const char *tag, const QString &entry, const QString &reason, const QByteArray &bytes = {},
                             const QList<int> &damage = {}, const QByteArray &first = {},
                             const QString &firstName = "BackgroundLayout.txt") {
            QTest::newRow(tag) << QStringList{firstName, entry}
                               << QByteArrayList{first.isNull() ? text : first, bytes.isNull() ? tile : bytes} << damage
                               << reason;
        };
        row("climbs out", "..\\a.tga", "entry ../a.tga climbs out");
        row("too deep", "x/cstrike/resource/background/a.tga", "background/a.tga is neither a layout");
        row("a link", "z.tga", "z.tga is a link", {}, {-1, 5, 3, -1, 40, 0xff, -1, 41, 0xa1});
        row("RLE 256x256 in 3 bytes", "a.tga", "tile a.tga is not one the game can show: its data ends early",
            TgaHeader(10, 256, 256, 24) + "\1\2\3");
        row("over 384 KB", "a.tga", "a.tga is larger than 384 KB", large.leftJustified(384 * 1024 + 1, 0));
        row("control character", "a\1.tga", "a\ufffd.tga holds a control character");
        row("not UTF-8", "zX.tga", "z\ufffd.tga is not UTF-8", {}, {31, 47, 'X' ^ 0xff});
        row("256 bytes", QString(252, 'a') + ".tga", "than the 255 bytes");
        row("CRC", "z.tga", "z.tga cannot be read", {}, {14, 16, 1});
        row("inflates past its size", "z.tga", "z.tga inflates past its declared size of 18", large, {24, 26, 4});
        row("encrypted", "z.tga", "z.tga is encrypted", {}, {6, 8, 1});
        row("cut short", "a.tga", "zip: it cannot be read", {}, {40});
        row("twice", "resource/background/A.tga", "A.tga a second time", {}, {}, tile, "a.tga");
        row("no layout file", "b.tga", "holds no layout file", {}, {}, tile, "a.tga");
        row("junk layout", "a.tga", "BackgroundLayout.txt cannot be read: line 1", {}, {}, "\x89PNG");
        row("CR alone, a tile missing", "a.tga", "gone.tga, which is neither in the archive", {}, {},
            "resolution 4 2\rresource\\background\\gone.tga fit 0 0\r");
        row("tile there not shown", "a.tga", "old.tga is not one the game can show", {}, {},
            text + "resource/background/old.tga fit 2 0");
        row("tile elsewhere", "a.tga", "resource/a.tga, which is not in the background", {}, {},
            "resolution 4 2\nresource/a.tga fit 0 0");
        row("twins differ", "HD_BackgroundLoadingLayout.txt", "Layout.txt differ", "resolution 4 2\n", {},
            "resolution 4 2", "HD_BackgroundLayout.txt");
        QTest::newRow("401 entries") << QStringList(401, "d/") << QByteArrayList(401) << QList<int>()
                                     << "more than 400 entries";
    }
    void refuses()
    {
        QFETCH(QStringList, names);
        QFETCH(QByteArrayList, contents);
        QFETCH(QList<int>, damage);
        QFETCH(QString, reason);
        QVERIFY(WriteBytes(g->resource("cstrike", "background/old.tga"), "junk"));
        const auto before = Snapshot(g->install());
        QByteArray zip = ReadBytes(makeZip(names, contents));
        const QByteArray name = names.last().toLatin1();
        for (int i = 0; i + 2 < damage.size(); i += 3) {
            for (const qsizetype at :
                 {damage[i] < 0 ? -1 : zip.indexOf(name) - 30 + damage[i], zip.lastIndexOf(name) - 46 + damage[i + 1]})
                if (at >= 0)
                    zip[at] = char(zip[at] ^ damage[i + 2]);
        }
        QVERIFY(WriteBytes(g->at("shared.zip"), damage.size() == 1 ? zip.left(damage[0]) : zip));
        QString error;
        QVERIFY(!InstallBackground(g->at("shared.zip"), g->resource(), {true, false, {}}, nullptr, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(Snapshot(g->install()), before);
    }
};

QTEST_GUILESS_MAIN(TstZip)
#include "tst_zip.moc"
