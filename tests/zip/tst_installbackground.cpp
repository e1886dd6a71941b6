#include "background/originalbackup.h"
#include "common/testfiles.h"
#include "common/zipreader.h"
#include "zip/installbackground.h"
#include "zip/zipclass.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

// A TGA announcing width x height, with that many pixel bytes, then cut or padded to `size`.
static QByteArray tga(int width, int height, int bits = 24, char type = 2, qsizetype size = -1)
{
    const QByteArray bytes = TgaHeader(type, width, height, bits) + QByteArray(qsizetype(width) * height * (bits / 8), '\x5a');
    return size < 0 ? bytes : bytes.leftJustified(size, '\0', true);
}

static QByteArray layout(const QStringList &tiles)
{
    QByteArray text = "resolution\t640\t480\r\n\r\n";
    for (const QString &tile : tiles)
        text += "resource/background/" + tile.toLatin1() + "\tscaled\t0\t0\r\n";
    return text;
}

// Damages entry `name` the way `how` says, in its local and central headers alike.
static void damageEntry(const QString &path, const QString &how, const QByteArray &name)
{
    QByteArray zip = ReadBytes(path);
    qsizetype local = 0, central = le32(zip, zip.size() - 6);
    while (zip.mid(local + 30, le16(zip, local + 26)) != name)
        local += 30 + le16(zip, local + 26) + le16(zip, local + 28) + le32(zip, local + 18);
    while (zip.mid(central + 46, le16(zip, central + 28)) != name)
        central += 46 + le16(zip, central + 28) + le16(zip, central + 30) + le16(zip, central + 32);
    const auto put32 = [&](qsizetype at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            zip[at + i] = char(value >> (8 * i));
    };
    if (how == "crc") {
        put32(local + 14, le32(zip, local + 14) ^ 1);
        put32(central + 16, le32(zip, central + 16) ^ 1);
    } else if (how == "sizes") {
        put32(local + 22, 1);
        put32(central + 24, 1);
    } else if (how == "encrypted") {
        zip[local + 6] = char(zip[local + 6] | 1);
        zip[central + 8] = char(zip[central + 8] | 1);
    } else if (how == "link") {   // made on Unix, so the attributes hold a file mode
        zip[central + 5] = 3;
        put32(central + 38, 0120777u << 16);
    } else if (how == "cut") {
        zip.truncate(local + 40);
    }
    if (!WriteBytes(path, zip))
        qFatal("cannot damage %s", qPrintable(path));
}

static qint64 peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
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

    // First, while this process holds little: 399 tiles at the size limit go in one at a time, not 120 MB at once.
    void holdsOneTileAtATime()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer keeps freed memory aside");
