#include "common/warnings.h"
#include "controls/controltest.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>

namespace {

const char *const Resolutions[] = {"640x480", "800x600", "1024x768", "1280x1024"};

// The main window's design values for its resolution list.
PropertyStore mainWindowDesign()
{
    PropertyStore store;
    store.setValue("forecolor", 0xFFFFFF);
    store.setValue("color3dlight", 0x809188);
    store.setValue("color3ddark", 0x222E28);
    return store;
}

// The resolution list as the main window fills it, the second entry chosen.
elcombo *resolutionList(QWidget *window, const PropertyStore &design = {})
{
    auto *combo = new elcombo(window);
    combo->ReadProperties(design);
    for (const char *entry : Resolutions)
        combo->AddItem(QString::fromLatin1(entry));
    combo->SetListIndex(1);
    return combo;
}

// Where a line of pixels of the control shows exactly colour: x of row y, or y of column x.
QList<int> marked(QWidget *control, QRgb colour, int row, int column)
{
    const QImage shown = control->grab().toImage();
    QList<int> at;
    for (int i = 0; i < (row >= 0 ? shown.width() : shown.height()); ++i)
        if ((shown.pixel(row >= 0 ? i : column, row >= 0 ? row : i) & 0xFFFFFF) == colour)
            at.append(i);
    return at;
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
    void keysAndWheel_data();
    void keysAndWheel();
    void focusMark_data();
    void focusMark();
    void openListBelowInOwnColours_data();
    void openListBelowInOwnColours();
};

void TestElcombo::listOperations_data()
{
    // Operations on a list of four resolutions with nothing selected.
    columns<QString, int, QString, int, int>({"operations", "index", "shown", "count", "clicks"});
    QTest::newRow("select last") << "set:3" << 3 << "1280x1024" << 4 << 1;
    QTest::newRow("select and remove out of range") << "set:2 set:4 set:-1 remove:4 remove:-1" << 2 << "1024x768"
                                                    << 4 << 1;
    QTest::newRow("cleared list") << "clear set:0 remove:0" << -1 << "" << 0 << 0;
    QTest::newRow("remove before the selection") << "set:1 remove:0" << 0 << "800x600" << 3 << 1;
    QTest::newRow("remove the selection") << "set:1 remove:1" << -1 << "" << 3 << 1;
    QTest::newRow("add after clear") << "clear add:only set:0" << 0 << "only" << 1 << 1;
    QTest::newRow("SetList changes nothing") << "set:1 setlist:1" << 1 << "800x600" << 4 << 1;
    QTest::newRow("the user picks by keyboard") << "down" << 0 << "640x480" << 4 << 1;
}

void TestElcombo::listOperations()
{
    const auto [operations, index, shown, count, clicks] =
        fetch<QString, int, QString, int, int>("operations", "index", "shown", "count", "clicks");
    elcombo combo;
    combo.show();
    for (const char *entry : Resolutions)
        combo.AddItem(QString::fromLatin1(entry));
    QCOMPARE(combo.GetListIndex(), -1);   // adding selects nothing
    QSignalSpy click(&combo, &elcombo::Click);
    for (const QString &operation : operations.split(' ')) {
        const QString name = operation.section(':', 0, 0), argument = operation.section(':', 1);
        if (name == "set") combo.SetListIndex(argument.toInt());
        if (name == "remove") combo.RemoveItem(argument.toInt());
        if (name == "add") combo.AddItem(argument);
        if (name == "setlist") combo.SetList(argument.toInt(), "changed");
        if (name == "clear") combo.Clear();
        if (name == "down") QTest::keyClick(combo.innerList(), Qt::Key_Down);
    }
    QCOMPARE(combo.GetListIndex(), index);
    QCOMPARE(combo.innerList()->currentText(), shown);
    QCOMPARE(combo.ListCount(), count);
    QCOMPARE(click.count(), clicks);
    QCOMPARE(combo.GetList(0), QString());
}

void TestElcombo::keysAndWheel_data()
{
    // The second of the four resolutions chosen; keys go to the focused control, the wheel
    // to the list under the pointer.
    // focused: else a button beside it has the focus.
    columns<bool, QString, int, int, bool>({"focused", "steps", "index", "clicks", "open"});
    QTest::newRow("Up past the first") << true << "Up Up" << 0 << 1 << false;
    QTest::newRow("Down to the last and past it") << true << "Down Down Down" << 3 << 2 << false;
    QTest::newRow("Alt+Down opens") << true << "Alt+Down" << 1 << 0 << true;
    QTest::newRow("F4 opens") << true << "F4" << 1 << 0 << true;
    QTest::newRow("wheel with the focus") << true << "wheel-down wheel-up wheel-up" << 0 << 3 << false;
    QTest::newRow("wheel without the focus") << false << "wheel-down wheel-up" << 1 << 0 << false;
}

void TestElcombo::keysAndWheel()
{
    const auto [focused, steps, index, clicks, open] =
        fetch<bool, QString, int, int, bool>("focused", "steps", "index", "clicks", "open");
    QWidget window;
    auto *button = new elboton(&window);
    auto *combo = resolutionList(&window);
    combo->move(0, 30);
    window.show();
    focusFromKeyboard(focused ? static_cast<QWidget *>(combo) : button);
    QVERIFY(focused ? combo->hasFocus() : button->hasFocus());
    QSignalSpy click(combo, &elcombo::Click);
    QWidget *list = combo->innerList();
    for (const QString &step : steps.split(' ')) {
        if (step.startsWith("wheel")) {
            const QPointF at(20, 8);
            QWheelEvent wheel(at, list->mapToGlobal(at), {}, QPoint(0, step == "wheel-down" ? -120 : 120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list, &wheel);
        } else {
            const bool alt = step.startsWith("Alt+");
            const QString name = step.mid(alt ? 4 : 0);
            const Qt::Key key = name == "Down" ? Qt::Key_Down : name == "Up" ? Qt::Key_Up : Qt::Key_F4;
            if (alt || key == Qt::Key_F4)
                expectOpeningWarnings();
            QTest::keyClick(QApplication::focusWidget(), key, alt ? Qt::AltModifier : Qt::NoModifier);
        }
    }
    QWidget *popup = combo->innerList()->view()->window();
    const bool shown = popup->isVisible();
    combo->innerList()->hidePopup();
    QCOMPARE(combo->GetListIndex(), index);
    QCOMPARE(click.count(), clicks);
    QCOMPARE(shown, open);
}

void TestElcombo::focusMark_data()
{
    // Buttons Run and Make, the list created last and put between them as the main window
    // orders its controls, one tab stop. The focus comes by Tab from Run, Shift+Tab from Make,
    // a click, or stays on Run. The mark is a dotted rectangle in ForeColor, one dot in three:
    // its left side on column 2 and its top on row 3, from x = 3 up to 120, short of the drop
    // symbol of a 145 pixels wide list. design: the main window's design values, else the defaults.
    columns<bool, QString, QRgb, QList<int>, QList<int>>({"design", "focusBy", "mark", "left", "top"});
    const QList<int> left{5, 8, 11, 14}, top{3, 120, 40}, none;   // top: first, last and how many
    QTest::newRow("Tab, white") << true << "Tab" << 0xFFFFFFu << left << top;
    QTest::newRow("Backtab, the default pale text") << false << "Backtab" << 0xD8DED3u << left << top;
    QTest::newRow("a click") << true << "click" << 0xFFFFFFu << none << none;
    QTest::newRow("no focus") << true << "none" << 0xFFFFFFu << none << none;
}

void TestElcombo::focusMark()
{
    const auto [design, focusBy, mark, left, top] =
        fetch<bool, QString, QRgb, QList<int>, QList<int>>("design", "focusBy", "mark", "left", "top");
    QWidget window;
    auto *run = new elboton(&window);
    auto *make = new elboton(&window);
    auto *combo = resolutionList(&window, design ? mainWindowDesign() : PropertyStore());
    make->move(0, 60);
    combo->setGeometry(0, 30, 145, 20);
    QWidget::setTabOrder(run, combo);
    QWidget::setTabOrder(combo, make);
    window.show();
    focusFromKeyboard(focusBy == "Backtab" ? make : run);
    if (focusBy == "Tab" || focusBy == "Backtab")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                        focusBy == "Tab" ? Qt::NoModifier : Qt::ShiftModifier);
    if (focusBy == "click")
        combo->setFocus(Qt::MouseFocusReason);
    QCOMPARE(QApplication::focusWidget(), focusBy == "none" ? static_cast<QWidget *>(run) : combo);
    QCOMPARE(marked(combo, mark, -1, 2), left);
    QList<int> row = marked(combo, mark, 3, -1);
    if (!row.isEmpty())
        row = {row.first(), row.last(), int(row.size())};
    QCOMPARE(row, top);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);   // on round the order
    QCOMPARE(QApplication::focusWidget(), focusBy == "none" ? static_cast<QWidget *>(combo) : make);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), focusBy == "none" ? make : static_cast<QWidget *>(run));
}

