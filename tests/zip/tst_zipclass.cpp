#include "zipclass.h"
#include "zipreader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

namespace {

QString writeFile(const QString &path, const QByteArray &bytes, const QDateTime &modified = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()
        || (modified.isValid() && !file.setFileTime(modified, QFileDevice::FileModificationTime)))
        qFatal("cannot prepare %s", qPrintable(path));
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The archive written into memory; empty (and unreadable) when WriteZip fails.
QByteArray inMemory(ZipClass &zip)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return zip.WriteZip(&buffer) ? buffer.data() : QByteArray();
}

// A buffer that accepts `limit` bytes and then fails, like a full disk.
class FailingDevice : public QBuffer
{
public:
    explicit FailingDevice(qint64 limit) : limit(limit) {}

protected:
    qint64 writeData(const char *data, qint64 length) override
    {
        if (pos() + length > limit) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        return QBuffer::writeData(data, length);
    }

private:
    qint64 limit;
};

} // namespace

class TestZipClass : public QObject
{
    Q_OBJECT

private slots:
    void oneFileHasExactHeaders();
    void emptyArchiveIsEndRecordAlone();
    void dosTimeAndDate_data();
    void dosTimeAndDate();
    void filenameReplacesStoredName();
    void entryCommentOnlyInCentralDirectory();
    void overwriteRules();
    void refusesFieldsBeyondFormat_data();
    void refusesFieldsBeyondFormat();
    void addFileRefusesNonFiles_data();
    void addFileRefusesNonFiles();
    void writeFailuresAreReported();
    void roundTripKeepsContentsAsAdded();
    void unzipAcceptsArchive();

    void init();

private:
    std::unique_ptr<QTemporaryDir> tmp;
    QDir dir;
};

void TestZipClass::init()
{
    tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(tmp->isValid());
    dir.setPath(tmp->path());
}

void TestZipClass::oneFileHasExactHeaders()
{
    const QString source = writeFile(dir.filePath("ten.bin"), "0123456789",
                                     QDateTime(QDate(2010, 12, 31), QTime(23, 59, 59)));
    ZipClass zip;
    zip.setComment("hi");
    QVERIFY2(zip.AddFile(source), qPrintable(zip.errorString()));
    QCOMPARE(zip.FileCount(), 1);
    const QString archive = dir.filePath("one.zip");
    QVERIFY2(zip.WriteZip(archive), qPrintable(zip.errorString()));
    const QByteArray z = readFile(archive);

    // What compress() gives, without its 2-byte header and 4-byte trailer.
    uLongf zlibLength = compressBound(10);
    QByteArray zlibStream(qsizetype(zlibLength), 0);
    compress(reinterpret_cast<Bytef *>(zlibStream.data()), &zlibLength,
             reinterpret_cast<const Bytef *>("0123456789"), 10);
    const quint32 c = quint32(zlibLength) - 6;
    const QByteArray name = "ten.bin";
    const quint32 n = quint32(name.size());

    QCOMPARE(le32(z, 0), 0x04034B50u);
    QCOMPARE(le16(z, 4), 20);
    QCOMPARE(le16(z, 6), 0x0002);
    QCOMPARE(le16(z, 8), 8);
    QCOMPARE(le16(z, 10), 0xBF7D);
    QCOMPARE(le16(z, 12), 0x3D9F);
    QCOMPARE(le32(z, 14), 0xA684C7C6u);
    QCOMPARE(le32(z, 18), c);
    QCOMPARE(le32(z, 22), 10u);
    QCOMPARE(le16(z, 26), n);
    QCOMPARE(le16(z, 28), 0);
    QCOMPARE(z.mid(30, n), name);
    QCOMPARE(z.mid(30 + n, c), zlibStream.mid(2, c));
    QVERIFY(quint8(z[30 + n]) != 0x78);

    const qsizetype cd = 30 + n + c;
    QCOMPARE(le32(z, cd), 0x02014B50u);
    const quint16 central16[] = {20, 20, 0x0002, 8, 0xBF7D, 0x3D9F};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(le16(z, cd + 4 + 2 * i), central16[i]);
    QCOMPARE(le32(z, cd + 16), 0xA684C7C6u);
    QCOMPARE(le32(z, cd + 20), c);
    QCOMPARE(le32(z, cd + 24), 10u);
    const quint16 tail16[] = {quint16(n), 0, 0, 0, 0x0020};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(le16(z, cd + 28 + 2 * i), tail16[i]);
    QCOMPARE(le32(z, cd + 38), 0u);
    QCOMPARE(le32(z, cd + 42), 0u);
    QCOMPARE(z.mid(cd + 46, n), name);

    const qsizetype end = cd + 46 + n;
    QCOMPARE(z.size(), end + 22 + 2);
    QCOMPARE(z.mid(end, 12), QByteArray::fromHex("504b0506 0000 0000 0100 0100"));
    QCOMPARE(le32(z, end + 12), 46 + n);
    QCOMPARE(le32(z, end + 16), quint32(cd));
    QCOMPARE(le16(z, end + 20), 2);
    QCOMPARE(z.mid(end + 22), QByteArray("hi"));
}

