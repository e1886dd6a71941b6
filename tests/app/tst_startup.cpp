#include "elboton.h"
#include "ellabel.h"
#include "gametree.h"
#include "mainwindow.h"
#include "scriptedinteraction.h"

#include <QDir>
#include <QFile>
#include <QTest>

// The start-up sequence: which questions a run asks, what it stores in config.dat, and how a
// step without a usable answer ends the program without touching the previous settings.
class TestStartUp : public QObject {
    Q_OBJECT

private slots:
    void firstRunAsksAndStoresSixLines();
    void storedLanguageIsNotAskedAgain_data();
    void storedLanguageIsNotAskedAgain();
    void failedStepEndsAndKeepsSettings_data();
    void failedStepEndsAndKeepsSettings();
    void pickedFolderInOtherCaseIsStoredAsPicked();
    void conditionZeroFindsItsAlternateFolder();
    void spanishCaptionsForDayOfDefeat();
    void runsOnlyOnce();
    void unwritableProgramFolderUsesFallback();
    void corruptDefaultPictureKeepsBlackPreview();
};

void TestStartUp::firstRunAsksAndStoresSixLines()
{
    GameTree tree;
    ScriptedInteraction ui;
    ui.openAnswers = {tree.exePath()};
    Main w(&ui, tree.programFolder(), tree.fallbackFolder());
    w.StartUp();

    QCOMPARE(ui.askedOf(QStringLiteral("language")).size(), 1);
    QCOMPARE(ui.askedOf(QStringLiteral("open")),
             QStringList{QStringLiteral("open Locate HL.exe | ") + QStringLiteral("hl.exe (hl.exe)")
#ifndef Q_OS_WIN
                         + QStringLiteral(";;Linux build (hl_linux hl.sh)")
#endif
             });
    QCOMPARE(ui.askedOf(QStringLiteral("game")).size(), 1);
    QVERIFY(ui.askedOf(QStringLiteral("folder")).isEmpty());
    QVERIFY2(ui.messages.isEmpty(), qPrintable(ui.messages.join('\n')));
    QVERIFY(!ui.ended);

    const QList<QByteArray> lines = tree.configBytes().split('\n');
    QCOMPARE(lines.size(), 7);   // six CR LF lines and nothing after the last
    QCOMPARE(lines[0], tree.exePath().toUtf8() + '\r');
    QCOMPARE(lines[1].trimmed(), QByteArray("0"));
    QCOMPARE(lines[2], QDir::toNativeSeparators(QStringLiteral("cstrike/resource/background")).toUtf8() + '\r');
    QCOMPARE(w.LastGeneratedResolution(), -1);
}

void TestStartUp::storedLanguageIsNotAskedAgain_data()
{
    QTest::addColumn<qint16>("stored");
    QTest::addColumn<bool>("asked");
    QTest::newRow("English") << qint16(0) << false;
    QTest::newRow("Spanish") << qint16(1) << false;
    QTest::newRow("7") << qint16(7) << true;
}

void TestStartUp::storedLanguageIsNotAskedAgain()
{
    QFETCH(qint16, stored);
    QFETCH(bool, asked);
    GameTree tree;
    QVERIFY(tree.writeConfig(stored));
    ScriptedInteraction ui;
    ui.languageAnswers = {1};
    Main w(&ui, tree.programFolder(), tree.fallbackFolder());
    w.StartUp();

    QCOMPARE(ui.askedOf(QStringLiteral("language")).size(), asked ? 1 : 0);
    QVERIFY(ui.askedOf(QStringLiteral("open")).isEmpty());
    QCOMPARE(w.CurrentLanguage(), asked ? 1 : int(stored));
    QCOMPARE(w.settings().Language, qint16(w.CurrentLanguage()));
}

void TestStartUp::failedStepEndsAndKeepsSettings_data()
{
    QTest::addColumn<bool>("exeGone");
    QTest::addColumn<QString>("picked");   // relative to the temporary folder; "-" cancels
    QTest::addColumn<QString>("message");
    const QString folderMessage = QStringLiteral("Unable To Locate Cs Background Folder");
    QTest::newRow("executable dialog cancelled") << true << QString() << "Unable To Locate HL.exe";
    QTest::newRow("picker cancelled") << false << "-" << folderMessage;
    QTest::newRow("short path") << false << "/a/b" << folderMessage;
    QTest::newRow("wrong suffix") << false << "Half-Life/cstrike/resource/backdrop" << folderMessage;
    QTest::newRow("outside the game") << false << "Other/cstrike/resource/background" << folderMessage;
}

void TestStartUp::failedStepEndsAndKeepsSettings()
{
    QFETCH(bool, exeGone);
    QFETCH(QString, picked);
    QFETCH(QString, message);
    GameTree tree;
    QVERIFY(tree.removeFolder(QStringLiteral("Half-Life/cstrike")));
    QVERIFY(tree.makeFolder(QStringLiteral("Other/cstrike/resource/background")));
    QVERIFY(tree.writeConfig(0, exeGone ? tree.path(QStringLiteral("gone/hl.exe")) : QString()));
    const QByteArray before = tree.configBytes();
    ScriptedInteraction ui;
    if (picked == QLatin1String("-"))
        ui.folderAnswers = {QString()};
    else if (!picked.isEmpty())
        ui.folderAnswers = {picked.startsWith('/') ? picked : tree.path(picked)};
    Main w(&ui, tree.programFolder(), tree.fallbackFolder());
    w.StartUp();

    QVERIFY(ui.ended);
    QCOMPARE(ui.messages, QStringList{message});
    QCOMPARE(tree.configBytes(), before);
    if (!exeGone)
        QCOMPARE(ui.askedOf(QStringLiteral("folder")),
                 QStringList{QStringLiteral("folder Locate Cs background Folder\n"
                                            " (Usually in valve\\cstrike\\resource\\background)")});
}

