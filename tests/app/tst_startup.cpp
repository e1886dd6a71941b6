#include "elboton.h"
#include "ellabel.h"
#include "gametree.h"
#include "mainwindow.h"
#include "scriptedinteraction.h"

#include <QTest>

// The start-up sequence: what a run asks, what it stores in config.dat, and how a step
// without a usable answer ends the program and leaves the previous settings alone.
class TestStartUp : public QObject {
    Q_OBJECT

private slots:
    void firstRunAsksAndStoresSixLines();
    void storedLanguageIsNotAskedAgain_data();
    void storedLanguageIsNotAskedAgain();
    void failedStepEndsAndKeepsSettings_data();
    void failedStepEndsAndKeepsSettings();
    void folderFoundOrPickedIsStored_data();
    void folderFoundOrPickedIsStored();
    void spanishCaptionsForDayOfDefeat();
    void unwritableProgramFolderUsesFallback();
    void corruptDefaultPictureKeepsBlackPreview();
};

static QByteArray Native(const char *path)
{
    return QDir::toNativeSeparators(QString::fromLatin1(path)).toUtf8();
}

void TestStartUp::firstRunAsksAndStoresSixLines()
{
    GameTree tree;
    ScriptedInteraction ui;
    ui.openAnswers = {tree.exePath()};
    Main w(&ui, tree.programFolder(), tree.fallbackFolder());
    w.StartUp();

    QVERIFY2(ui.messages.isEmpty() && !ui.ended, qPrintable(ui.messages.join('\n')));
    // Language, executable and game are asked; the default folder exists, so no picker.
    QCOMPARE(ui.asked.size(), 3);
    QCOMPARE(ui.asked[0], QStringLiteral("language"));
    QVERIFY2(ui.asked[1].startsWith(QStringLiteral("open Locate HL.exe | hl.exe (hl.exe)")),
             qPrintable(ui.asked[1]));
    QCOMPARE(ui.asked[2], QStringLiteral("game"));
    QCOMPARE(tree.configBytes().split('\n'),
             QList<QByteArray>({tree.exePath().toUtf8() + '\r', " 0\r",
                                Native("cstrike/resource/background") + '\r', "\r", "\r", "\r", ""}));
}

void TestStartUp::storedLanguageIsNotAskedAgain_data()
{
    QTest::addColumn<qint16>("stored");
    QTest::addColumn<int>("language");
    QTest::newRow("English") << qint16(0) << 0;
    QTest::newRow("Spanish") << qint16(1) << 1;
    QTest::newRow("7 asks again") << qint16(7) << -1;
}

void TestStartUp::storedLanguageIsNotAskedAgain()
{
    QFETCH(qint16, stored);
    QFETCH(int, language);
    GameTree tree;
    QVERIFY(tree.writeConfig(stored));
    ScriptedInteraction ui;
    ui.languageAnswer = 1;
    Main w(&ui, tree.programFolder(), tree.fallbackFolder());
    w.StartUp();
    w.StartUp();   // a second activation does nothing

    QCOMPARE(ui.asked, (language < 0 ? QStringList{"language", "game"} : QStringList{"game"}));
    QCOMPARE(w.CurrentLanguage(), language < 0 ? 1 : language);
    QCOMPARE(tree.configBytes().split('\n').at(1), QByteArray(language == 0 ? " 0\r" : " 1\r"));
}

void TestStartUp::failedStepEndsAndKeepsSettings_data()
{
    QTest::addColumn<bool>("exeGone");
    QTest::addColumn<QString>("picked");   // relative to the temporary folder
    QTest::addColumn<QString>("message");
    const QString folderMessage = QStringLiteral("Unable To Locate Cs Background Folder");
    QTest::newRow("executable dialog cancelled") << true << QString() << "Unable To Locate HL.exe";
    QTest::newRow("picker cancelled") << false << QString() << folderMessage;
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
    ui.folderAnswers = {picked.isEmpty() || picked.startsWith('/') ? picked : tree.path(picked)};
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

void TestStartUp::folderFoundOrPickedIsStored_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("removed");  // the game's usual folder, taken out of the tree
    QTest::addColumn<QString>("folder");   // the game's folder in the tree, relative to Half-Life
    QTest::addColumn<bool>("picked");      // whether the user picks it
    // On every platform the suffix test ignores case; what was picked is stored unchanged.
    QTest::newRow("other letter case") << 2 << "dod" << "dod/Resource/Background" << true;
    QTest::newRow("Condition Zero in czero") << 1 << "cz" << "czero/resource/background"
                                               << false;
}

void TestStartUp::folderFoundOrPickedIsStored()
{
    QFETCH(int, game);
    QFETCH(QString, removed);
    QFETCH(QString, folder);
    QFETCH(bool, picked);
    GameTree tree;
    QVERIFY(tree.removeFolder(QStringLiteral("Half-Life/") + removed));
    QVERIFY(tree.makeFolder(QStringLiteral("Half-Life/") + folder));
    QVERIFY(tree.writeConfig(0));
    ScriptedInteraction ui;
    ui.gameAnswers = {game};
    if (picked)
        ui.folderAnswers = {tree.path(QStringLiteral("Half-Life/") + folder)};
    Main w(&ui, tree.programFolder(), tree.fallbackFolder());
    w.StartUp();

    QVERIFY2(!ui.ended, qPrintable(ui.messages.join('\n')));
    QCOMPARE(ui.askedOf(QStringLiteral("folder")).size(), picked ? 1 : 0);
    QCOMPARE(tree.configBytes().split('\n').at(2 + game),
             QDir::toNativeSeparators(folder).toUtf8() + '\r');
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

    const QStringList captions{w.elboton1->Caption(), w.elboton2->Caption(),
                               w.elboton3->Caption(), w.ellabel1->Caption(), w.elboton4->Caption()};
    QCOMPARE(captions, QStringList({"Ejecutar Dod", "Crear Fondo Dod", "Cargar Imagen",
                                    QStringLiteral("Resoluci\u00f3n"), "Zip Files"}));
}

void TestStartUp::unwritableProgramFolderUsesFallback()
{
    GameTree tree;
    // A folder below a regular file can be neither created nor written, even by root.
    QVERIFY(tree.writeFile(QStringLiteral("blocker"), "x"));
    for (int run = 0; run < 2; ++run) {
        ScriptedInteraction ui;
        ui.openAnswers = {tree.exePath()};
        Main w(&ui, tree.path(QStringLiteral("blocker/program")), tree.fallbackFolder());
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
    QVERIFY(tree.writeFile(QStringLiteral("program/cs_default.jpg"), "not a picture"));
    ScriptedInteraction ui;
    Main w(&ui, tree.programFolder(), tree.fallbackFolder());
    w.StartUp();

    QCOMPARE(ui.messages.size(), 1);
    QVERIFY2(ui.messages[0].contains(tree.path(QStringLiteral("program/cs_default.jpg"))),
             qPrintable(ui.messages[0]));
    QVERIFY(!ui.ended);
    QCOMPARE(w.scaledPicture().size(), QSize(800, 600));
    QCOMPARE(w.scaledPicture().pixel(400, 300), qRgb(0, 0, 0));
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
