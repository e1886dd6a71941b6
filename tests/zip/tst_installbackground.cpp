#include "background/composebackground.h"
#include "background/layoutfiles.h"
#include "common/testfiles.h"
#include "common/zipreader.h"
#include "zip/installbackground.h"
#include "zip/zipclass.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

// A TGA announcing width x height, with that many pixel bytes, then cut or padded to `size`.
static QByteArray tga(int width, int height, int bits = 24, char type = 2, qsizetype size = -1)
{
    const QByteArray bytes = TgaHeader(type, width, height, bits) + QByteArray(qsizetype(width) * height * (bits / 8), '\x5a');
    return size < 0 ? bytes : bytes.leftJustified(size, '\0', true);
}

// A 4x2 picture, every pixel its own colour so a flip or a swap shows, as tiles a.tga (left = 0) and b.tga (left = 2), top row first.
static const QList<QRgb> Pixels{0x112233, 0x445566, 0x778899, 0xaabbcc, 0xddeeff, 0x102030, 0x405060, 0x708090};
static QByteArray half(int left)
{
    return TgaHeader(2, 2, 2, 24, 0x20) + TgaPixels({Pixels[left], Pixels[left + 1], Pixels[left + 4], Pixels[left + 5]});
}

static QByteArray layout(const QStringList &tiles)
{
    QByteArray text = "resolution\t640\t480\r\n\r\n";
    for (const QString &tile : tiles)
        text += "resource/background/" + tile.toLatin1() + "\tscaled\t0\t0\r\n";
    return text;
}

// Damages entry `name` the way `how` says, in its local and central headers alike, or cuts the archive short.
static void damageEntry(const QString &path, const QString &how, const QByteArray &name)
{
    QByteArray zip = ReadBytes(path);
    qsizetype local = 0, central = le32(zip, zip.size() - 6);
    while (zip.mid(local + 30, le16(zip, local + 26)) != name)
        local += 30 + le16(zip, local + 26) + le16(zip, local + 28) + le32(zip, local + 18);
    while (zip.mid(central + 46, le16(zip, central + 28)) != name)
        central += 46 + le16(zip, central + 28) + le16(zip, central + 30) + le16(zip, central + 32);
    // The byte in the local and in the central header and the bits flipped in both: the CRC's lowest, the encryption flag,
    // the uncompressed size's third byte (262162 becomes 18), the name's second byte ('X' becomes 0xff).
    static const QMap<QString, std::tuple<int, int, char>> flips{
        {"crc", {14, 16, 1}}, {"encrypted", {6, 8, 1}}, {"sizes", {24, 26, 4}}, {"not UTF-8", {31, 47, 'X' ^ '\xff'}}};
    if (const auto [inLocal, inCentral, bits] = flips.value(how); bits) {
        zip[local + inLocal] = char(zip[local + inLocal] ^ bits);
        zip[central + inCentral] = char(zip[central + inCentral] ^ bits);
    } else if (how == "link") {   // made on Unix, so the attributes' upper half is a file mode: 0120777
        zip[central + 5] = 3;
        zip[central + 40] = '\xff';
        zip[central + 41] = '\xa1';
    } else if (how == "cut") {
        zip.truncate(local + 40);
    }
    if (!WriteBytes(path, zip))
        qFatal("cannot damage %s", qPrintable(path));
}

class TestInstallBackground : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> tmp;
    QString resource;   // a game's, with its own layout file naming its one tile

    QString makeZip(const QStringList &names, const QByteArrayList &contents)
    {
        ZipClass zip;
        for (int i = 0; i < names.size(); ++i) {
            const QString source = tmp->filePath("content" + QString::number(i));
            if (!WriteBytes(source, contents[i]) || !zip.AddFile(source, names[i]))
                qFatal("cannot prepare entry %s", qPrintable(names[i]));
        }
        if (!zip.WriteZip(tmp->filePath("shared.zip"), true))
            qFatal("%s", qPrintable(zip.errorString()));
        return tmp->filePath("shared.zip");
    }

