#include "common/warnings.h"
#include "controls/controltest.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The main window's resolution list, the second entry chosen, with its design values or the defaults.
elcombo *resolutionList(QWidget *window, bool mainWindowDesign)
{
    auto *combo = new elcombo(window);
    PropertyStore design;
    if (mainWindowDesign) {
        design.setValue("forecolor", 0xFFFFFF);
        design.setValue("color3dlight", 0x809188);
        design.setValue("color3ddark", 0x222E28);
    }
    combo->ReadProperties(design);
    for (const char *entry : {"640x480", "800x600", "1024x768", "1280x1024"})
        combo->AddItem(QString::fromLatin1(entry));
    combo->SetListIndex(1);
    return combo;
}

// Opening the list raises it and grabs the keyboard, which the offscreen platform cannot do.
void expectOpeningWarnings()
{
    QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
    QTest::ignoreMessage(QtWarningMsg, "This plugin does not support grabbing the keyboard");
}

} // namespace

class TestElcombo : public QObject
{
    Q_OBJECT

private slots:
    void init() { FailOnUndeclaredWarnings(); }
    void listOperations_data();
    void listOperations();
    void focusMark_data();
    void focusMark();
    void openListBelowInOwnColours_data();
    void openListBelowInOwnColours();
};

void TestElcombo::listOperations_data()
{
    // On the resolution list focused from the keyboard beside a button: set/remove/add/setlist/clear
    // through the interface, keys to the focused control, wheel-up/down over the list, blur: the button takes the focus.
    columns<QString, int, QString, int, int, bool>({"steps", "index", "shown", "count", "clicks", "open"});
    QTest::newRow("select, out of range ignored") << "set:3 set:4 set:-1 remove:4 remove:-1 setlist:1" << 3
                                                  << "1280x1024" << 4 << 1 << false;
    QTest::newRow("cleared list") << "clear set:0 remove:0" << -1 << "" << 0 << 0 << false;
    QTest::newRow("remove before the selection") << "remove:0" << 0 << "800x600" << 3 << 0 << false;
    QTest::newRow("remove the selection, then Down") << "remove:1 Down" << 0 << "640x480" << 3 << 1 << false;
    QTest::newRow("adding selects nothing") << "clear add:only" << -1 << "" << 1 << 0 << false;
    QTest::newRow("Down past the last, Up past the first") << "Down Down Down Up Up Up Up" << 0 << "640x480" << 4 << 5
                                                           << false;
    QTest::newRow("Alt+Down opens") << "Alt+Down" << 1 << "800x600" << 4 << 0 << true;
    QTest::newRow("wheel with the focus") << "wheel-down wheel-up wheel-up" << 0 << "640x480" << 4 << 3 << false;
    QTest::newRow("wheel without the focus") << "blur wheel-down wheel-up" << 1 << "800x600" << 4 << 0 << false;
}

void TestElcombo::listOperations()
{
    const auto [steps, index, shown, count, clicks, open] =
        fetch<QString, int, QString, int, int, bool>("steps", "index", "shown", "count", "clicks", "open");
    QWidget window;
    auto *button = new elboton(&window);
    auto *combo = resolutionList(&window, false);
    combo->move(0, 30);
    window.show();
    focusFromKeyboard(combo);
    QSignalSpy click(combo, &elcombo::Click);
    QComboBox *list = combo->innerList();
    for (const QString &step : steps.split(' ')) {
        const QString name = step.section(':', 0, 0), argument = step.section(':', 1);
        if (name == "set") combo->SetListIndex(argument.toInt());
        if (name == "remove") combo->RemoveItem(argument.toInt());
        if (name == "add") combo->AddItem(argument);
        if (name == "setlist") combo->SetList(argument.toInt(), "changed");
        if (name == "clear") combo->Clear();
        if (name == "blur") focusFromKeyboard(button);
        if (name.startsWith("wheel")) {
            QWheelEvent wheel({20, 8}, list->mapToGlobal(QPointF(20, 8)), {}, {0, name == "wheel-down" ? -120 : 120},
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list, &wheel);
        }
        if (name.startsWith("Alt+"))
            expectOpeningWarnings();
        if (name.endsWith("Up") || name.endsWith("Down"))
            QTest::keyClick(QApplication::focusWidget(), name.endsWith("Up") ? Qt::Key_Up : Qt::Key_Down,
                            name.startsWith("Alt+") ? Qt::AltModifier : Qt::NoModifier);
    }
    QCOMPARE(list->view()->window()->isVisible(), open);
    list->hidePopup();
    QCOMPARE(combo->GetListIndex(), index);
    QCOMPARE(list->currentText(), shown);
    QCOMPARE(combo->ListCount(), count);
    QCOMPARE(click.count(), clicks);
    QCOMPARE(combo->GetList(0), QString());
}

