#include "pictures/DefinitionPictures.h"

#include "pictures/Look.h"
#include "pictures/Painting.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <initializer_list>

namespace pictures {

namespace {

constexpr int ClockFrames = 12;
constexpr int ButterflyFrames = 8;

QString FrameName(const QString& folder, const char* stem, int index)
{
    return QStringLiteral("%1/%2-%3.png").arg(folder, QString::fromLatin1(stem)).arg(index, 2, 10, QLatin1Char('0'));
}

void PaintPictureBorder(QPainter& painter, const QImage& image)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(look::Walnut);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
}

QImage House()
{
    QImage image = NewPicture(120, 96, QColor(0xBF, 0xE3, 0xF5));
    QPainter p(&image);
    PreparePainter(p);
    p.fillRect(QRect(0, 74, 120, 22), QColor(0x6A, 0xA8, 0x4F));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF5, 0xD0, 0x3A));
    p.drawEllipse(QPointF(100, 16), 9, 9);
    p.setBrush(QColor(0x8C, 0x5A, 0x3C));
    p.drawRect(QRectF(72, 22, 9, 18)); // chimney
    p.setPen(QPen(look::Walnut, 1));
    p.setBrush(QColor(0xF4, 0xE6, 0xC8));
    p.drawRect(QRectF(28.5, 44.5, 62, 34)); // walls
    QPainterPath roof;
    roof.moveTo(22, 46);
    roof.lineTo(59.5, 18);
    roof.lineTo(97, 46);
    roof.closeSubpath();
    p.setBrush(QColor(0xB8, 0x3A, 0x2A));
    p.drawPath(roof);
    p.setBrush(QColor(0x7A, 0x4A, 0x26));
    p.drawRect(QRectF(53.5, 58.5, 12, 20)); // door
    for (qreal x : {34.5, 73.5}) {
        p.setBrush(QColor(0x8F, 0xC8, 0xEE));
        p.drawRect(QRectF(x, 52.5, 12, 11));
        p.drawLine(QPointF(x + 6, 52.5), QPointF(x + 6, 63.5));
        p.drawLine(QPointF(x, 58), QPointF(x + 12, 58));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xFF, 0xFF, 170)); // smoke
    p.drawEllipse(QPointF(78, 16), 4, 3);
    p.drawEllipse(QPointF(83, 10), 5, 3.5);
    PaintPictureBorder(p, image);
    return image;
}

QImage Mountain()
{
    QImage image = NewPicture(140, 100, Qt::white);
    QPainter p(&image);
    PreparePainter(p);
    QLinearGradient sky(0, 0, 0, 70);
    sky.setColorAt(0, QColor(0x4A, 0x86, 0xC8));
    sky.setColorAt(1, QColor(0xD8, 0xEC, 0xF8));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    auto range = [&p](std::initializer_list<QPointF> ridge, const QColor& top, const QColor& foot) {
        QPainterPath path;
        path.moveTo(0, 100);
        for (const QPointF& point : ridge)
            path.lineTo(point);
        path.lineTo(140, 100);
        path.closeSubpath();
        QLinearGradient shade(0, 20, 0, 100);
        shade.setColorAt(0, top);
        shade.setColorAt(1, foot);
        p.fillPath(path, shade);
    };
    range({{0, 60}, {30, 38}, {52, 52}, {80, 30}, {110, 48}, {140, 40}}, QColor(0x8A, 0x9A, 0xB8),
          QColor(0x6C, 0x7C, 0x98));
    range({{0, 70}, {24, 55}, {60, 18}, {96, 58}, {140, 66}}, QColor(0x6E, 0x6A, 0x78), QColor(0x46, 0x48, 0x52));
    QPainterPath snow;
    snow.moveTo(60, 18);
    snow.lineTo(71, 29);
    snow.lineTo(66, 27);
    snow.lineTo(61, 32);
    snow.lineTo(56, 27);
    snow.lineTo(50, 30);
    snow.closeSubpath();
    p.fillPath(snow, QColor(0xFA, 0xFC, 0xFF));
    range({{0, 86}, {40, 76}, {90, 84}, {140, 74}}, QColor(0x5E, 0x9A, 0x48), QColor(0x3C, 0x6E, 0x30));
    PaintPictureBorder(p, image);
    return image;
}

