#include "common/testfiles.h"
#include "common/zipreader.h"
#include "zip/zipclass.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// Prepares `path` with `bytes`, stamped `modified` when given.
static QString writeFile(const QString &path, const QByteArray &bytes, const QDateTime &modified = {})
{
    QFile file(path);
    if (!WriteBytes(path, bytes) || (modified.isValid() && !(file.open(QIODevice::Append)
                                     && file.setFileTime(modified, QFileDevice::FileModificationTime))))
        qFatal("cannot prepare %s", qPrintable(path));
    return path;
}

// The archive written into memory; empty (and unreadable) when WriteZip fails.
static QByteArray inMemory(ZipClass &zip)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return zip.WriteZip(&buffer) ? buffer.data() : QByteArray();
}

class TestZipClass : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> tmp;
    QString path(const QString &name) const { return tmp->filePath(name); }

private slots:
    void init() { tmp = std::make_unique<QTemporaryDir>(); }

    // The entry's comment goes in the central header only.
    void oneFileHasExactHeaders()
    {
        ZipClass zip;
        zip.setComment("hi");
        const QDateTime lastSecondOf2010(QDate(2010, 12, 31), QTime(23, 59, 59));
        QVERIFY(zip.AddFile(writeFile(path("ten.bin"), "0123456789", lastSecondOf2010), {}, "a remark"));
        const QByteArray z = inMemory(zip);
        ReadArchive read;
        QString error;
        QVERIFY2(ReadZip(z, read, error), qPrintable(error));   // the raw deflate data fills exactly its size
        const QByteArray c = z.mid(18, 4);   // compressed size
        auto hex = [](const char *digits) { return QByteArray::fromHex(digits); };
        // Flags, method, time, date, CRC, sizes and name length: the same in both headers.
        const QByteArray fields = hex("0200 0800 7dbf 9f3d c6c784a6") + c + hex("0a000000 0700");
        QCOMPARE(z.left(37), hex("504b0304 1400") + fields + hex("0000") + "ten.bin");
        const qsizetype cd = 37 + le32(z, 18), end = cd + 46 + 7 + 8;
        QCOMPARE(z.mid(cd, 61),
                 hex("504b0102 1400 1400") + fields + hex("0000 0800 0000 2000 00000000 00000000") + "ten.bin" + "a remark");
        QCOMPARE(z.mid(end, 16), hex("504b0506 0000 0000 0100 0100 3d000000"));
        QCOMPARE(le32(z, end + 16), quint32(cd));
        QCOMPARE(z.mid(end + 20), hex("0200") + "hi");
    }

    // An archive without entries is its end record alone; the comment length counts bytes.
    void emptyArchiveIsEndRecordAlone_data()
    {
        QTest::addColumn<QString>("comment"); QTest::addColumn<QByteArray>("expected");
        const QByteArray end = QByteArray::fromHex("504b0506 00000000 00000000 00000000 00000000");
        QTest::newRow("ASCII") << "note" << end + QByteArray::fromHex("0400") + "note";
        QTest::newRow("three letters in five bytes") << QString::fromUtf8("A\u00f1\u00f3") << end + QByteArray::fromHex("0500 41c3b1c3b3");
    }

    void emptyArchiveIsEndRecordAlone()
    {
        QFETCH(QString, comment); QFETCH(QByteArray, expected);
        ZipClass zip;
        zip.setComment(comment);
        QCOMPARE(inMemory(zip), expected);
    }

    void dosTimeAndDate_data()
    {
        QTest::addColumn<QString>("modified"); QTest::addColumn<QByteArray>("stamp");   // local time; DOS time, then date
        QTest::newRow("odd second rounds down") << "2000-02-29T12:34:57" << QByteArray("\x5C\x64\x5D\x28");
        QTest::newRow("1979 wraps to 127") << "1979-06-15T08:00:00" << QByteArray("\x00\x40\xCF\xFE", 4);
    }

    void dosTimeAndDate()
    {
        QFETCH(QString, modified); QFETCH(QByteArray, stamp);
        ZipClass zip;
        QVERIFY(zip.AddFile(writeFile(path("stamped.txt"), "x", QDateTime::fromString(modified, Qt::ISODate))));
        QCOMPARE(inMemory(zip).mid(10, 4), stamp);
    }

    void overwriteRules()
    {
        const QString archive = writeFile(path("existing.zip"), "old archive");
        ZipClass zip;
        QVERIFY(zip.AddFile(writeFile(path("new.txt"), "new")));
        QVERIFY(!zip.WriteZip(archive));
        QVERIFY(zip.errorString().contains(QDir::toNativeSeparators(archive)));
        QCOMPARE(ReadBytes(archive), "old archive");
        QVERIFY2(zip.WriteZip(archive, true), qPrintable(zip.errorString()));
        QCOMPARE(ReadBytes(archive), inMemory(zip));
    }

    void roundTrip_data()
    {
        QTest::addColumn<bool>("unzip");
        QTest::newRow("independent reader") << false;
        QTest::newRow("unzip -t") << true;
    }

    void roundTrip()
    {
        QFETCH(bool, unzip);
        QList<quint32> words(75000);   // 300000 bytes that do not compress
        QRandomGenerator(7).fillRange(words.data(), words.size());
        const QByteArray noise(reinterpret_cast<const char *>(words.constData()), 300000);
        const QList<QPair<QString, QByteArray>> files = {
            {"layout.txt", "resource/background/800_1_a_loading.tga\r\n"}, {"noise.bin", noise},
            {"flat.tga", QByteArray(196626, '\x40')}, {"empty.txt", {}}};
        ZipClass zip;
        zip.setComment("made by the tests");
        for (const auto &[name, bytes] : files)
            QVERIFY(zip.AddFile(writeFile(path(name), bytes)));
        writeFile(path("flat.tga"), "changed");   // the archive holds the files as they were when added
        QVERIFY2(zip.WriteZip(path("round.zip")), qPrintable(zip.errorString()));
        if (unzip) {
            if (!QFile::exists("/usr/bin/unzip"))
                QSKIP("unzip is not installed");
            QCOMPARE(QProcess::execute("/usr/bin/unzip", {"-t", path("round.zip")}), 0);   // its report goes to the log
            return;
        }
        ReadArchive read;
        QString error;
        QVERIFY2(ReadZip(ReadBytes(path("round.zip")), read, error), qPrintable(error));
        QCOMPARE(read.entries.size(), files.size());
        for (int i = 0; i < files.size(); ++i)
            QVERIFY2(read.entries[i].name == files[i].first && read.entries[i].contents == files[i].second,
                     qPrintable(files[i].first));
    }

    // Entries are compressed side by side, on every core by default; the archive stays, byte for
    // byte, what one thread writes.
    void sameBytesOnAnyNumberOfThreads_data()
    {
        QTest::addColumn<int>("threads");
        QTest::newRow("one") << 1; QTest::newRow("two") << 2; QTest::newRow("more than entries") << 64;
    }
    void sameBytesOnAnyNumberOfThreads()
    {
        QFETCH(int, threads);
        ZipClass zip;
        zip.setThreadCount(threads);
        const QDateTime stamp(QDate(2020, 1, 2), QTime(3, 4, 6));
        for (int i = 0; i < 12; ++i) {
            QByteArray text(20000 + 3000 * i, Qt::Uninitialized);   // compressible, each its own
            QRandomGenerator random(i);
            for (char &c : text)
                c = char('a' + random.bounded(4 + i));
            QVERIFY(zip.AddFile(writeFile(path(QString("tile%1.tga").arg(i)), text, stamp)));
        }
        const QByteArray z = inMemory(zip);
        QCOMPARE(z.size(), 216930);
        QCOMPARE(QCryptographicHash::hash(z, QCryptographicHash::Sha1).toHex(), "14b942791df92011c1d3881d3b2e02d045556477");
    }

    void refusals()
    {
        ZipClass zip;
        QVERIFY(!zip.AddFile(path("nowhere.txt")));
        QVERIFY(zip.errorString().contains(QDir::toNativeSeparators(path("nowhere.txt"))));
        QCOMPARE(zip.FileCount(), 0);
        QVERIFY(zip.AddFile(writeFile(path("small.txt"), "s"), QString(65536, u'n')));
        QVERIFY(!zip.WriteZip(path("refused.zip")));
        QVERIFY2(zip.errorString().contains("65535"), qPrintable(zip.errorString()));
        QVERIFY(!QFile::exists(path("refused.zip")));
    }

    void writeFailuresAreReported()
    {
        ZipClass zip;
        QVERIFY(zip.AddFile(writeFile(path("payload.txt"), QByteArray(5000, 'p'))));
        QVERIFY(QDir(tmp->path()).mkpath("a folder.zip"));
        QVERIFY(!zip.WriteZip(path("a folder.zip"), true));
        QVERIFY(zip.errorString().contains(QDir::toNativeSeparators(path("a folder.zip"))));
        const QString kept = writeFile(path("kept.zip"), "old archive");
        QVERIFY(QFile::setPermissions(kept, QFile::ReadOwner));
        QVERIFY(!zip.WriteZip(kept, true));
        QVERIFY2(zip.errorString().contains("read-only"), qPrintable(zip.errorString()));
        QCOMPARE(QFileInfo(kept).size(), 11);
        LimitedDevice device(100);
        QVERIFY(!zip.WriteZip(&device));
        QCOMPARE(zip.errorString(), "No space left on device");
    }
};

QTEST_GUILESS_MAIN(TestZipClass)
#include "tst_zipclass.moc"