void TestElcombo::focusMark_data()
{
    // Run, list, Make in tab order, as the main window puts them; the focus comes by Tab from Run,
    // Shift+Tab from Make, a click, or stays on Run. The mark: dots in ForeColor round the text.
    columns<bool, QString, QRgb, bool>({"design", "focusBy", "mark", "shown"});
    QTest::newRow("Tab, white") << true << "Tab" << 0xFFFFFFu << true;
    QTest::newRow("Backtab, the default pale text") << false << "Backtab" << 0xD8DED3u << true;
    QTest::newRow("a click") << true << "click" << 0xFFFFFFu << false;
    QTest::newRow("no focus") << true << "none" << 0xFFFFFFu << false;
}

void TestElcombo::focusMark()
{
    const auto [design, focusBy, mark, shown] = fetch<bool, QString, QRgb, bool>("design", "focusBy", "mark", "shown");
    QWidget window;
    auto *run = new elboton(&window);
    auto *make = new elboton(&window);
    auto *combo = resolutionList(&window, design);
    make->move(0, 60);
    combo->setGeometry(0, 30, 145, 20);
    QWidget::setTabOrder(run, combo);
    QWidget::setTabOrder(combo, make);
    window.show();
    focusFromKeyboard(focusBy == "Backtab" ? make : run);
    if (focusBy == "Tab" || focusBy == "Backtab")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, focusBy == "Tab" ? Qt::NoModifier : Qt::ShiftModifier);
    if (focusBy == "click")
        combo->setFocus(Qt::MouseFocusReason);
    QCOMPARE(QApplication::focusWidget(), focusBy == "none" ? static_cast<QWidget *>(run) : combo);
    // One dot in three on column 2 and row 3, short of the drop symbol.
    for (const QPoint p : {QPoint(2, 5), QPoint(2, 14), QPoint(3, 3), QPoint(120, 3)})
        QCOMPARE(shownAt(combo, p.x(), p.y()) == mark, shown);
    for (const QPoint p : {QPoint(2, 6), QPoint(2, 17), QPoint(4, 3), QPoint(123, 3)})
        QVERIFY(shownAt(combo, p.x(), p.y()) != mark);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);   // on round the order: the list is one stop
    QCOMPARE(QApplication::focusWidget(), focusBy == "none" ? static_cast<QWidget *>(combo) : make);
}

void TestElcombo::openListBelowInOwnColours_data()
{
    // Edges as the field's: dark top and left, light right and bottom; the chosen entry in the dark
    // edge colour under the text colour. Near the screen's foot (800 x 800) it opens above.
    columns<bool, int, QRgb, QRgb, QRgb, bool>({"design", "top", "text", "light", "dark", "below"});
    QTest::newRow("main window design") << true << 100 << 0xFFFFFFu << 0x889180u << 0x282E22u << true;
    QTest::newRow("defaults") << false << 100 << 0xD8DED3u << 0xA0AA95u << 0x000000u << true;
    QTest::newRow("near the foot of the screen") << true << 760 << 0xFFFFFFu << 0x889180u << 0x282E22u << false;
}

void TestElcombo::openListBelowInOwnColours()
{
    const auto [design, top, text, light, dark, below] =
        fetch<bool, int, QRgb, QRgb, QRgb, bool>("design", "top", "text", "light", "dark", "below");
    QWidget window;
    auto *combo = resolutionList(&window, design);
    combo->setGeometry(10, 10, 145, 20);
    window.resize(200, 35);
    window.move(100, top);
    window.show();
    focusFromKeyboard(combo);
    expectOpeningWarnings();
    QTest::keyClick(combo, Qt::Key_F4);
    QAbstractItemView *view = combo->innerList()->view();
    QWidget *popup = view->window();
    QVERIFY(popup->isVisible());
    const QRect at = popup->geometry();
    const QImage shown = popup->grab().toImage().convertToFormat(QImage::Format_RGB32);
    combo->innerList()->hidePopup();
    QCOMPARE(at.width(), 145);
    QCOMPARE(below ? at.topLeft() : at.bottomLeft(), combo->mapToGlobal(QPoint(0, below ? 20 : -1)));
    const auto pixel = [&](QPoint p) { return shown.pixel(p) & 0xFFFFFF; };
    for (const QPoint p : {QPoint(0, 5), QPoint(5, 0)})
        QCOMPARE(pixel(p), dark);
    for (const QPoint p : {QPoint(at.width() - 1, 5), QPoint(5, at.height() - 1)})
        QCOMPARE(pixel(p), light);
    const auto entry = [&](int row) { return view->visualRect(view->model()->index(row, 0)).translated(view->mapTo(popup, QPoint())); };
    QCOMPARE(pixel(entry(1).center() + QPoint(entry(1).width() / 2 - 2, 0)), dark);
    QCOMPARE(pixel(entry(2).center() + QPoint(entry(2).width() / 2 - 2, 0)), 0x3E4637u);
    const QImage chosen = shown.copy(entry(1));   // its text reaches its full colour
    const auto *pixels = reinterpret_cast<const QRgb *>(chosen.constBits());
    QVERIFY(std::any_of(pixels, pixels + chosen.width() * chosen.height(), [&](QRgb p) { return (p & 0xFFFFFF) == text; }));
}

QTEST_MAIN(TestElcombo)
#include "tst_elcombo.moc"
