#include "common/testfiles.h"
#include "games/steamlibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSteamLibrary : public QObject {
    Q_OBJECT
private slots:
    void libraryFolders_data()
    {
        QTest::addColumn<QByteArray>("vdf"); QTest::addColumn<QStringList>("folders");
        QTest::newRow("nested, with settings") << QByteArray(
            "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/u/.local/share/Steam\"\n\t\t\"label\"\t\t\"\"\n"
            "\t\t\"apps\"\n\t\t{\n\t\t\t\"70\"\t\t\"123\"\n\t\t}\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"/mnt/games/Steam\"\n\t}\n}\n")
            << QStringList{"/home/u/.local/share/Steam", "/mnt/games/Steam"};
        QTest::newRow("flat, escaped backslashes") << QByteArray(
            "\"LibraryFolders\"\r\n{\r\n\t\"TimeNextStatsReport\"\t\t\"1\"\r\n\t\"ContentStatsID\"\t\t\"-42\"\r\n"
            "\t\"1\"\t\t\"D:\\\\SteamLibrary\"\r\n\t\"2\"\t\t\"E:\\\\Games\\\\Steam\"\r\n}\r\n")
            << QStringList{"D:\\SteamLibrary", "E:\\Games\\Steam"};
        QTest::newRow("comment and quoted brace") << QByteArray(
            "// written by Steam\n\"libraryfolders\" { \"0\" { \"path\" \"/a{b}\" } }")
            << QStringList{"/a{b}"};
        QTest::newRow("unterminated string") << QByteArray("\"libraryfolders\" { \"0\" { \"path\" \"/x") << QStringList();
        QTest::newRow("a thousand blocks deep") << QByteArray("\"a\" {").repeated(1000) << QStringList();
        QTest::newRow("not text") << QByteArray("\x00\x01\x02\xff", 4) << QStringList();
    }

    void libraryFolders()
    {
        QFETCH(QByteArray, vdf); QFETCH(QStringList, folders);
        QCOMPARE(LibraryFoldersFromVdf(vdf), folders);
    }

    // A fake home with Steam in each usual place; the game in a second library named by the
    // nested form, in a Flatpak library named by the flat form, and in Snap's own.
    void installsInEachKindOfSteam()
    {
        QTemporaryDir home;
        const auto game = [&](const QString &library, const char *executable) {
            return QDir().mkpath(home.filePath(library + "/steamapps/common/Half-Life"))
                   && WriteBytes(home.filePath(library + "/steamapps/common/Half-Life/" + executable), "");
        };
        QVERIFY(QDir().mkpath(home.filePath(".local/share/Steam/steamapps")));
        QVERIFY(WriteBytes(home.filePath(".local/share/Steam/steamapps/libraryfolders.vdf"),
                           "\"libraryfolders\" { \"0\" { \"path\" \"" + home.filePath(".local/share/Steam").toUtf8()
                               + "\" } \"1\" { \"path\" \"" + home.filePath("second").toUtf8() + "\" } }"));
        QVERIFY(game("second", "hl.sh"));
        QVERIFY(QDir().mkpath(home.filePath(".steam")));
        QVERIFY(QFile::link(home.filePath(".local/share/Steam"), home.filePath(".steam/steam")));   // the same one again
        QVERIFY(QDir().mkpath(home.filePath(".var/app/com.valvesoftware.Steam/data/Steam/steamapps")));
        QVERIFY(WriteBytes(home.filePath(".var/app/com.valvesoftware.Steam/data/Steam/steamapps/libraryfolders.vdf"),
                           "\"LibraryFolders\" { \"1\" \"" + home.filePath("flatpak-lib").toUtf8() + "\" }"));
        QVERIFY(game("flatpak-lib", "hl_linux"));
        QVERIFY(game("snap/steam/common/.local/share/Steam", "hl.sh"));
        QVERIFY(QDir().mkpath(home.filePath("broken/steamapps")));
        QVERIFY(WriteBytes(home.filePath("broken/steamapps/libraryfolders.vdf"), "\"libraryfolders\" { \"0\" {"));

        QStringList found;
        for (const SteamInstall &install :
             FindSteamInstalls(SteamRootCandidates(home.path()) << home.filePath("broken"), {"hl.sh", "hl_linux"}))
            found << QDir(home.path()).relativeFilePath(install.Executable);
        QCOMPARE(found, (QStringList{"second/steamapps/common/Half-Life/hl.sh",
                                     "flatpak-lib/steamapps/common/Half-Life/hl_linux",
                                     "snap/steam/common/.local/share/Steam/steamapps/common/Half-Life/hl.sh"}));
    }
};

QTEST_GUILESS_MAIN(TestSteamLibrary)
#include "tst_steamlibrary.moc"
