#include "common/keys.h"
#include "common/warnings.h"
#include "controls/controltest.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace {

// The main window's resolution list, white text on the default design, the second entry chosen.
elcombo *resolutionList(QWidget *window)
{
    auto *combo = new elcombo(window);
    PropertyStore design;
    design.setValue("forecolor", 0xFFFFFF);
    combo->ReadProperties(design);
    for (const char *entry : {"640x480", "800x600", "1024x768", "1280x1024"})
        combo->AddItem(entry);
    combo->SetListIndex(1);
    return combo;
}

} // namespace

class TestElcombo : public QObject
{
    Q_OBJECT

private slots:
    void init() { FailOnUndeclaredWarnings(); }

    void listOperations_data()
    {
        // On the resolution list focused from the keyboard: set and add through the interface, keys, wheel-up/down
        // over the list, blur: the focus leaves.
        columns<QString, int, int, int>("steps", "index", "count", "clicks");
        QTest::newRow("out of range, adding") << "set:3 set:4 set:-1 add" << 3 << 5 << 1;
        QTest::newRow("Down and Up past the ends") << "Down Down Down Up Up Up Up" << 0 << 4 << 5;
        QTest::newRow("wheel with the focus") << "wheel-down wheel-up wheel-up" << 0 << 4 << 3;
        QTest::newRow("wheel without the focus") << "blur wheel-down wheel-up" << 1 << 4 << 0;
    }

    void listOperations()
    {
        const auto [steps, index, count, clicks] = fetch<QString, int, int, int>("steps", "index", "count", "clicks");
        QWidget window;
        auto *combo = resolutionList(&window);
        window.show();
        focusFromKeyboard(combo);
        QSignalSpy click(combo, &elcombo::Click);
        for (const QString &step : steps.split(' ')) {
            if (step.startsWith("set:"))
                combo->SetListIndex(step.mid(4).toInt());
            else if (step == "add")
                combo->AddItem("Wide HD");
            else if (step == "blur")
                combo->clearFocus();
            else if (step.startsWith("wheel")) {
                QWheelEvent wheel({20, 8}, {}, {}, {0, step.endsWith("down") ? -120 : 120}, {}, {}, Qt::NoScrollPhase,
                                  false);
                QApplication::sendEvent(combo->innerList(), &wheel);
            } else
                PressKeys(step);
        }
        QCOMPARE(QList({combo->GetListIndex(), combo->ListCount(), int(click.count())}), QList({index, count, clicks}));
    }

    void focusMark_data()
    {
        // Run, list, Make in tab order, as the main window puts them; the focus comes by Tab from Run,
        // Shift+Tab from Make, or a click. The mark: dots in ForeColor round the text, short of the drop symbol.
        columns<QString, bool>("focusBy", "shown");
        QTest::newRow("Tab") << "Tab" << true;
        QTest::newRow("Backtab") << "Shift+Tab" << true;
        QTest::newRow("a click") << "click" << false;
    }

    void focusMark()
    {
        const auto [focusBy, shown] = fetch<QString, bool>("focusBy", "shown");
        QWidget window;
        auto *run = new elboton(&window);
        auto *combo = resolutionList(&window);
        auto *make = new elboton(&window);
        combo->setGeometry(0, 30, 145, 20);
        window.show();
        focusFromKeyboard(focusBy == "Tab" ? run : make);
        if (focusBy == "click")
            combo->setFocus(Qt::MouseFocusReason);
        else
            PressKeys(focusBy);
        QCOMPARE(QApplication::focusWidget(), combo);
        // dots at the ends of the mark's left and top lines, none past them
        QCOMPARE(QList({shownAt(combo, 2, 14), shownAt(combo, 120, 3)}), QList<QRgb>(2, shown ? 0xFFFFFFu : 0x3E4637u));
        QCOMPARE(QList({shownAt(combo, 2, 17), shownAt(combo, 123, 3)}), QList<QRgb>(2, 0x3E4637u));
        // on round the order: the list is one stop
        PressKeys("Tab");
        QCOMPARE(QApplication::focusWidget(), make);
    }

    void openListInOwnColours()
    {
        // Framed as the field, sunken; the chosen entry in the dark edge colour. Below the control, or above it
        // near the screen's foot (800 x 800).
        for (const int top : {100, 760}) {
            QWidget window;
            auto *combo = resolutionList(&window);
            window.move(100, top);
            window.show();
            focusFromKeyboard(combo);
            // Opening the list raises it and grabs the keyboard, which the offscreen platform cannot do.
            QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
            QTest::ignoreMessage(QtWarningMsg, "This plugin does not support grabbing the keyboard");
            PressKeys("F4");
            QAbstractItemView *view = combo->innerList()->view();
            const QRect at = view->window()->geometry();
            const QImage shown = view->window()->grab().toImage();
            combo->innerList()->hidePopup();
            QCOMPARE(top < 700 ? at.topLeft() : at.bottomLeft(), combo->mapToGlobal(QPoint(0, top < 700 ? 20 : -1)));
            const QRect chosen
                = view->visualRect(view->model()->index(1, 0)).translated(view->mapTo(view->window(), QPoint()));
            QCOMPARE(QList({shown.pixel(0, 5), shown.pixel(at.width() - 1, 5),
                            shown.pixel(chosen.right() - 1, chosen.center().y())}),
                     QList({0xFF000000u, 0xFFA0AA95u, 0xFF000000u}));
        }
    }

    void holderFontAndEnabled()
    {
        // Its font reaches the inner list; disabled with its holder, as under a dialog, the look stays.
        QWidget holder;
        auto *combo = resolutionList(&holder);
        combo->setFont(QFont("Courier New", 14));
        QCOMPARE(combo->innerList()->font(), combo->font());
        holder.show();
        const QImage shown = combo->grab().toImage();
        holder.setEnabled(false);
        QCOMPARE(combo->grab().toImage(), shown);
    }
};

QTEST_MAIN(TestElcombo)
#include "tst_elcombo.moc"
