#include "elcombo.h"
#include "elpanel.h"
#include "gametree.h"
#include "mainwindow.h"
#include "picturebox.h"
#include "scriptedinteraction.h"
#include "tilegrid.h"

#include <QCursor>
#include <QTest>

// The preview, the load-picture command, the window drag and the close box.
class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loadsBlackAt800x600();
    void resolutionChangeRestretchesTheLoadedPicture();
    void unreadableOrCancelledLoadKeepsTheOldPicture();
    void hugePictureIsDecodedSmaller();
    void titleDragMovesOnlyWhilePressed();
    void closeBoxEndsTheProgram();

private:
    // Saves `picture` (unless null) as `name` and loads that file through the command.
    void loadPicture(const QImage &picture, const QString &name = QStringLiteral("p.bmp"));

    GameTree *m_tree = nullptr;
    ScriptedInteraction *m_ui = nullptr;
    Main *m_window = nullptr;
};

void TestWindow::init()
{
    m_tree = new GameTree;
    m_ui = new ScriptedInteraction;
    m_window = new Main(m_ui, m_tree->programFolder(), m_tree->fallbackFolder());
}

void TestWindow::cleanup()
{
    delete m_window;
    delete m_ui;
    delete m_tree;
}

void TestWindow::loadPicture(const QImage &picture, const QString &name)
{
    if (!picture.isNull())
        QVERIFY(picture.save(m_tree->path(name), "BMP"));
    m_ui->openAnswers = {m_tree->path(name)};
    m_window->LoadPicture();
}

void TestWindow::loadsBlackAt800x600()
{
    QCOMPARE(m_window->size(), QSize(826, 687));
    QCOMPARE(m_window->elcombo1->GetListIndex(), 1);
    QCOMPARE(m_window->Picture3->size(), QSize(800, 600));
    QCOMPARE(m_window->scaledPicture().size(), QSize(800, 600));
    QCOMPARE(m_window->scaledPicture().pixel(799, 599), qRgb(0, 0, 0));
    QCOMPARE(m_window->LastGeneratedResolution(), -1);
}

void TestWindow::resolutionChangeRestretchesTheLoadedPicture()
{
    QImage picture(300, 900, QImage::Format_RGB32);   // tall: stretched, not letter-boxed
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    m_window->elcombo1->SetListIndex(2);
    loadPicture(picture);
    QCOMPARE(m_ui->asked, QStringList{QStringLiteral("open Load Picture... | Picture File(*.bmp,*.jpg) "
                                                     "(*.bmp *.jpg *.jpeg *.BMP *.JPG *.JPEG)")});
    QCOMPARE(m_window->loadedPicture(), picture);

    for (int resolution : {2, 3, 0}) {
        m_window->elcombo1->SetListIndex(resolution);
        const QSize size = ResolutionSize(resolution);
        QCOMPARE(m_window->Picture3->size(), size);
        // Always from the loaded picture, never from the previous preview.
        QCOMPARE(m_window->scaledPicture(),
                 picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        QCOMPARE(m_window->Picture3->grab().toImage().convertToFormat(QImage::Format_RGB32),
                 m_window->scaledPicture());
    }
}

void TestWindow::unreadableOrCancelledLoadKeepsTheOldPicture()
{
    QImage red(20, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    loadPicture(red);
    const QImage before = m_window->scaledPicture();
    QVERIFY(m_tree->writeFile(QStringLiteral("broken.jpg"), "\xFF\xD8\xFF\xE0 truncated"));

    loadPicture(QImage(), QStringLiteral("broken.jpg"));
    QCOMPARE(m_ui->messages.size(), 1);
    QVERIFY2(m_ui->messages[0].contains(m_tree->path(QStringLiteral("broken.jpg"))),
             qPrintable(m_ui->messages[0]));

    m_ui->openAnswers.clear();
    m_window->LoadPicture();
    QCOMPARE(m_ui->asked.size(), 3);
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(m_window->loadedPicture(), red);
    QCOMPARE(m_window->scaledPicture(), before);
}

void TestWindow::hugePictureIsDecodedSmaller()
{
    QImage wide(5200, 100, QImage::Format_RGB32);
    wide.fill(Qt::darkGreen);
    loadPicture(wide);
    QVERIFY2(m_ui->messages.isEmpty(), qPrintable(m_ui->messages.join('\n')));
    QCOMPARE(m_window->loadedPicture().size(), QSize(2560, 49));
    QCOMPARE(m_window->scaledPicture().size(), QSize(800, 600));
}

void TestWindow::titleDragMovesOnlyWhilePressed()
{
    // Not shown, so there is no system move and the window follows the pointer itself.
    m_window->move(100, 100);
    const QPoint title = m_window->elpanel1->pos() + m_window->elpanel1->titleGeometry().topLeft();
    QCursor::setPos(400, 300);
    emit m_window->elpanel1->TitleMouseMove(0, 0, 1, 1);
    QCOMPARE(m_window->pos(), QPoint(100, 100));

    emit m_window->elpanel1->TitleMouseDown(1, 0, 5, 4);
    QCursor::setPos(400, 300);
    emit m_window->elpanel1->TitleMouseMove(1, 0, 0, 0);
    QCOMPARE(m_window->pos(), QPoint(400, 300) - QPoint(5, 4) - title);
    emit m_window->elpanel1->TitleMouseUp(1, 0, 0, 0);

    const QPoint released = m_window->pos();
    QCursor::setPos(600, 500);
    emit m_window->elpanel1->TitleMouseMove(0, 0, 0, 0);
    QCOMPARE(m_window->pos(), released);
}

void TestWindow::closeBoxEndsTheProgram()
{
    emit m_window->elpanel1->CloseClick();
    QVERIFY(m_ui->ended);
    QVERIFY(m_ui->messages.isEmpty());
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