void TestStartUp::pickedFolderInOtherCaseIsStoredAsPicked()
{
    GameTree tree;
    QVERIFY(tree.removeFolder(QStringLiteral("Half-Life/dod")));
    QVERIFY(tree.makeFolder(QStringLiteral("Half-Life/dod/Resource/Background")));
    QVERIFY(tree.writeConfig(0));
    ScriptedInteraction ui;
    ui.gameAnswers = {2};
    ui.folderAnswers = {tree.path(QStringLiteral("Half-Life/dod/Resource/Background"))};
    Main w(&ui, tree.programFolder(), tree.fallbackFolder());
    w.StartUp();

    QVERIFY2(!ui.ended, qPrintable(ui.messages.join('\n')));
    const QString stored = QDir::toNativeSeparators(QStringLiteral("dod/Resource/Background"));
    QCOMPARE(w.settings().DodFolder, stored);
    QCOMPARE(tree.configBytes().split('\n').at(4), stored.toUtf8() + '\r');
}

void TestStartUp::conditionZeroFindsItsAlternateFolder()
{
    GameTree tree;
    QVERIFY(tree.removeFolder(QStringLiteral("Half-Life/cz")));
    QVERIFY(tree.makeFolder(QStringLiteral("Half-Life/czero/resource/background")));
    QVERIFY(tree.writeConfig(0));
    ScriptedInteraction ui;
    ui.gameAnswers = {1};
    Main w(&ui, tree.programFolder(), tree.fallbackFolder());
    w.StartUp();

    QVERIFY(ui.askedOf(QStringLiteral("folder")).isEmpty());
    QCOMPARE(w.settings().CzFolder,
             QDir::toNativeSeparators(QStringLiteral("czero/resource/background")));
}

void TestStartUp::spanishCaptionsForDayOfDefeat()
{
    GameTree tree;
    QVERIFY(tree.writeConfig(1));
    ScriptedInteraction ui;
    ui.gameAnswers = {2};
    Main w(&ui, tree.programFolder(), tree.fallbackFolder());
    QCOMPARE(w.ellabel1->Caption(), QStringLiteral("Resolution:"));
    w.StartUp();

    QCOMPARE(w.elboton1->Caption(), QStringLiteral("Ejecutar Dod"));
    QCOMPARE(w.elboton2->Caption(), QStringLiteral("Crear Fondo Dod"));
    QCOMPARE(w.elboton3->Caption(), QStringLiteral("Cargar Imagen"));
    QCOMPARE(w.elboton4->Caption(), QStringLiteral("Zip Files"));
    QCOMPARE(w.ellabel1->Caption(), QStringLiteral("Resoluci\u00f3n"));
}

void TestStartUp::runsOnlyOnce()
{
    GameTree tree;
    QVERIFY(tree.writeConfig(0));
    ScriptedInteraction ui;
    Main w(&ui, tree.programFolder(), tree.fallbackFolder());
    w.StartUp();
    w.StartUp();
    QCOMPARE(ui.askedOf(QStringLiteral("game")).size(), 1);
}

void TestStartUp::unwritableProgramFolderUsesFallback()
{
    GameTree tree;
    // A folder below a regular file can be neither created nor written, even by root.
    QFile blocker(tree.path(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString programFolder = tree.path(QStringLiteral("blocker/program"));
    for (int run = 0; run < 2; ++run) {
        ScriptedInteraction ui;
        ui.openAnswers = {tree.exePath()};
        Main w(&ui, programFolder, tree.fallbackFolder());
        w.StartUp();
        QVERIFY2(ui.messages.isEmpty(), qPrintable(ui.messages.join('\n')));
        QCOMPARE(ui.askedOf(QStringLiteral("language")).size(), run == 0 ? 1 : 0);
    }
    QVERIFY(QFile::exists(tree.path(QStringLiteral("fallback/config.dat"))));
}

void TestStartUp::corruptDefaultPictureKeepsBlackPreview()
{
    GameTree tree;
    QVERIFY(tree.writeConfig(0));
    QFile picture(tree.path(QStringLiteral("program/cs_default.jpg")));
    QVERIFY(picture.open(QIODevice::WriteOnly));
    picture.write("not a picture");
    picture.close();
    ScriptedInteraction ui;
    Main w(&ui, tree.programFolder(), tree.fallbackFolder());
    w.StartUp();

    QCOMPARE(ui.messages.size(), 1);
    QVERIFY2(ui.messages[0].contains(picture.fileName()), qPrintable(ui.messages[0]));
    QVERIFY(!ui.ended);
    QCOMPARE(w.scaledPicture().size(), QSize(800, 600));
    QCOMPARE(w.scaledPicture().pixel(400, 300), qRgb(0, 0, 0));
    QVERIFY(QFile::exists(tree.configPath()));
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