#endif
        ZipClass zip;
        QStringList tiles;
        QVERIFY(WriteBytes(tmp->filePath("tile"), tga(256, 256, 32, 2, 300 * 1024)));
        for (int i = 0; i < 399; ++i)
            QVERIFY(zip.AddFile(tmp->filePath("tile"), tiles.emplaceBack(QString("big%1.tga").arg(i))));
        QVERIFY(WriteBytes(tmp->filePath("layout"), layout(tiles)) && zip.AddFile(tmp->filePath("layout"), "BackgroundLayout.txt"));
        QVERIFY2(zip.WriteZip(tmp->filePath("big.zip")), qPrintable(zip.errorString()));
        const qint64 before = peakKilobytes();
        QStringList installed;
        QString error;
        QVERIFY2(InstallBackground(tmp->filePath("big.zip"), resource, &installed, &error), qPrintable(error));
        QCOMPARE(installed.size(), 400);
        QCOMPARE(ReadBytes(resource + "/background/big398.tga"), ReadBytes(tmp->filePath("tile")));
        QVERIFY2(peakKilobytes() - before < 40 * 1024 && peakKilobytes() < 150 * 1024,
                 qPrintable(QString("peak %1 KB, %2 KB before").arg(peakKilobytes()).arg(before)));
    }

    // In the folders people zip: tiles first, then the classic layout file before the HD one; the game's own backed up.
    void installsAHandMadeArchive_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("game folder") << QStringList{"cstrike/", "cstrike/resource/HD_BackgroundLayout.txt",
            "cstrike/resource/BackgroundLayout.txt", "cstrike/resource/background/My_Tile.tga"};
        QTest::newRow("backslashes, any case") << QStringList{"Resource\\", "HD_BackgroundLayout.txt",
            "Resource\\BackgroundLayout.txt", "Resource\\Background\\My_Tile.tga"};
    }

    void installsAHandMadeArchive()
    {
        QFETCH(QStringList, names);
        const QByteArray own = ReadBytes(resource + "/BackgroundLayout.txt");
        const QByteArray tile = tga(3, 2, 32, 10), text = layout({"My_Tile.tga", "old.tga"});
        QStringList installed;
        QString error;
        QVERIFY2(InstallBackground(makeZip(names, {"", "hd", text, tile}), resource, &installed, &error), qPrintable(error));
        QCOMPARE(installed, (QStringList{resource + "/background/My_Tile.tga", resource + "/BackgroundLayout.txt",
                                         resource + "/HD_BackgroundLayout.txt"}));
        QCOMPARE(ReadBytes(resource + "/background/My_Tile.tga"), tile);
        QCOMPARE(ReadBytes(resource + "/BackgroundLayout.txt"), text);
        QCOMPARE(ReadBytes(resource + "/quiltra-original/BackgroundLayout.txt"), own);
    }

    // Refused, naming the entry (or the archive) and the reason; the game stays as it was.
    void refusesHostileArchives_data()
    {
        QTest::addColumn<QStringList>("names"); QTest::addColumn<QByteArrayList>("contents");
        QTest::addColumn<QString>("damage"); QTest::addColumn<QString>("reason");
        const QByteArray text = layout({"a.tga"}), tile = tga(4, 4);
        const auto row = [&](const char *tag, const QString &entry, const QString &reason, const QByteArray &bytes = tga(4, 4),
                             const QString &damage = {}) {
            QTest::newRow(tag) << QStringList{"BackgroundLayout.txt", entry} << QByteArrayList{text, bytes} << damage << reason;
        };
        row("climbs out with backslashes", "..\\a.tga", "the entry ../a.tga climbs out of its folder");
        row("absolute", "/tmp/a.tga", "the entry /tmp/a.tga has an absolute name");
        row("drive letter", "c:a.tga", "the entry c:a.tga has an absolute name or a drive letter");
        row("tile two folders deep", "mods/cstrike/resource/background/a.tga",
            "the entry mods/cstrike/resource/background/a.tga is neither a layout file nor a TGA tile");
        row("a link", "a.tga", "the entry a.tga is a link, not a file", tile, "link");
        row("257 wide", "a.tga", "the entry a.tga is not a 24- or 32-bit TGA", tga(257, 1));
        row("pixels cut short", "a.tga", "its picture needs 66 bytes, it has 65", tile.chopped(1));
        row("tile over 300 KB", "a.tga", "the entry a.tga is larger than 300 KB", tga(256, 256, 32, 2, 300 * 1024 + 1));
        row("CRC flipped", "a.tga", "the entry a.tga cannot be read", tile, "crc");
        // Larger than the reader inflates at once, so it hands out data before it sees the end.
        row("inflates past its size", "a.tga", "the entry a.tga inflates past its declared size of 1 bytes", tga(256, 256, 32), "sizes");
        row("encrypted", "a.tga", "the entry a.tga is encrypted", tile, "encrypted");
        row("cut short", "a.tga", "shared.zip: it cannot be read", tile, "cut");
        row("backup folder blocked", "a.tga", "quiltra-original/BackgroundLayout.txt: its folder cannot be made", tile, "backup");
        QTest::newRow("twice") << QStringList{"BackgroundLayout.txt", "a.tga", "resource/background/A.tga"}
                               << QByteArrayList{text, tile, tile} << "" << "the entry resource/background/A.tga holds A.tga a second time";
        QTest::newRow("tile outside its folder") << QStringList{"BackgroundLayout.txt", "a.tga"}
            << QByteArrayList{layout({"../BackgroundLayout.txt.tga"}), tile} << ""
            << "names the tile ../BackgroundLayout.txt.tga, which is neither in the archive nor in";
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
        QVERIFY(damage != "backup" || WriteBytes(resource + "/quiltra-original", "in the way"));
        const auto before = Snapshot(tmp->filePath("game"));
        const QString zip = makeZip(names, contents);
        if (!damage.isEmpty() && damage != "backup")
            damageEntry(zip, damage, names.last().toLatin1());
        QStringList installed{"stale"};
        QString error;
        QVERIFY(!InstallBackground(zip, resource, &installed, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(installed, QStringList());
        QCOMPARE(Snapshot(tmp->filePath("game")), before);
    }
};

QTEST_GUILESS_MAIN(TestInstallBackground)
#include "tst_installbackground.moc"
