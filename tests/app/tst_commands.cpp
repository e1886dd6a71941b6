#include "elboton.h"
#include "elcombo.h"
#include "gameprofile.h"
#include "gametree.h"
#include "layoutfiles.h"
#include "mainwindow.h"
#include "scriptedinteraction.h"
#include "tgareader.h"
#include "tilegrid.h"
#include "zipreader.h"

#include <QTest>

// The make, zip and run commands of a started window, against a temporary game tree.
class TestCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void generateWritesTilesOfTheScaledPicture_data();
    void generateWritesTilesOfTheScaledPicture();
    void unwritableTileIsReportedAndNothingElseChanges();
    void missingResourceFolderEndsTheProgram();
    void zip_data();
    void zip();
    void runStartsTheGame_data();
    void runStartsTheGame();
    void failedStartIsReported();

private:
    // Starts a window for `game` in `language` with a default picture of four coloured
    // quarters; false when start-up did not get through.
    bool start(int game, qint16 language = 0);
    QString resourceFile(const QString &name) const;
    void make() { emit m_window->elboton2->Click(); }

    GameTree *m_tree = nullptr;
    ScriptedInteraction *m_ui = nullptr;
    Main *m_window = nullptr;
};

void TestCommands::init()
{
    m_tree = new GameTree;
    m_ui = new ScriptedInteraction;
}

void TestCommands::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_ui;
    delete m_tree;
}

bool TestCommands::start(int game, qint16 language)
{
    QImage quarters(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            quarters.setPixel(x, y, x < 32 ? (y < 24 ? qRgb(200, 30, 30) : qRgb(20, 40, 220))
                                           : (y < 24 ? qRgb(240, 230, 10) : qRgb(10, 10, 10)));
    const QString picture = m_tree->path(QStringLiteral("program/")
                                         + QLatin1String(ProfileOf(game).DefaultPicture));
    if (!quarters.save(picture, "JPG", 95) || !m_tree->writeConfig(language))
        return false;
    m_ui->gameAnswers = {game};
    m_window = new Main(m_ui, m_tree->programFolder(), m_tree->fallbackFolder());
    m_window->StartUp();
    return m_ui->messages.isEmpty() && !m_ui->ended;
}

QString TestCommands::resourceFile(const QString &name) const
{
    const char *games[] = {"cstrike", "cz", "dod", "valve"};
    return m_tree->path(QStringLiteral("Half-Life/%1/resource/%2")
                            .arg(QLatin1String(games[m_window->CurrentGame()]), name));
}

void TestCommands::generateWritesTilesOfTheScaledPicture_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<qint16>("language");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<QString>("success");
    QTest::newRow("Cs 640x480") << 0 << qint16(0) << 0 << "Cs Background Generated Succesfully";
    QTest::newRow("Cz 800x600") << 1 << qint16(0) << 1 << "Cz Background Generated Succesfully";
    QTest::newRow("Dod 1024x768 Spanish") << 2 << qint16(1) << 2
                                          << "Imagen De Fondo Generada Satisfactoriamente";
    QTest::newRow("HL 1280x1024") << 3 << qint16(0) << 3 << "Hal-Life Background Generated Succesfully";
}

void TestCommands::generateWritesTilesOfTheScaledPicture()
{
    QFETCH(int, game);
    QFETCH(qint16, language);
    QFETCH(int, resolution);
    QFETCH(QString, success);
    QVERIFY(start(game, language));
    m_window->elcombo1->SetListIndex(resolution);
    const QImage scaled = m_window->scaledPicture();
    QCOMPARE(scaled.size(), ResolutionSize(resolution));

    make();

    QCOMPARE(m_ui->messages, QStringList{success});
    QCOMPARE(m_window->LastGeneratedResolution(), resolution);
    for (const TileSpec &tile : TileGrid(resolution)) {
        const QImage written = ReadTga(resourceFile(QStringLiteral("background/") + tile.FileName));
        QVERIFY2(written == scaled.copy(tile.rect()), qPrintable(tile.FileName));
    }
    for (const char *layout : {"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"}) {
        QFile file(resourceFile(QLatin1String(layout)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), LayoutFileText(resolution));
    }
}

void TestCommands::unwritableTileIsReportedAndNothingElseChanges()
{
    QVERIFY(start(0));
    make();
    m_window->elcombo1->SetListIndex(0);
    const QString blocked = resourceFile(QStringLiteral("background/640_1_b_loading.tga"));
    QVERIFY(QDir().mkpath(blocked));   // a folder where the tile goes: not even root writes it
    m_ui->messages.clear();

    make();

    QCOMPARE(m_ui->messages.size(), 1);
    QVERIFY2(m_ui->messages[0].contains(blocked), qPrintable(m_ui->messages[0]));
    QCOMPARE(m_window->LastGeneratedResolution(), 1);
    QVERIFY(!m_ui->ended);
}

void TestCommands::missingResourceFolderEndsTheProgram()
{
    QVERIFY(start(2));
    QVERIFY(m_tree->removeFolder(QStringLiteral("Half-Life/dod/resource")));
    make();
    QCOMPARE(m_ui->messages, QStringList{QStringLiteral("Unable To Locate Dod Resource Folder")});
    QVERIFY(m_ui->ended);
    QCOMPARE(m_window->LastGeneratedResolution(), -1);
}