private slots:
    void init()
    {
        tmp = std::make_unique<QTemporaryDir>();
        resource = tmp->filePath("game/cstrike/resource");
        QVERIFY(QDir().mkpath(resource + "/background") && WriteBytes(resource + "/BackgroundLayout.txt", layout({"old.tga"}))
                && WriteBytes(resource + "/background/old.tga", tga(2, 2)));
    }

    // In the folders people zip, tiles first, then every pair whole, so the game shows the picture whichever pair it reads.
    void installsWhatTheGameShows_data()
    {
        QTest::addColumn<QStringList>("names"); QTest::addColumn<QByteArrayList>("contents"); QTest::addColumn<bool>("readsHd");
        QTest::addColumn<QByteArray>("classic"); QTest::addColumn<QByteArray>("hd");
        // As a make writes the picture's layout files.
        const QByteArray scaled = "resolution   4   2\r\n\r\nresource/background/a.tga      scaled      0   0\r\n"
                                  "resource/background/b.tga      scaled      2   0\r\n", fit = QByteArray(scaled).replace("scaled", "fit");
        const QByteArray handMade = "resolution\t4\t2\nresource\\background\\a.tga\tscaled\t0\t0\n"
                                    "resource\\background\\b.tga\tscaled\t2\t0\n";
        QTest::newRow("all four, in the game's folder")
            << QStringList{"cstrike/", "cstrike/resource/HD_BackgroundLayout.txt", "cstrike/resource/HD_BackgroundLoadingLayout.txt",
                           "cstrike/resource/BackgroundLayout.txt", "cstrike/resource/BackgroundLoadingLayout.txt",
                           "cstrike/resource/background/a.tga", "cstrike/resource/background/b.tga"}
            << QByteArrayList{"", fit, fit, scaled, scaled, half(0), half(2)} << true << scaled << fit;
        QTest::newRow("classic pair only, into an HD game") << QStringList{"Resource\\", "Resource\\BackgroundLayout.txt",
            "Resource\\BackgroundLoadingLayout.txt", "Resource\\Background\\a.tga", "b.tga"}
            << QByteArrayList{"", handMade, handMade, half(0), half(2)} << true << handMade << handMade;
        QTest::newRow("HD pair only, into a classic game") << QStringList{"HD_BackgroundLayout.txt", "HD_BackgroundLoadingLayout.txt",
            "a.tga", "b.tga"} << QByteArrayList{fit, fit, half(0), half(2)} << false << scaled << fit;
        QTest::newRow("one file of a pair") << QStringList{"resource/BackgroundLoadingLayout.txt", "background/a.tga", "background/b.tga"}
            << QByteArrayList{scaled, half(0), half(2)} << false << scaled << QByteArray();
    }

    void installsWhatTheGameShows()
    {
        QFETCH(QStringList, names); QFETCH(QByteArrayList, contents); QFETCH(bool, readsHd);
        QFETCH(QByteArray, classic); QFETCH(QByteArray, hd);
        QStringList installed, expected{resource + "/background/a.tga", resource + "/background/b.tga"};
        QString error;
        QVERIFY2(InstallBackground(makeZip(names, contents), resource, {readsHd, false, {}}, &installed, &error), qPrintable(error));
        const QByteArrayList texts{classic, classic, hd, hd};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(ReadBytes(resource + "/" + AllLayoutFileNames()[i]), texts[i].isNull() ? "<unreadable>" : texts[i]);
            if (!texts[i].isNull())
                expected << resource + "/" + AllLayoutFileNames()[i];
        }
        QCOMPARE(installed, expected);
        for (bool hdPair : {false, !hd.isNull()}) {
            QImage shown;
            QVERIFY2(ComposeBackground(resource, hdPair, &shown, &error), qPrintable(error));
            QCOMPARE(shown, PictureOf(4, Pixels));
        }
    }

    // Refused, naming the entry (or the archive) and the reason; the game stays as it was.
    void refusesHostileArchives_data()
    {
        QTest::addColumn<QStringList>("names"); QTest::addColumn<QByteArrayList>("contents");
        QTest::addColumn<QString>("damage"); QTest::addColumn<QString>("reason");
        const QByteArray text = layout({"a.tga"}), tile = tga(4, 4);
        const auto row = [&](const char *tag, const QString &entry, const QString &reason, const QByteArray &bytes = tga(4, 4),
                             const QString &damage = {}, const QByteArray &layoutText = layout({"a.tga"})) {
            QTest::newRow(tag) << QStringList{"BackgroundLayout.txt", entry} << QByteArrayList{layoutText, bytes} << damage << reason;
        };
        row("climbs out with backslashes", "..\\a.tga", "the entry ../a.tga climbs out of its folder");
        row("drive letter", "c:a.tga", "the entry c:a.tga has an absolute name or a drive letter");
        row("tile two folders deep", "mods/cstrike/resource/background/a.tga",
            "the entry mods/cstrike/resource/background/a.tga is neither a layout file nor a TGA tile");
        row("a link", "a.tga", "the entry a.tga is a link, not a file", tile, "link");
        row("257 wide", "a.tga", "the tile a.tga is not one the game can show: it is 257x1 pixels, not within 256x256", tga(257, 1));
        row("run-length 256x256 in 3 bytes", "a.tga", "the tile a.tga is not one the game can show: its data ends early",
            TgaHeader(10, 256, 256, 24) + "\x01\x02\x03");
        row("tile over 384 KB", "a.tga", "the entry a.tga is larger than 384 KB", tga(256, 256, 32, 2, 384 * 1024 + 1));
        row("a control character", "a\x01.tga", "the name of the entry a\ufffd.tga holds a control character");
        row("not UTF-8", "aX.tga", "the name of the entry a\ufffd.tga is not UTF-8 text", tile, "not UTF-8");
        row("a name of 256 bytes", QString(252, 'a') + ".tga", "a.tga is longer than the 255 bytes a file name may have here");
        row("CRC flipped", "a.tga", "the entry a.tga cannot be read", tile, "crc");
        // Larger than the reader inflates at once, so it hands out data before it sees the end.
        row("inflates past its size", "a.tga", "the entry a.tga inflates past its declared size of 18 bytes", tga(256, 256, 32), "sizes");
        row("encrypted", "a.tga", "the entry a.tga is encrypted", tile, "encrypted");
        row("cut short", "a.tga", "shared.zip: it cannot be read", tile, "cut");
        QTest::newRow("twice") << QStringList{"BackgroundLayout.txt", "a.tga", "resource/background/A.tga"}
                               << QByteArrayList{text, tile, tile} << "" << "the entry resource/background/A.tga holds A.tga a second time";
        row("junk layout", "a.tga", "BackgroundLayout.txt cannot be read: line 1 is neither its resolution", tile, {}, "\x89PNG\r\n\x1a\n");
        row("CR alone, a tile missing", "a.tga", "names the tile gone.tga, which is neither in the archive nor in", tile, {},
            "resolution 4 2\rresource\\background\\gone.tga fit 0 0\r");
        row("a tile there that cannot be shown", "a.tga", "background/old.tga is not one the game can show: its data ends early", tile,
            "broken old.tga", layout({"a.tga", "old.tga"}));
        row("tile outside its folder", "a.tga", "names resource/a.tga, which is not in the background folder", tile, {},
            "resolution 4 2\nresource/a.tga fit 0 0\n");
        QTest::newRow("twins differ") << QStringList{"HD_BackgroundLayout.txt", "HD_BackgroundLoadingLayout.txt", "a.tga"}
            << QByteArrayList{text, text + "\r\n", tile} << "" << "HD_BackgroundLayout.txt and HD_BackgroundLoadingLayout.txt differ";
        QTest::newRow("no layout file") << QStringList{"a.tga"} << QByteArrayList{tile} << "" << "shared.zip: it holds no layout file";
        QStringList many{"BackgroundLayout.txt"};
        for (int i = 0; i < 400; ++i)
            many << QString("t%1.tga").arg(i);
        QTest::newRow("401 entries") << many << (QByteArrayList{text} << QByteArrayList(400, tile)) << ""
                                     << "shared.zip: it has more than 400 entries";
    }

    void refusesHostileArchives()
    {
        QFETCH(QStringList, names); QFETCH(QByteArrayList, contents); QFETCH(QString, damage); QFETCH(QString, reason);
        QVERIFY(damage != "broken old.tga" || WriteBytes(resource + "/background/old.tga", "junk"));
        const auto before = Snapshot(tmp->filePath("game"));
        const QString zip = makeZip(names, contents);
        if (!damage.isEmpty() && damage != "broken old.tga")
            damageEntry(zip, damage, names.last().toLatin1());
        QStringList installed{"stale"};
        QString error;
        QVERIFY(!InstallBackground(zip, resource, {true, false, {}}, &installed, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(installed, QStringList());
        QCOMPARE(Snapshot(tmp->filePath("game")), before);
    }
};

QTEST_GUILESS_MAIN(TestInstallBackground)
#include "tst_installbackground.moc"
