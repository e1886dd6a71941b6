#include "app/gametree.h"
#include "app/picturebox.h"
#include "background/tilegrid.h"
#include "common/keys.h"
#include "common/warnings.h"

#include <QClipboard>
#include <QCursor>
#include <QTest>

// The preview, the load-picture command, the window's keys and its drag, on a window not started up.
class TestWindow : public QObject {
    Q_OBJECT

    std::optional<GameTree> t;

    // Loads `file` through the command, having saved `picture` there unless it is null.
    void load(const QString &file, const QImage &picture = {})
    {
        QVERIFY(picture.isNull() || picture.save(t->at(file)));
        t->ui.openAnswers = {t->at(file)};
        t->window->LoadPicture();
    }

private slots:
    void init()
    {
        t.emplace().open();
        FailOnUndeclaredWarnings();
    }

    // The preview shows the picture as it is made, at the chosen resolution.
    void previewFollowsTheResolution()
    {
        load("p.bmp", TestPicture(QSize(300, 900)));
        for (int resolution : {0, 3}) {
            t->control<elcombo>("elcombo1")->SetListIndex(resolution);
            QCOMPARE(t->window->scaledPicture().size(), ResolutionSize(resolution));
            QCOMPARE(t->control<PictureBox>("Picture3")->grab().toImage().convertToFormat(QImage::Format_RGB32),
                     t->window->scaledPicture());
        }
    }

    void failedOrCancelledLoadKeepsTheOldPicture()
    {
        const QImage picture = TestPicture(QSize(20, 20));
        load("p.bmp", picture);
        QVERIFY(WriteBytes(t->at("broken.jpg"), "\xFF\xD8\xFF\xE0 truncated"));
        load("broken.jpg");
        // Cancelled.
        t->window->LoadPicture();
        QVERIFY(t->ui.messages.size() == 1 && t->ui.messages[0].contains(t->at("broken.jpg")));
        QCOMPARE(t->window->loadedPicture(), picture);
    }

    // A picture dropped on the window, or pasted, loads as Load Picture loads one; Alt+Space
    // opens the title menu; the load dialog offers the picture formats in both letter cases.
    void dropPasteAndFilter()
    {
        Main &w = *t->window;
        const QImage dropped = TestPicture(QSize(20, 10));
        QVERIFY(dropped.save(t->at("dropped.png")));
        t->drop(t->at("dropped.png"));
        QCOMPARE(w.loadedPicture(), dropped);

        const QImage pasted = TestPicture(QSize(8, 8), 1);
        QGuiApplication::clipboard()->setImage(pasted);
        w.show();
        QApplication::setActiveWindow(&w);
        PressKeys("Ctrl+V Alt+Space", &w);
        QCOMPARE(w.loadedPicture(), pasted);
        QVERIFY(t->ui.log.value(0).startsWith("menu (Restore Original Background)|"));

        // Cancelled.
        w.LoadPicture();
        const QString filter = t->ui.log.last();
        QVERIFY2(filter.startsWith("open Load Picture... | Picture File(*.bmp,*.jpg) (*.bmp *.BMP ")
                     && filter.contains(" *.png *.PNG"),
                 qPrintable(filter));
    }

    // The preview's keys frame a 1600x1200 picture made for 16:9 (the part kept starts at 0,150
    // 1600x900, one "=" makes it 0.9 as large about its middle): arrows move it four preview pixels,
    // eight of the picture's, forty with Shift; "-" makes it larger again.
    void framingKeys_data()
    {
        columns<QString, QRect>("keys", "kept");
        QTest::newRow("smaller") << "=" << QRect(80, 195, 1440, 810);
        QTest::newRow("right, down") << "= Right Shift+Down" << QRect(88, 275, 1440, 810);
        QTest::newRow("left, up") << "= Left Up" << QRect(72, 187, 1440, 810);
        QTest::newRow("larger again") << "= -" << QRect(0, 150, 1600, 900);
    }
    void framingKeys()
    {
        QFETCH(QString, keys); QFETCH(QRect, kept);
        load("p.bmp", TestPicture(QSize(1600, 1200)));
        t->control<elcombo>("elcombo2")->SetListIndex(2);
        t->window->show();
        focusFromKeyboard(t->control<QWidget>("Picture3"));
        PressKeys(keys);
        QCOMPARE(t->window->framing().Crop, kept);
    }

    // Tab goes as the window is seen: along the bottom row, Run, Zip, the list, Make, Load, then the
    // screen choice at the top, the preview once it frames the picture, and round.
    void tabOrderAsSeen()
    {
        t->window->show();
        t->control<elcombo>("elcombo2")->SetListIndex(2);
        QStringList names;
        QWidget *at = t->control<elboton>("elboton1");
        for (int i = 0; i < 7; ++i) {
            do
                at = at->nextInFocusChain();
            while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisibleTo(t->window.get()));
            names << at->objectName();
        }
        QCOMPARE(names,
                 (QStringList{"elboton4", "elcombo1", "elboton2", "elboton3", "elcombo2", "Picture3", "elboton1"}));
        // The screen made for is kept for the user, the choice of the next window.
        t->open();
        QCOMPARE(t->control<elcombo>("elcombo2")->GetListIndex(), 2);
    }

    // Not shown, the window has no system move: it follows the pointer itself while the title is held.
    void titleDrag()
    {
        elpanel *panel = t->control<elpanel>("elpanel1");
        QCursor::setPos(400, 300);
        emit panel->TitleMouseDown(1, 0, 5, 4);
        emit panel->TitleMouseMove(1, 0, 0, 0);
        const QPoint at = t->window->pos();
        QCOMPARE(at, QPoint(395, 296) - panel->pos() - panel->titleGeometry().topLeft());
        emit panel->TitleMouseUp(1, 0, 0, 0);
        QCursor::setPos(600, 500);
        emit panel->TitleMouseMove(0, 0, 0, 0);
        QCOMPARE(t->window->pos(), at);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