void TestCommands::zip_data()
{
    QTest::addColumn<bool>("made");          // a background made at 800x600, then 1280x1024 chosen
    QTest::addColumn<QString>("archive");    // the name chosen in the save dialog; empty cancels
    QTest::addColumn<QString>("removedTile");
    QTest::addColumn<QString>("message");    // the start of the one message, empty for none
    QTest::newRow("before any make") << false << "a.zip" << QString() << "First Make The Background !";
    QTest::newRow("cancelled") << true << QString() << QString() << QString();
    QTest::newRow("name used as typed, old file replaced")
        << true << "packed" << QString() << "Files Zipped Successfully !";
    QTest::newRow("missing tile") << true << "a.zip" << "800_2_c_loading.tga"
                                  << "Error: Files Not Zipped Correctly.\n";
}

void TestCommands::zip()
{
    QFETCH(bool, made);
    QFETCH(QString, archive);
    QFETCH(QString, removedTile);
    QFETCH(QString, message);
    QVERIFY(start(0));
    if (made)
        make();
    m_window->elcombo1->SetListIndex(3);
    if (!removedTile.isEmpty())
        QVERIFY(QFile::remove(resourceFile(QStringLiteral("background/") + removedTile)));
    const QString path = archive.isEmpty() ? QString() : m_tree->path(archive);
    if (!path.isEmpty() && removedTile.isEmpty())
        QVERIFY(m_tree->writeFile(archive, "an older file of that name"));
    m_ui->saveAnswers = {path};
    m_ui->messages.clear();

    emit m_window->elboton4->Click();

    QCOMPARE(m_ui->askedOf(QStringLiteral("save")),
             made ? QStringList{QStringLiteral("save Zip Files... | Zip File(*.zip)")} : QStringList());
    QCOMPARE(m_ui->messages.size(), message.isEmpty() ? 0 : 1);
    if (message.isEmpty())
        return;
    QVERIFY2(m_ui->messages[0].startsWith(message), qPrintable(m_ui->messages[0]));
    QVERIFY(m_ui->messages[0].contains(removedTile));
    QStringList entries{QStringLiteral("BackgroundLayout.txt"),
                        QStringLiteral("BackgroundLoadingLayout.txt")};
    for (const TileSpec &tile : TileGrid(1))
        entries.append(tile.FileName);
    const bool packed = message.startsWith(QStringLiteral("Files Zipped"));
    QStringList names;
    if (packed) {
        QFile archive(path);
        QVERIFY(archive.open(QIODevice::ReadOnly));
        ReadArchive read;
        QString error;
        QVERIFY2(ReadZip(archive.readAll(), read, error), qPrintable(error));
        for (const ReadEntry &entry : read.entries)
            names.append(QString::fromLatin1(entry.name));
    }
    QCOMPARE(names, packed ? entries : QStringList());
    if (!removedTile.isEmpty())
        QVERIFY(!QFile::exists(path));
}

void TestCommands::runStartsTheGame_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("answer");   // empty cancels the box
    QTest::addColumn<QString>("input");    // what the box offered, empty when none was shown
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("started");
    QTest::newRow("Cs as offered") << 0 << "-game cstrike" << "Extra Parameters | -game cstrike"
                                   << QStringList{"-game", "cstrike"} << true;
    QTest::newRow("Cz with more") << 1 << "-game cz -w 1024" << "Extra Parameters | -game cz"
                                  << QStringList{"-game", "cz", "-w", "1024"} << true;
    QTest::newRow("Dod cancelled") << 2 << QString() << "Extra Parameters | -game dod"
                                   << QStringList() << false;
    QTest::newRow("Half-Life, no box") << 3 << QString() << QString() << QStringList() << true;
}

void TestCommands::runStartsTheGame()
{
    QFETCH(int, game);
    QFETCH(QString, answer);
    QFETCH(QString, input);
    QFETCH(QStringList, arguments);
    QFETCH(bool, started);
    QVERIFY(start(game));
    if (!answer.isEmpty())
        m_ui->inputAnswers = {answer};

    emit m_window->elboton1->Click();

    QCOMPARE(m_ui->askedOf(QStringLiteral("input")),
             input.isEmpty() ? QStringList() : QStringList{QStringLiteral("input ") + input});
    QCOMPARE(m_ui->starts.size(), started ? 1 : 0);
    if (started) {
        QCOMPARE(m_ui->starts[0].program, m_tree->exePath());
        QCOMPARE(m_ui->starts[0].arguments, arguments);
        QCOMPARE(QDir(m_ui->starts[0].workingFolder), QDir(m_tree->path(QStringLiteral("Half-Life"))));
    }
    QVERIFY(m_ui->messages.isEmpty());
}

void TestCommands::failedStartIsReported()
{
    QVERIFY(start(3));
    m_ui->startError = QStringLiteral("Permission denied");
    emit m_window->elboton1->Click();
    QCOMPARE(m_ui->messages.size(), 1);
    QVERIFY(m_ui->messages[0].contains(m_tree->exePath()));
    QVERIFY(m_ui->messages[0].contains(QStringLiteral("Permission denied")));
    QVERIFY(!m_ui->ended);
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
