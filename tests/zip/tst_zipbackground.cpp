#include "zipbackground.h"
#include "zipreader.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

static bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

static QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A fake game tree: hl.exe beside cstrike/resource, which holds both layout
// files, and cstrike/resource/background with the twelve tiles of 800x600.
class TestZipBackground : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> tmp;
    QStringList names;   // archive order: the layout files, then the tiles row by row
    QString resource(const QString &name) const { return tmp->filePath("cstrike/resource/" + name); }
    const QString relative = R"(cstrike\resource\background)";

private slots:
    void init()
    {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(resource("background")));
        names = QStringList{"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"};
        for (int i = 0; i < 12; ++i)
            names << QString("800_%1_%2_loading.tga").arg(i / 4 + 1).arg(QChar('a' + i % 4));
        for (int i = 0; i < names.size(); ++i)
            QVERIFY(writeFile(resource(i < 2 ? names[i] : "background/" + names[i]), names[i].toLatin1()));
    }

    void packsLayoutFilesThenTilesInGridOrder()
    {
        const ZipBackgroundResult result = ZipBackground(tmp->filePath("hl.exe"), relative, 1, tmp->filePath("bg.zip"));
        QVERIFY2(result.ok, qPrintable(result.errorString));
        QCOMPARE(result.entries, names);
        ReadArchive read;
        QString error;
        QVERIFY2(ReadZip(readFile(tmp->filePath("bg.zip")), read, error), qPrintable(error));
        QCOMPARE(read.entries.size(), names.size());
        for (int i = 0; i < names.size(); ++i)   // each file holds its own name
            QVERIFY2(read.entries[i].name == names[i] && read.entries[i].contents == names[i], qPrintable(names[i]));
    }

    void missingTileWritesNothing()
    {
        const QString missing = QDir::toNativeSeparators(resource("background/800_2_c_loading.tga"));
        QVERIFY(QFile::remove(missing));
        QVERIFY(writeFile(tmp->filePath("old.zip"), "previous archive"));
        for (const QString &archive : {tmp->filePath("fresh.zip"), tmp->filePath("old.zip")}) {
            const ZipBackgroundResult result = ZipBackground(tmp->filePath("hl.exe"), relative, 1, archive);
            QVERIFY(!result.ok && result.entries.isEmpty());
            QVERIFY2(result.errorString.contains(missing), qPrintable(result.errorString));
        }
        QVERIFY(!QFile::exists(tmp->filePath("fresh.zip")));
        QCOMPARE(readFile(tmp->filePath("old.zip")), "previous archive");
    }
};

QTEST_GUILESS_MAIN(TestZipBackground)
#include "tst_zipbackground.moc"