void TestZipClass::emptyArchiveIsEndRecordAlone()
{
    ZipClass zip;
    zip.setComment("note");
    const QString archive = dir.filePath("empty.zip");
    QVERIFY2(zip.WriteZip(archive), qPrintable(zip.errorString()));
    QCOMPARE(readFile(archive), QByteArray::fromHex("504b0506") + QByteArray(16, 0) + QByteArray::fromHex("0400") + "note");
}

void TestZipClass::dosTimeAndDate_data()
{
    QTest::addColumn<QDateTime>("modified");
    QTest::addColumn<int>("time");
    QTest::addColumn<int>("date");
    QTest::newRow("last second of 2010") << QDateTime(QDate(2010, 12, 31), QTime(23, 59, 59)) << 0xBF7D << 0x3D9F;
    QTest::newRow("DOS epoch") << QDateTime(QDate(1980, 1, 1), QTime(0, 0, 0)) << 0x0000 << 0x0021;
    QTest::newRow("odd second rounds down") << QDateTime(QDate(2000, 2, 29), QTime(12, 34, 57)) << 0x645C << 0x285D;
    QTest::newRow("1979 wraps to 127") << QDateTime(QDate(1979, 6, 15), QTime(8, 0, 0)) << 0x4000 << 0xFECF;
}

void TestZipClass::dosTimeAndDate()
{
    QFETCH(QDateTime, modified);
    QFETCH(int, time);
    QFETCH(int, date);
    const QString source = writeFile(dir.filePath("stamped.txt"), "x", modified);
    ZipClass zip;
    QVERIFY(zip.AddFile(source));
    const QByteArray z = inMemory(zip);
    QVERIFY(z.size() > 14);
    QCOMPARE(le16(z, 10), time);
    QCOMPARE(le16(z, 12), date);
}

void TestZipClass::filenameReplacesStoredName()
{
    // Either separator ends the folder part, whatever the platform.
    QVERIFY(dir.mkpath("folder"));
    const QString source = writeFile(dir.filePath("folder\\inner.txt"), "text");
    ZipClass zip;
    QVERIFY(zip.AddFile(source));
    QVERIFY(zip.AddFile(source, "renamed.dat"));
    ReadArchive read;
    QString error;
    QVERIFY2(ReadZip(inMemory(zip), read, error), qPrintable(error));
    QCOMPARE(read.entries.size(), 2);
    QCOMPARE(read.entries[0].name, QByteArray("inner.txt"));
    QCOMPARE(read.entries[1].name, QByteArray("renamed.dat"));
    QCOMPARE(read.entries[1].contents, QByteArray("text"));
}

void TestZipClass::entryCommentOnlyInCentralDirectory()
{
    const QString source = writeFile(dir.filePath("c.txt"), "commented");
    ZipClass zip;
    QVERIFY(zip.AddFile(source, {}, "a remark"));
    const QByteArray z = inMemory(zip);
    QVERIFY(z.size() > 22);
    const quint32 cd = le32(z, z.size() - 6);
    QCOMPARE(cd, 30 + 5 + le32(z, 18));   // the local record holds no comment
    QCOMPARE(le16(z, cd + 32), 8);
    QCOMPARE(z.mid(cd + 46 + 5, 8), QByteArray("a remark"));
    QCOMPARE(z.count("a remark"), 1);
}

void TestZipClass::overwriteRules()
{
    const QString archive = writeFile(dir.filePath("existing.zip"), "old archive");
    ZipClass zip;
    QVERIFY(zip.AddFile(writeFile(dir.filePath("new.txt"), "new")));
    QVERIFY(!zip.WriteZip(archive));
    QVERIFY(zip.errorString().contains(QDir::toNativeSeparators(archive)));
    QCOMPARE(readFile(archive), QByteArray("old archive"));

    QVERIFY2(zip.WriteZip(archive, true), qPrintable(zip.errorString()));
    const QByteArray first = readFile(archive);
    QVERIFY(!first.contains("old archive"));
    QVERIFY2(zip.WriteZip(archive, true), qPrintable(zip.errorString()));
    QCOMPARE(readFile(archive), first);
}

void TestZipClass::refusesFieldsBeyondFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("entryComment");
    QTest::addColumn<QString>("archiveComment");
    const QString tooLong(65536, u'n');
    QTest::newRow("name") << tooLong << QString() << QString();
    QTest::newRow("entry comment") << QString() << tooLong << QString();
    QTest::newRow("archive comment") << QString() << QString() << tooLong;
}

void TestZipClass::refusesFieldsBeyondFormat()
{
    QFETCH(QString, name);
    QFETCH(QString, entryComment);
    QFETCH(QString, archiveComment);
    ZipClass zip;
    zip.setComment(archiveComment);
    QVERIFY(zip.AddFile(writeFile(dir.filePath("small.txt"), "s"), name, entryComment));
    const QString fresh = dir.filePath("refused.zip");
    QVERIFY(!zip.WriteZip(fresh));
    QVERIFY(zip.errorString().contains("65535"));
    QVERIFY(!QFile::exists(fresh));
    const QString old = writeFile(dir.filePath("kept.zip"), "old");
    QVERIFY(!zip.WriteZip(old, true));
    QCOMPARE(readFile(old), QByteArray("old"));
}