QImage Rainbow()
{
    QImage image = NewPicture(140, 90, Qt::white);
    QPainter p(&image);
    PreparePainter(p);
    QLinearGradient sky(0, 0, 0, 90);
    sky.setColorAt(0, QColor(0x7F, 0xA8, 0xC9));
    sky.setColorAt(1, QColor(0xE2, 0xEE, 0xF4));
    p.fillRect(image.rect(), sky);
    const QColor bands[] = {QColor(0xE5, 0x39, 0x35), QColor(0xFB, 0x8C, 0x00), QColor(0xFD, 0xD8, 0x35),
                            QColor(0x43, 0xA0, 0x47), QColor(0x1E, 0x88, 0xE5), QColor(0x3F, 0x3D, 0x99),
                            QColor(0x8E, 0x24, 0xAA)};
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 7; ++i) {
        p.setPen(QPen(bands[i], 4.2, Qt::SolidLine, Qt::FlatCap));
        const qreal r = 62 - i * 4;
        p.drawArc(QRectF(70 - r, 88 - r, 2 * r, 2 * r), 0, 180 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xFF, 0xFF, 220));
    for (const QPointF& c : {QPointF(22, 26), QPointF(32, 22), QPointF(42, 27), QPointF(110, 16), QPointF(121, 13)})
        p.drawEllipse(c, 10, 6.5);
    QPainterPath hills;
    hills.moveTo(0, 90);
    hills.cubicTo(30, 70, 60, 92, 90, 80);
    hills.cubicTo(110, 72, 130, 78, 140, 76);
    hills.lineTo(140, 90);
    hills.closeSubpath();
    p.fillPath(hills, QColor(0x5B, 0x96, 0x44));
    PaintPictureBorder(p, image);
    return image;
}

QImage Flag()
{
    QImage image = NewPicture(72, 56, QColor(ViewBackground));
    QPainter p(&image);
    PreparePainter(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7A, 0x52, 0x30));
    p.drawRect(QRectF(5, 4, 3, 50));
    p.setBrush(look::GoldDeep);
    p.drawEllipse(QPointF(6.5, 4), 3, 3);
    const QColor stripes[] = {QColor(0x00, 0x55, 0xA4), Qt::white, QColor(0xEF, 0x41, 0x35)};
    for (int i = 0; i < 3; ++i) {
        // Each stripe follows the same gentle wave, so the cloth seems to float.
        QPainterPath cloth;
        const qreal x0 = 8 + i * 20.0;
        const qreal x1 = x0 + 20.0;
        const auto wave = [](qreal x) { return 3 * qSin((x - 8) / 60.0 * 2 * M_PI); };
        cloth.moveTo(x0, 7 + wave(x0));
        for (qreal x = x0; x <= x1; x += 1)
            cloth.lineTo(x, 7 + wave(x));
        for (qreal x = x1; x >= x0; x -= 1)
            cloth.lineTo(x, 41 + wave(x));
        cloth.closeSubpath();
        p.fillPath(cloth, stripes[i]);
    }
    return image;
}

