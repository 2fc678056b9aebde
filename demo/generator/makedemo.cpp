// Draws the pictures of the demo CD folder: the window outline (a 1-bit
// mask), the background, the toolbar strip and the glyph strips of the keys,
// for the menu window and for its second-level window.
// Usage: makedemo <output folder>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kSecondWidth = 600;
constexpr int kSecondHeight = 440;
const QColor kGlyphBackground(255, 0, 255); // bottom-left pixel: the transparent colour

void putLe16(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
}

void putLe32(QByteArray &bytes, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(char((value >> shift) & 0xFF));
}

// A 1-bit bottom-up bitmap: bit 0 where inside(x, y), 1 elsewhere.
QByteArray monochromeBitmap(int width, int height, const std::function<bool(int, int)> &inside)
{
    const int rowBytes = ((width + 31) / 32) * 4;
    const quint32 imageSize = quint32(rowBytes * height);
    const quint32 offBits = 14 + 40 + 8;
    QByteArray bytes;
    bytes.append("BM");
    putLe32(bytes, offBits + imageSize);
    putLe32(bytes, 0);
    putLe32(bytes, offBits);
    putLe32(bytes, 40);
    putLe32(bytes, quint32(width));
    putLe32(bytes, quint32(height));
    putLe16(bytes, 1);
    putLe16(bytes, 1);
    putLe32(bytes, 0);
    putLe32(bytes, imageSize);
    putLe32(bytes, 2835);
    putLe32(bytes, 2835);
    putLe32(bytes, 2);
    putLe32(bytes, 0);
    putLe32(bytes, 0x00000000); // palette: 0 black (inside)
    putLe32(bytes, 0x00FFFFFF); // 1 white (cut away)
    for (int row = height - 1; row >= 0; --row) {
        QByteArray line(rowBytes, char(0xFF)); // padding bits set on purpose
        for (int x = 0; x < width; ++x) {
            if (inside(x, row))
                line[x / 8] = char(line[x / 8] & ~(0x80 >> (x % 8)));
        }
        bytes.append(line);
    }
    return bytes;
}

QPainterPath windowOutline()
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill); // the parts overlap; their union is the window
    path.addRoundedRect(QRectF(0, 28, kWidth, kHeight - 28), 40, 40);
    path.addRoundedRect(QRectF(190, 0, 260, 60), 22, 22);      // title tab
    path.addEllipse(QPointF(70, 70), 66, 66);                  // medallion
    return path.simplified();
}

QPainterPath secondWindowOutline()
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRoundedRect(QRectF(0, 24, kSecondWidth, kSecondHeight - 24), 30, 30);
    path.addRoundedRect(QRectF(166, 0, 268, 64), 26, 26); // title tab
    return path.simplified();
}

QByteArray maskOf(const QPainterPath &outline, int width, int height)
{
    return monochromeBitmap(width, height, [&](int x, int y) { return outline.contains(QPointF(x + 0.5, y + 0.5)); });
}

bool save(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QImage background()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(12, 30, 66));
    sky.setColorAt(1, QColor(58, 20, 84));
    p.fillRect(image.rect(), sky);
    // Soft diagonal light bands.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        p.setBrush(QColor(255, 255, 255, 10 + i * 2));
        p.drawPolygon(QPolygonF({QPointF(120 + i * 95, 0), QPointF(160 + i * 95, 0),
                                 QPointF(40 + i * 95, kHeight), QPointF(0 + i * 95, kHeight)}));
    }
    // Panels behind the program list and the description.
    p.setBrush(QColor(255, 255, 255, 28));
    p.setPen(QPen(QColor(255, 214, 120, 160), 2));
    p.drawRoundedRect(QRectF(180, 120, 210, 290), 14, 14);
    p.drawRoundedRect(QRectF(405, 120, 215, 290), 14, 14);
    // Medallion ring and title tab rim.
    QRadialGradient glow(QPointF(70, 70), 66);
    glow.setColorAt(0, QColor(255, 230, 150));
    glow.setColorAt(0.8, QColor(200, 140, 40));
    glow.setColorAt(1, QColor(90, 50, 10));
    p.setBrush(glow);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(70, 70), 62, 62);
    p.setBrush(QColor(12, 30, 66));
    p.drawEllipse(QPointF(70, 70), 44, 44);
    p.setBrush(QColor(255, 214, 120));
    const QPolygonF star = [] {
        QPolygonF points;
        for (int i = 0; i < 10; ++i) {
            const double radius = i % 2 ? 14 : 34;
            const double angle = -M_PI / 2 + i * M_PI / 5;
            points << QPointF(70 + radius * std::cos(angle), 70 + radius * std::sin(angle));
        }
        return points;
    }();
    p.drawPolygon(star);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 214, 120), 3));
    p.drawRoundedRect(QRectF(192, 2, 256, 56), 20, 20);
    return image;
}

// A toolbar strip shaded from top to bottom through three colours.
QImage shadedStrip(int width, int height, const QColor &top, const QColor &middle, const QColor &bottom)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient band(0, 0, 0, height);
    band.setColorAt(0, top);
    band.setColorAt(0.5, middle);
    band.setColorAt(1, bottom);
    p.fillRect(image.rect(), band);
    return image;
}