void TestZipClass::addFileRefusesNonFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing") << QStringLiteral("nowhere.txt");
    QTest::newRow("directory") << QStringLiteral("folder");
}

void TestZipClass::addFileRefusesNonFiles()
{
    QFETCH(QString, path);
    path = dir.filePath(path);
    QVERIFY(dir.mkpath("folder"));
    ZipClass zip;
    QVERIFY(zip.AddFile(writeFile(dir.filePath("kept.txt"), "kept")));
    QVERIFY(!zip.AddFile(path));
    QVERIFY(zip.errorString().contains(QDir::toNativeSeparators(path)));
    QCOMPARE(zip.FileCount(), 1);
    ReadArchive read;
    QString error;
    QVERIFY2(ReadZip(inMemory(zip), read, error), qPrintable(error));
    QCOMPARE(read.entries.size(), 1);
    QCOMPARE(read.entries[0].name, QByteArray("kept.txt"));
}

void TestZipClass::writeFailuresAreReported()
{
    ZipClass zip;
    QVERIFY(zip.AddFile(writeFile(dir.filePath("payload.txt"), QByteArray(5000, 'p'))));

    const QString folder = dir.filePath("a folder.zip");
    QVERIFY(dir.mkpath(folder));
    QVERIFY(!zip.WriteZip(folder, true));
    QVERIFY(zip.errorString().contains(QDir::toNativeSeparators(folder)));

    const QString underFile = writeFile(dir.filePath("plain"), "x") + "/out.zip";
    QVERIFY(!zip.WriteZip(underFile, true));
    QVERIFY(zip.errorString().contains(QDir::toNativeSeparators(underFile)));

    for (qint64 limit : {0, 29, 100, 120}) {
        FailingDevice device(limit);
        device.open(QIODevice::WriteOnly);
        QVERIFY(!zip.WriteZip(&device));
        QCOMPARE(zip.errorString(), QStringLiteral("No space left on device"));
    }
}

void TestZipClass::roundTripKeepsContentsAsAdded()
{
    QByteArray noise(300000, 0);
    QRandomGenerator generator(7);
    for (char &byte : noise)
        byte = char(generator.bounded(256));
    const QList<QPair<QString, QByteArray>> files = {
        {"layout.txt", "resource/background/800_1_a_loading.tga\r\nscaled\r\n"},
        {"noise.bin", noise},
        {"flat.tga", QByteArray(196626, '\x40')},
        {"empty.txt", {}},
    };
    ZipClass zip;
    for (const auto &[name, bytes] : files)
        QVERIFY(zip.AddFile(writeFile(dir.filePath(name), bytes), {}, name == "noise.bin" ? "random" : ""));
    // The archive holds the files as they were when added.
    QVERIFY(QFile::remove(dir.filePath("noise.bin")));
    writeFile(dir.filePath("flat.tga"), "changed");

    const QString archive = dir.filePath("round.zip");
    QVERIFY2(zip.WriteZip(archive), qPrintable(zip.errorString()));
    ReadArchive read;
    QString error;
    QVERIFY2(ReadZip(readFile(archive), read, error), qPrintable(error));
    QCOMPARE(read.entries.size(), files.size());
    for (int i = 0; i < files.size(); ++i) {
        QCOMPARE(read.entries[i].name, files[i].first.toLocal8Bit());
        QCOMPARE(read.entries[i].contents, files[i].second);
    }
    QCOMPARE(read.entries[1].comment, QByteArray("random"));
    QVERIFY(read.entries[2].compressedSize < 2000);
    QCOMPARE(read.entries[3].uncompressedSize, 0u);   // a valid, empty deflate stream
    QVERIFY(read.entries[3].compressedSize > 0);
}

void TestZipClass::unzipAcceptsArchive()
{
    if (!QFile::exists("/usr/bin/unzip"))
        QSKIP("unzip is not installed");
    ZipClass zip;
    zip.setComment("made by the tests");
    QVERIFY(zip.AddFile(writeFile(dir.filePath("one.txt"), "first\r\n"), {}, "with a comment"));
    QVERIFY(zip.AddFile(writeFile(dir.filePath("two.bin"), QByteArray(70000, '\x07'))));
    QVERIFY(zip.AddFile(writeFile(dir.filePath("zero.txt"), {})));
    const QString archive = dir.filePath("checked.zip");
    QVERIFY(zip.WriteZip(archive));
    QProcess unzip;
    unzip.start("/usr/bin/unzip", {"-t", archive});
    QVERIFY(unzip.waitForFinished());
    QVERIFY2(unzip.exitCode() == 0, unzip.readAll().constData());
}

QTEST_GUILESS_MAIN(TestZipClass)
#include "tst_zipclass.moc"
