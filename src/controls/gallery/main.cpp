// quiltra-gallery: every skinned control in its default look and in the design
// values the windows use. With a file name as its first argument it writes a
// PNG screenshot of itself there and exits.

#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/ellabel.h"
#include "controls/elpanel.h"
#include "controls/elradio.h"

#include <QApplication>
#include <QDir>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <initializer_list>
#include <utility>

namespace {

constexpr ColorValue DialogDark = 0x222E28u;   // 40,46,34, the windows' dark edge
constexpr ColorValue ListLight = 0x809188u;    // 136,145,128, the resolution list's light edge

QFont tahoma()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(9.75);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// A store the way the windows keep their controls' design values: lower-case keys.
PropertyStore designStore(std::initializer_list<std::pair<const char *, QVariant>> values)
{
    PropertyStore store;
    store.setFont(QStringLiteral("font"), tahoma());
    for (const auto &[key, value] : values)
        store.setValue(QString::fromLatin1(key), value);
    return store;
}

QVariant color(ColorValue value)
{
    return QVariant::fromValue<qint32>(qint32(value.value()));
}

template<typename Control>
Control *place(QWidget *parent, const QRect &geometry, const PropertyStore &store = {})
{
    auto *control = new Control(parent);
    control->ReadProperties(store);
    control->setGeometry(geometry);
    return control;
}

ellabel *heading(QWidget *parent, int x, int y, const QString &text)
{
    return place<ellabel>(parent, QRect(x, y, 420, 20),
                          designStore({{"caption", text}, {"backcolor", color(SkinnedControl::OliveBody)},
                                       {"forecolor", color(SkinnedControl::White)}}));
}

// A picture to show through the controls that capture their background.
QImage sunset(const QSize &size)
{
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(250, 180, 80));
    sky.setColorAt(1, QColor(60, 40, 120));
    painter.fillRect(picture.rect(), sky);
    painter.setBrush(QColor(255, 230, 120));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(size.width() * 0.7, size.height() * 0.6), 40, 40);
    return picture;
}

void showPressed(QWidget *control, QPoint at)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), control->mapToGlobal(QPointF(at)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control, &press);
}

void buildDefaults(QWidget *body)
{
    heading(body, 12, 36, QStringLiteral("Default look (nothing stored)"));
    place<elboton>(body, QRect(12, 64, 80, 24));
    place<ellabel>(body, QRect(104, 66, 100, 20));
    place<elradio>(body, QRect(216, 66, 110, 19));
    place<elcombo>(body, QRect(338, 66, 95, 20));
    place<elframe>(body, QRect(445, 60, 90, 34));
    place<elpanel>(body, QRect(12, 100, 260, 100));
}

void buildDialog(QWidget *body)
{
    // The language dialog's design: a panel without close box, a radio group and Ok.
    auto *panel = place<elpanel>(body, QRect(292, 100, 293, 132),
                                 designStore({{"title", QStringLiteral("Choose Languaje / Seleccione Idioma")},
                                              {"cerrar", false}, {"color3ddark", color(DialogDark)}}));
    auto *english = place<elradio>(panel, QRect(22, 46, 181, 19),
                                   designStore({{"caption", QStringLiteral("English")}, {"value", true}}));
    auto *spanish = place<elradio>(panel, QRect(22, 69, 181, 19),
                                   designStore({{"caption", QStringLiteral("Español")}}));
    place<elboton>(panel, QRect(209, 101, 75, 24),
                   designStore({{"caption", QStringLiteral("Ok")}, {"color3ddark", color(DialogDark)}}));
    QObject::connect(english, &elradio::Click, spanish, [spanish] { spanish->setValue(false); });
    QObject::connect(spanish, &elradio::Click, english, [english] { english->setValue(false); });
}