QImage toolbarStrip()
{
    QImage image = shadedStrip(kWidth, 40, QColor(255, 214, 120), QColor(200, 140, 40), QColor(110, 60, 10));
    QPainter p(&image);
    p.setPen(QColor(255, 240, 200));
    p.drawLine(0, 0, kWidth, 0);
    return image;
}

// The second-level window: sea green with rising bubbles.
QImage secondBackground()
{
    QImage image(kSecondWidth, kSecondHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sea(0, 0, kSecondWidth, kSecondHeight);
    sea.setColorAt(0, QColor(10, 70, 64));
    sea.setColorAt(1, QColor(8, 30, 52));
    p.fillRect(image.rect(), sea);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 14; ++i) {
        const double x = 30 + (i * 97) % (kSecondWidth - 40);
        const double y = 60 + (i * 53) % (kSecondHeight - 120);
        p.setBrush(QColor(168, 240, 208, 18 + (i % 4) * 6));
        p.drawEllipse(QPointF(x, y), 8 + (i % 5) * 5, 8 + (i % 5) * 5);
    }
    p.setBrush(QColor(255, 255, 255, 24));
    p.setPen(QPen(QColor(168, 240, 208, 170), 2));
    p.drawRoundedRect(QRectF(204, 78, 186, 266), 14, 14);
    p.drawRoundedRect(QRectF(396, 78, 188, 274), 14, 14);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(168, 240, 208), 3));
    p.drawRoundedRect(QRectF(168, 2, 264, 60), 24, 24);
    return image;
}

QImage secondToolbarStrip()
{
    return shadedStrip(kSecondWidth, 44, QColor(168, 240, 208), QColor(40, 150, 120), QColor(10, 60, 50));
}

// A pretend screenshot of the chess program.
QImage chessScreenshot()
{
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(QColor(40, 30, 20));
    QPainter p(&image);
    const int cell = 26;
    const QPoint origin(56, 16);
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            const QColor colour = (row + column) % 2 ? QColor(120, 80, 40) : QColor(240, 220, 180);
            p.fillRect(QRect(origin + QPoint(column * cell, row * cell), QSize(cell, cell)), colour);
        }
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int column = 0; column < 8; ++column) {
        p.setBrush(QColor(20, 20, 20));
        p.drawEllipse(QPointF(origin.x() + column * cell + 13, origin.y() + cell + 13), 8, 8);
        p.setBrush(QColor(250, 250, 250));
        p.drawEllipse(QPointF(origin.x() + column * cell + 13, origin.y() + 6 * cell + 13), 8, 8);
    }
    return image;
}

// Larger than most screens, so the viewer stretches it.
QImage draughtsScreenshot()
{
    const int cell = 200;
    QImage image(cell * 12, cell * 8, QImage::Format_RGB32);
    image.fill(QColor(30, 50, 40));
    QPainter p(&image);
    const QPoint origin(cell * 2, 0);
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            const QColor colour = (row + column) % 2 ? QColor(60, 110, 70) : QColor(230, 230, 200);
            p.fillRect(QRect(origin + QPoint(column * cell, row * cell), QSize(cell, cell)), colour);
        }
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 8; ++row) {
        if (row == 3 || row == 4)
            continue;
        p.setBrush(row < 3 ? QColor(180, 30, 30) : QColor(250, 250, 250));
        for (int column = (row + 1) % 2; column < 8; column += 2)
            p.drawEllipse(QPointF(origin.x() + column * cell + cell / 2, row * cell + cell / 2), cell * 0.38, cell * 0.38);
    }
    return image;
}

using IconPainter = std::function<void(QPainter &, const QColor &)>;

// Five square cells: up, disabled, down, locked down, hot.
QImage glyphStrip(int cell, const IconPainter &icon)
{
    QImage image(cell * 5, cell, QImage::Format_RGB32);
    image.fill(kGlyphBackground);
    const QColor colours[5] = {QColor(255, 214, 120), QColor(128, 128, 128), QColor(200, 140, 40),
                               QColor(255, 255, 255), QColor(255, 240, 190)};
    for (int state = 0; state < 5; ++state) {
        QPainter p(&image);
        p.translate(state * cell + (state == 2 ? 1 : 0), state == 2 ? 1 : 0);
        p.scale(cell / 32.0, cell / 32.0);
        if (state == 3) {
            p.setPen(QPen(QColor(255, 214, 120), 2));
            p.setBrush(QColor(90, 50, 10));
            p.drawEllipse(QRectF(1, 1, 30, 30));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(colours[state]);
        icon(p, colours[state]);
    }
    return image;
}

void gamepad(QPainter &p, const QColor &)
{
    p.drawRoundedRect(QRectF(4, 10, 24, 13), 6, 6);
    p.setBrush(QColor(40, 20, 60));
    p.drawRect(QRectF(8, 15, 6, 2));
    p.drawRect(QRectF(10, 13, 2, 6));
    p.drawEllipse(QRectF(20, 13, 3, 3));
    p.drawEllipse(QRectF(23, 16, 3, 3));
}

void gear(QPainter &p, const QColor &)
{
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(16, 16);
        p.rotate(i * 45);
        p.drawRect(QRectF(-2.5, -14, 5, 6));
        p.restore();
    }
    p.drawEllipse(QPointF(16, 16), 9, 9);
    p.setBrush(QColor(40, 20, 60));
    p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
}