void TestElcombo::openListBelowInOwnColours_data()
{
    // Edges as the field's: dark top and left, light right and bottom; the chosen entry in
    // the dark edge colour under the text colour. Near the screen's foot it opens above.
    // top: where the window's client area starts on the 800 x 800 screen.
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
    auto *combo = resolutionList(&window, design ? mainWindowDesign() : PropertyStore());
    combo->setGeometry(10, 10, 145, 20);
    window.resize(200, 35);
    window.move(100, top);
    window.show();
    focusFromKeyboard(combo);
    expectOpeningWarnings();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    QAbstractItemView *view = combo->innerList()->view();
    QWidget *popup = view->window();
    QVERIFY(popup->isVisible());
    const QRect at = popup->geometry();
    const QImage shown = popup->grab().toImage();
    combo->innerList()->hidePopup();
    QCOMPARE(at.width(), 145);
    if (below)
        QCOMPARE(at.topLeft(), combo->mapToGlobal(QPoint(0, 20)));
    else
        QCOMPARE(at.bottomLeft(), combo->mapToGlobal(QPoint(0, -1)));
    const auto pixel = [&](int x, int y) { return shown.pixel(x, y) & 0xFFFFFF; };
    QCOMPARE(pixel(0, 5), dark);
    QCOMPARE(pixel(5, 0), dark);
    QCOMPARE(pixel(at.width() - 1, 5), light);
    QCOMPARE(pixel(5, at.height() - 1), light);
    const QRect chosen(view->mapTo(popup, view->visualRect(view->model()->index(1, 0)).topLeft()),
                       view->visualRect(view->model()->index(1, 0)).size());
    const QRect other(view->mapTo(popup, view->visualRect(view->model()->index(2, 0)).topLeft()),
                      view->visualRect(view->model()->index(2, 0)).size());
    QCOMPARE(pixel(chosen.right() - 2, chosen.center().y()), dark);
    QCOMPARE(pixel(other.right() - 2, other.center().y()), 0x3E4637u);
    // The text of the chosen entry reaches its full colour.
    bool textShown = false;
    for (int x = chosen.left(); x <= chosen.right(); ++x)
        for (int y = chosen.top(); y <= chosen.bottom(); ++y)
            textShown = textShown || pixel(x, y) == text;
    QVERIFY(textShown);
}

QTEST_MAIN(TestElcombo)
#include "tst_elcombo.moc"
