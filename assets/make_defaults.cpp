// Draws the four default pictures that Quiltra shows at start-up until the user loads one:
// abstract olive-green designs, one per game, 1280x1024 like the largest background.
// Run: make_defaults <output folder>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <functional>

namespace {

constexpr int Width = 1280;
constexpr int Height = 1024;

const QColor Olive(76, 88, 68);
const QColor Dark(40, 46, 34);
const QColor Deep(22, 27, 19);
const QColor Light(136, 145, 128);
const QColor Pale(160, 170, 149);
const QColor Gold(196, 181, 80);

void fillBackdrop(QPainter &p, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(0, 0, 0, Height);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(0, 0, Width, Height, g);
}

void glow(QPainter &p, QPointF centre, qreal radius, QColor colour)
{
    QRadialGradient g(centre, radius);
    g.setColorAt(0, colour);
    colour.setAlpha(0);
    g.setColorAt(1, colour);
    p.fillRect(0, 0, Width, Height, g);
}

// Diagonal bands crossing a soft glow.
void drawBands(QPainter &p)
{
    fillBackdrop(p, Dark, Deep);
    glow(p, {880, 360}, 620, QColor(136, 145, 128, 120));
    p.setPen(Qt::NoPen);
    for (int i = -6; i < 14; ++i) {
        QColor c = (i % 3 == 0) ? Olive : Dark;
        c.setAlpha(i % 2 ? 150 : 90);
        p.setBrush(c);
        const qreal x = i * 140.0;
        p.drawPolygon(QPolygonF({{x, 0}, {x + 70, 0}, {x + 70 - 600, qreal(Height)},
                                 {x - 600, qreal(Height)}}));
    }
    p.setPen(QPen(Gold, 6));
    p.drawLine(QPointF(0, 860), QPointF(Width, 620));
}

// Concentric rings off the centre.
void drawRings(QPainter &p)
{
    fillBackdrop(p, Deep, Olive);
    p.setBrush(Qt::NoBrush);
    for (int r = 40; r < 1500; r += 46) {
        QColor c = (r / 46) % 4 == 0 ? Pale : Light;
        c.setAlpha(40 + (r / 46 % 5) * 22);
        p.setPen(QPen(c, 10 + (r / 46 % 3) * 6));
        p.drawEllipse(QPointF(380, 700), r, r);
    }
    glow(p, {380, 700}, 260, QColor(196, 181, 80, 140));
}

// A tilted grid of shaded squares.
void drawSquares(QPainter &p)
{
    fillBackdrop(p, Olive, Dark);
    p.translate(Width / 2.0, Height / 2.0);
    p.rotate(-12);
    p.setPen(QPen(Deep, 4));
    for (int row = -7; row <= 7; ++row) {
        for (int col = -8; col <= 8; ++col) {
            const int shade = (row * 7 + col * 13 + 200) % 5;
            QColor c = QColor::fromRgb(Dark.red() + shade * 18, Dark.green() + shade * 20,
                                       Dark.blue() + shade * 15);
            p.setBrush(c);
            p.drawRect(QRectF(col * 110 - 50, row * 110 - 50, 100, 100));
        }
    }
    p.resetTransform();
    QRadialGradient vignette(QPointF(Width / 2.0, Height / 2.0), 900);
    vignette.setColorAt(0.4, QColor(0, 0, 0, 0));
    vignette.setColorAt(1, QColor(0, 0, 0, 170));
    p.fillRect(0, 0, Width, Height, vignette);
}

// Layered waves under a pale horizon.
void drawWaves(QPainter &p)
{
    fillBackdrop(p, Light, Deep);
    glow(p, {640, 300}, 500, QColor(196, 181, 80, 110));
    p.setPen(Qt::NoPen);
    for (int layer = 0; layer < 7; ++layer) {
        QPainterPath path;
        const qreal base = 380 + layer * 95.0;
        path.moveTo(0, Height);
        for (int x = 0; x <= Width; x += 16) {
            const qreal y = base + 38 * std::sin(x / (90.0 + layer * 25) + layer * 1.7);
            path.lineTo(x, y);
        }
        path.lineTo(Width, Height);
        path.closeSubpath();
        QColor c = layer % 2 ? Dark : Olive;
        c.setAlpha(150 + layer * 15);
        p.setBrush(c);
        p.drawPath(path);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: make_defaults <output folder>\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const std::pair<const char *, std::function<void(QPainter &)>> pictures[] = {
        {"cs_default.jpg", drawBands},
        {"cz_default.jpg", drawRings},
        {"dod_default.jpg", drawSquares},
        {"hl_default.jpg", drawWaves},
    };
    for (const auto &[name, draw] : pictures) {
        QImage image(Width, Height, QImage::Format_RGB32);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            draw(p);
        }
        const QString file = out.filePath(QString::fromLatin1(name));
        if (!image.save(file, "JPG", 85)) {
            err << "cannot write " << QDir::toNativeSeparators(file) << "\n";
            return 1;
        }
    }
    return 0;
}