void buildMainWindowRow(QWidget *body)
{
    heading(body, 12, 244, QStringLiteral("Design values of the windows"));
    const auto button = [body](int x, int width, const char *caption) {
        return place<elboton>(body, QRect(x, 272, width, 24),
                              designStore({{"caption", QString::fromLatin1(caption)},
                                           {"color3ddark", color(DialogDark)}}));
    };
    button(12, 121, "Run Cs");
    button(141, 121, "Zip Files")->setDropShadow(true);
    place<ellabel>(body, QRect(270, 274, 70, 20),
                   designStore({{"caption", QStringLiteral("Resolution:")},
                                {"backcolor", color(SkinnedControl::OliveBody)}}));
    auto *list = place<elcombo>(body, QRect(345, 274, 145, 20),
                                designStore({{"forecolor", color(SkinnedControl::White)},
                                             {"color3dlight", color(ListLight)},
                                             {"color3ddark", color(DialogDark)}}));
    for (const char *entry : {"640x480", "800x600", "1024x768", "1280x1024"})
        list->AddItem(QString::fromLatin1(entry));
    list->SetListIndex(1);
    auto *make = button(498, 145, "Make Cs Background");
    showPressed(make, QPoint(20, 10));   // held down: the edges swap
}

void buildStates(QWidget *body)
{
    heading(body, 12, 308, QStringLiteral("States and background capture"));
    const QImage picture = sunset(QSize(660, 120));
    auto *frame = place<elframe>(body, QRect(12, 336, 200, 80),
                                 designStore({{"color3ddark", color(DialogDark)}}));
    frame->obtener_imagen_fondo(picture, 0, 0, 255);
    auto *tinted = place<elboton>(body, QRect(224, 336, 110, 24),
                                  designStore({{"caption", QStringLiteral("Tinted 128")},
                                               {"color3ddark", color(DialogDark)}, {"dropshadow", true}}));
    tinted->obtener_imagen_fondo(picture, 212, 0, 128);
    auto *hover = place<elradio>(body, QRect(224, 368, 150, 19),
                                 designStore({{"caption", QStringLiteral("set_over_state")}}));
    // The hover colour lasts until the next repaint, and showing the window resizes the radio.
    QTimer::singleShot(0, hover, &elradio::set_over_state);
    place<elradio>(body, QRect(224, 392, 150, 19),
                   designStore({{"caption", QStringLiteral("Shadowed, on")}, {"value", true},
                                {"dropshadow", true}}));
    auto *symbol = place<elcombo>(body, QRect(386, 336, 120, 20),
                                  designStore({{"symbolovercolor", color(SkinnedControl::White)}}));
    symbol->AddItem(QStringLiteral("over state"));
    symbol->SetListIndex(0);
    symbol->set_over_state();
    place<ellabel>(body, QRect(386, 366, 200, 20),
                   designStore({{"caption", QStringLiteral("Label with drop shadow")}, {"dropshadow", true}}));
    place<elboton>(body, QRect(386, 392, 120, 24),
                   designStore({{"caption", QStringLiteral("Disabled")}, {"enabled", false}}));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Quiltra controls"));
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setFixedSize(676, 430);

    auto *body = place<elpanel>(&window, window.rect(),
                                designStore({{"title", QStringLiteral("Quiltra controls")},
                                             {"color3ddark", color(DialogDark)}, {"dropshadow", true}}));
    QObject::connect(body, &elpanel::CloseClick, &app, &QApplication::quit);
    QPoint grab;
    QObject::connect(body, &elpanel::TitleMouseDown, body, [&](int, int, float x, float y) {
        grab = QPoint(int(x), int(y)) + body->titleGeometry().topLeft();
        if (window.windowHandle() && window.windowHandle()->startSystemMove())
            grab = QPoint(-1, -1);
    });
    QObject::connect(body, &elpanel::TitleMouseMove, body, [&](int button, int, float, float) {
        if (button != 0 && grab.x() >= 0)
            window.move(QCursor::pos() - grab);
    });

    buildDefaults(body);
    buildDialog(body);
    buildMainWindowRow(body);
    buildStates(body);

    window.show();
    if (argc < 2)
        return app.exec();

    const QString fileName = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(200, &app, [&] {
        // The screenshot shows the controls at rest, without a keyboard focus mark.
        if (QWidget *focused = QApplication::focusWidget())
            focused->clearFocus();
        if (!window.grab().save(fileName, "PNG")) {
            std::fprintf(stderr, "Cannot write %s\n", qPrintable(QDir::toNativeSeparators(fileName)));
            app.exit(1);
            return;
        }
        app.quit();
    });
    return app.exec();
}