QImage Triangle()
{
    QImage image = NewPicture(100, 84, QColor(ViewBackground));
    QPainter p(&image);
    PreparePainter(p);
    const QPointF a(12, 72), b(90, 72), c(56, 12);
    QPainterPath shape;
    shape.moveTo(a);
    shape.lineTo(b);
    shape.lineTo(c);
    shape.closeSubpath();
    p.setPen(QPen(look::Slate, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xFF, 0xD8, 0x4D, 150));
    p.drawPath(shape);
    p.setPen(QPen(look::Brick, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(a.x() - 12, a.y() - 12, 24, 24), 0, 38 * 16);
    p.drawArc(QRectF(b.x() - 10, b.y() - 10, 20, 20), 120 * 16, 60 * 16);
    p.drawArc(QRectF(c.x() - 9, c.y() - 9, 18, 18), 240 * 16, 82 * 16);
    p.setFont(SansFont(12, true));
    p.setPen(look::Walnut);
    p.drawText(QRectF(2, 70, 12, 14), Qt::AlignCenter, QStringLiteral("A"));
    p.drawText(QRectF(88, 70, 12, 14), Qt::AlignCenter, QStringLiteral("B"));
    p.drawText(QRectF(50, 0, 12, 12), Qt::AlignCenter, QStringLiteral("C"));
    return image;
}

QImage InformationSign()
{
    QImage image = NewPicture(32, 32, QColor(ViewBackground));
    QPainter p(&image);
    PreparePainter(p);
    QRadialGradient ball(QPointF(12, 10), 18);
    ball.setColorAt(0, look::SlateLight.lighter(150));
    ball.setColorAt(1, look::Slate);
    p.setPen(QPen(look::SlateDeep, 1));
    p.setBrush(ball);
    p.drawEllipse(QPointF(16, 16), 14.5, 14.5);
    p.setPen(Qt::NoPen);
    p.setBrush(look::Gold);
    p.drawEllipse(QPointF(16, 9), 2.4, 2.4);
    p.drawRoundedRect(QRectF(13.8, 13, 4.4, 12), 1, 1);
    return image;
}

QImage ClockFrame(int frame)
{
    QImage image = NewPicture(84, 84, QColor(ViewBackground));
    QPainter p(&image);
    PreparePainter(p);
    const QPointF centre(42, 42);
    p.setPen(QPen(look::Walnut, 3));
    QRadialGradient face(QPointF(36, 34), 44);
    face.setColorAt(0, look::Cream);
    face.setColorAt(1, look::CreamShade);
    p.setBrush(face);
    p.drawEllipse(centre, 38, 38);
    p.setPen(QPen(look::Walnut, 1.4));
    for (int mark = 0; mark < 12; ++mark) {
        const qreal angle = mark * M_PI / 6;
        const qreal inner = mark % 3 == 0 ? 28 : 31;
        p.drawLine(centre + QPointF(qSin(angle) * inner, -qCos(angle) * inner),
                   centre + QPointF(qSin(angle) * 34, -qCos(angle) * 34));
    }
    p.setFont(SerifFont(11, true, false));
    const char* numerals[] = {"12", "3", "6", "9"};
    for (int i = 0; i < 4; ++i) {
        const qreal angle = i * M_PI / 2;
        const QPointF at = centre + QPointF(qSin(angle) * 21, -qCos(angle) * 21);
        p.drawText(QRectF(at.x() - 9, at.y() - 7, 18, 14), Qt::AlignCenter, QString::fromLatin1(numerals[i]));
    }
    // Each frame moves the minute hand five minutes on, and the hour hand with it.
    const qreal minutes = frame * 5.0;
    const qreal minuteAngle = minutes / 60.0 * 2 * M_PI;
    const qreal hourAngle = (10 + minutes / 60.0) / 12.0 * 2 * M_PI;
    p.setPen(QPen(look::Walnut, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(qSin(hourAngle) * 17, -qCos(hourAngle) * 17));
    p.setPen(QPen(look::Slate, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(qSin(minuteAngle) * 27, -qCos(minuteAngle) * 27));
    p.setPen(Qt::NoPen);
    p.setBrush(look::Brick);
    p.drawEllipse(centre, 3, 3);
    return image;
}

void PaintWing(QPainter& p, const QPointF& root, qreal spread, bool upper, const QColor& colour)
{
    // Spread runs from 1 (wings open) to a thin sliver (wings raised edge on).
    QPainterPath wing;
    const qreal reach = upper ? 36 : 26;
    const qreal lift = upper ? -28 : 20;
    wing.moveTo(root);
    wing.cubicTo(root + QPointF(reach * 0.3 * spread, lift * 1.1), root + QPointF(reach * spread, lift),
                 root + QPointF(reach * spread, lift * 0.35));
    wing.cubicTo(root + QPointF(reach * 0.8 * spread, lift * 0.05), root + QPointF(reach * 0.3 * spread, 0),
                 root);
    p.setPen(QPen(look::SlateDeep, 1));
    p.setBrush(colour);
    p.drawPath(wing);
    p.setPen(Qt::NoPen);
    p.setBrush(look::Gold);
    p.drawEllipse(root + QPointF(reach * 0.62 * spread, lift * 0.55), 3.5 * spread + 0.5, 3.5);
}

QImage ButterflyFrame(int frame)
{
    QImage image = NewPicture(96, 76, QColor(ViewBackground));
    QPainter p(&image);
    PreparePainter(p);
    const qreal spread = 0.25 + 0.75 * (0.5 + 0.5 * qCos(frame * 2 * M_PI / ButterflyFrames));
    const QPointF root(48, 40);
    const QColor upper(0xE8, 0x6A, 0x1C);
    const QColor lower(0xC0, 0x48, 0x12);
    for (qreal side : {1.0, -1.0}) {
        p.save();
        p.translate(root);
        p.scale(side, 1);
        p.translate(-root);
        PaintWing(p, root, spread, true, upper);
        PaintWing(p, root, spread, false, lower);
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(look::SlateDeep);
    p.drawRoundedRect(QRectF(46, 26, 4, 30), 2, 2);
    p.drawEllipse(QPointF(48, 25), 3, 3);
    p.setPen(QPen(look::SlateDeep, 1));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(47, 23), QPointF(41, 12));
    p.drawLine(QPointF(49, 23), QPointF(55, 12));
    return image;
}

} // namespace

void MakeDefinitionPictures(const QString& imageFolder, const QString& frameFolder)
{
    SaveBmp(House(), imageFolder + "/maison.bmp");
    SaveJpeg(Mountain(), imageFolder + "/montagne.jpg");
    SaveJpeg(Rainbow(), imageFolder + "/arc-en-ciel.jpg");
    SavePng(Flag(), frameFolder + "/drapeau.png");
    SavePng(Triangle(), frameFolder + "/triangle.png");
    SavePng(InformationSign(), frameFolder + "/info.png");
    for (int frame = 0; frame < ClockFrames; ++frame)
        SavePng(ClockFrame(frame), FrameName(frameFolder, "horloge", frame));
    for (int frame = 0; frame < ButterflyFrames; ++frame)
        SavePng(ButterflyFrame(frame), FrameName(frameFolder, "papillon", frame));
}

} // namespace pictures