void note(QPainter &p, const QColor &)
{
    p.drawEllipse(QRectF(5, 20, 9, 7));
    p.drawEllipse(QRectF(18, 17, 9, 7));
    p.drawRect(QRectF(12, 6, 2.5, 18));
    p.drawRect(QRectF(25, 3, 2.5, 18));
    p.drawPolygon(QPolygonF({QPointF(12, 6), QPointF(27.5, 3), QPointF(27.5, 8), QPointF(12, 11)}));
}

void book(QPainter &p, const QColor &)
{
    p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(15, 10), QPointF(15, 27), QPointF(3, 25)}));
    p.drawPolygon(QPolygonF({QPointF(17, 10), QPointF(29, 8), QPointF(29, 25), QPointF(17, 27)}));
}

void play(QPainter &p, const QColor &)
{
    p.drawPolygon(QPolygonF({QPointF(9, 6), QPointF(26, 16), QPointF(9, 26)}));
}

void stairs(QPainter &p, const QColor &)
{
    p.drawPolygon(QPolygonF({QPointF(4, 28), QPointF(4, 22), QPointF(11, 22), QPointF(11, 15), QPointF(18, 15),
                             QPointF(18, 8), QPointF(25, 8), QPointF(25, 2), QPointF(30, 2), QPointF(30, 28)}));
}

void puzzle(QPainter &p, const QColor &)
{
    QPainterPath piece;
    piece.addRect(QRectF(6, 10, 18, 18));
    piece.addEllipse(QPointF(15, 8), 5, 5);
    piece.addEllipse(QPointF(26, 19), 5, 5);
    p.drawPath(piece.simplified());
}

void speech(QPainter &p, const QColor &)
{
    p.drawRoundedRect(QRectF(3, 5, 26, 17), 6, 6);
    p.drawPolygon(QPolygonF({QPointF(9, 21), QPointF(16, 21), QPointF(7, 29)}));
}

void back(QPainter &p, const QColor &colour)
{
    p.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(15, 7), QPointF(6, 16), QPointF(15, 25)}));
    p.drawLine(QPointF(7, 16), QPointF(26, 16));
}

void cross(QPainter &p, const QColor &colour)
{
    p.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(24, 24));
    p.drawLine(QPointF(24, 8), QPointF(8, 24));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makedemo <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/MENU/");
    bool ok = writeBytes(out + QStringLiteral("MASKA.BMP"), maskOf(windowOutline(), kWidth, kHeight));
    ok = save(background(), out + QStringLiteral("TLO.BMP")) && ok;
    ok = save(toolbarStrip(), out + QStringLiteral("PASEK.BMP")) && ok;
    ok = save(glyphStrip(32, gamepad), out + QStringLiteral("GRY.BMP")) && ok;
    ok = save(glyphStrip(32, gear), out + QStringLiteral("NARZEDZIA.BMP")) && ok;
    ok = save(glyphStrip(32, note), out + QStringLiteral("MUZYKA.BMP")) && ok;
    ok = save(glyphStrip(32, book), out + QStringLiteral("EDUKACJA.BMP")) && ok;
    ok = save(glyphStrip(20, play), out + QStringLiteral("START.BMP")) && ok;
    ok = save(glyphStrip(20, cross), out + QStringLiteral("KONIEC.BMP")) && ok;
    ok = save(glyphStrip(32, stairs), out + QStringLiteral("WIECEJ.BMP")) && ok;
    const QString second = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/DRUGIE/");
    ok = writeBytes(second + QStringLiteral("MASKA.BMP"), maskOf(secondWindowOutline(), kSecondWidth, kSecondHeight))
         && ok;
    ok = save(secondBackground(), second + QStringLiteral("TLO.BMP")) && ok;
    ok = save(secondToolbarStrip(), second + QStringLiteral("PASEK.BMP")) && ok;
    ok = save(glyphStrip(32, puzzle), second + QStringLiteral("LAMIGLOWKI.BMP")) && ok;
    ok = save(glyphStrip(32, speech), second + QStringLiteral("JEZYKI.BMP")) && ok;
    ok = save(glyphStrip(20, back), second + QStringLiteral("POWROT.BMP")) && ok;
    const QString screenshots = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/ZRZUTY/");
    ok = save(chessScreenshot(), screenshots + QStringLiteral("SZACHY.BMP")) && ok;
    ok = draughtsScreenshot().convertToFormat(QImage::Format_RGB888).save(screenshots + QStringLiteral("WARCABY.JPG"), "JPG", 80)
         && ok;
    if (!ok) {
        std::fprintf(stderr, "makedemo: could not write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
