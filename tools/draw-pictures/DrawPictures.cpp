// Draws the program's pictures into PNG files: the start pictures and the
// new-case button pictures of both languages and the program icon.
// The files are checked in; run this only after changing the artwork.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>

namespace {

const QSize StartSize(992, 620);
const QSize ButtonSize(108, 22);
const QSize IconSize(64, 64);

QColor rgb(const char* name)
{
    return QColor(QString::fromLatin1(name));
}

// The artwork is drawn facing the viewer, so every shape with a partner is
// drawn once for each side.
template <typename Draw> void bothSides(QPainter& p, Draw draw)
{
    draw(1.0);
    p.save();
    p.scale(-1.0, 1.0);
    draw(-1.0);
    p.restore();
}

void ellipse(QPainter& p, QPointF centre, qreal rx, qreal ry, const QColor& fill, qreal angle = 0.0)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.setBrush(fill);
    p.drawEllipse(QPointF(0, 0), rx, ry);
    p.restore();
}

void eye(QPainter& p, QPointF centre, qreal r)
{
    ellipse(p, centre, r, r * 1.1, rgb("#2b1d14"));
    ellipse(p, centre + QPointF(r * 0.35, -r * 0.4), r * 0.38, r * 0.38, Qt::white);
}

// A sitting dog seen from the front; the origin is the ground between its paws.
struct DogLook
{
    QColor coat;
    QColor light; // chest, muzzle and paws
    QColor ears;
    QColor collar;
    bool uprightEars;
    bool eyePatch;
};

void drawDog(QPainter& p, QPointF at, qreal scale, const DogLook& look)
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    const QPen outline(look.coat.darker(135), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    // Tail, swept out to the right on the ground.
    QPainterPath tail(QPointF(55, -25));
    tail.cubicTo(QPointF(120, -20), QPointF(150, -60), QPointF(140, -110));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(look.coat.darker(135), 27, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    p.setPen(QPen(look.coat, 21, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    p.setPen(Qt::NoPen);

    // Haunches behind the front legs.
    bothSides(p, [&](qreal) { ellipse(p, QPointF(58, -48), 46, 52, look.coat.darker(108), -10); });

    // Body: narrow shoulders widening to the seat.
    QPainterPath body(QPointF(-42, -175));
    body.cubicTo(QPointF(-80, -130), QPointF(-95, -40), QPointF(-70, -8));
    body.lineTo(QPointF(70, -8));
    body.cubicTo(QPointF(95, -40), QPointF(80, -130), QPointF(42, -175));
    body.closeSubpath();
    p.setPen(outline);
    p.setBrush(look.coat);
    p.drawPath(body);
    p.setPen(Qt::NoPen);

    // Chest.
    QPainterPath chest(QPointF(-30, -165));
    chest.cubicTo(QPointF(-55, -120), QPointF(-40, -70), QPointF(0, -55));
    chest.cubicTo(QPointF(40, -70), QPointF(55, -120), QPointF(30, -165));
    chest.closeSubpath();
    p.setBrush(look.light);
    p.drawPath(chest);

    // Front legs and paws.
    bothSides(p, [&](qreal) {
        p.setBrush(look.coat);
        p.setPen(outline);
        p.drawRoundedRect(QRectF(10, -110, 32, 104), 14, 14);
        p.setPen(Qt::NoPen);
        ellipse(p, QPointF(28, -8), 24, 13, look.light);
        p.setPen(QPen(look.light.darker(130), 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(22, -12), QPointF(22, -3));
        p.drawLine(QPointF(32, -12), QPointF(32, -3));
        p.setPen(Qt::NoPen);
    });

    // Collar with its tag.
    p.setPen(QPen(look.collar, 12, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(-48, -205, 96, 50), 200 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    ellipse(p, QPointF(0, -150), 9, 9, rgb("#f2c94c"));

    // Ears behind the head when floppy, on top when upright.
    auto ears = [&]() {
        bothSides(p, [&](qreal) {
            if (look.uprightEars) {
                QPainterPath ear(QPointF(22, -268));
                ear.cubicTo(QPointF(30, -310), QPointF(48, -330), QPointF(62, -322));
                ear.cubicTo(QPointF(70, -300), QPointF(66, -275), QPointF(58, -250));
                ear.closeSubpath();
                p.setBrush(look.ears);
                p.drawPath(ear);
                QPainterPath inner(QPointF(34, -270));
                inner.cubicTo(QPointF(40, -300), QPointF(50, -312), QPointF(57, -308));
                inner.cubicTo(QPointF(60, -292), QPointF(57, -276), QPointF(52, -260));
                inner.closeSubpath();
                p.setBrush(rgb("#e8a3a3"));
                p.drawPath(inner);
            } else {
                QPainterPath ear(QPointF(38, -292));
                ear.cubicTo(QPointF(80, -300), QPointF(92, -250), QPointF(82, -205));
                ear.cubicTo(QPointF(76, -185), QPointF(56, -190), QPointF(54, -215));
                ear.cubicTo(QPointF(52, -240), QPointF(44, -262), QPointF(38, -292));
                ear.closeSubpath();
                p.setBrush(look.ears);
                p.drawPath(ear);
            }
        });
    };
    if (look.uprightEars)
        ears();

    // Head.
    p.setPen(outline);
    p.setBrush(look.coat);
    p.drawEllipse(QPointF(0, -245), 62, 56);
    p.setPen(Qt::NoPen);
    if (!look.uprightEars)
        ears();
    if (look.eyePatch)
        ellipse(p, QPointF(-27, -262), 22, 19, look.ears.lighter(150), 20);

    // Blaze down the face and the muzzle.
    QPainterPath blaze(QPointF(-8, -298));
    blaze.cubicTo(QPointF(-14, -270), QPointF(-30, -240), QPointF(-34, -222));
    blaze.lineTo(QPointF(34, -222));
    blaze.cubicTo(QPointF(30, -240), QPointF(14, -270), QPointF(8, -298));
    blaze.closeSubpath();
    p.setBrush(look.light);
    p.drawPath(blaze);
    ellipse(p, QPointF(0, -212), 38, 27, look.light);

    bothSides(p, [&](qreal) { eye(p, QPointF(24, -258), 7.5); });

    // Nose, mouth and tongue.
    QPainterPath nose(QPointF(-13, -228));
    nose.cubicTo(QPointF(-13, -238), QPointF(13, -238), QPointF(13, -228));
    nose.cubicTo(QPointF(13, -220), QPointF(4, -216), QPointF(0, -216));
    nose.cubicTo(QPointF(-4, -216), QPointF(-13, -220), QPointF(-13, -228));
    p.setBrush(rgb("#2b1d14"));
    p.drawPath(nose);
    ellipse(p, QPointF(-4, -231), 4, 2.5, QColor(255, 255, 255, 150));
    QPainterPath tongue(QPointF(-9, -201));
    tongue.cubicTo(QPointF(-10, -183), QPointF(10, -183), QPointF(9, -201));
    tongue.closeSubpath();
    p.setBrush(rgb("#e57373"));
    p.drawPath(tongue);
    p.setPen(QPen(rgb("#2b1d14"), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(0, -216), QPointF(0, -205));
    QPainterPath mouth(QPointF(-20, -206));
    mouth.quadTo(QPointF(-10, -198), QPointF(0, -205));
    mouth.quadTo(QPointF(10, -198), QPointF(20, -206));
    p.drawPath(mouth);
    p.restore();
}

// A sitting cat seen from the front, its tail wrapped round its paws.
void drawCat(QPainter& p, QPointF at, qreal scale)
{
    const QColor fur = rgb("#e39a4c");
    const QColor stripe = rgb("#b8692a");
    const QColor cream = rgb("#fbe7cf");
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    const QPen outline(fur.darker(140), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    // Body.
    QPainterPath body(QPointF(-30, -170));
    body.cubicTo(QPointF(-70, -130), QPointF(-85, -40), QPointF(-62, -6));
    body.lineTo(QPointF(62, -6));
    body.cubicTo(QPointF(85, -40), QPointF(70, -130), QPointF(30, -170));
    body.closeSubpath();
    p.setPen(outline);
    p.setBrush(fur);
    p.drawPath(body);
    p.setPen(Qt::NoPen);

    // Stripes on the flanks.
    p.setPen(QPen(stripe, 7, Qt::SolidLine, Qt::RoundCap));
    bothSides(p, [&](qreal) {
        p.drawArc(QRectF(36, -120, 50, 40), 120 * 16, 60 * 16);
        p.drawArc(QRectF(40, -90, 50, 40), 120 * 16, 60 * 16);
        p.drawArc(QRectF(42, -60, 50, 40), 120 * 16, 60 * 16);
    });
    p.setPen(Qt::NoPen);

    // Chest and paws.
    QPainterPath chest(QPointF(-24, -160));
    chest.cubicTo(QPointF(-44, -110), QPointF(-30, -60), QPointF(0, -48));
    chest.cubicTo(QPointF(30, -60), QPointF(44, -110), QPointF(24, -160));
    chest.closeSubpath();
    p.setBrush(cream);
    p.drawPath(chest);
    bothSides(p, [&](qreal) {
        p.setBrush(fur);
        p.drawRoundedRect(QRectF(6, -80, 24, 74), 11, 11);
        ellipse(p, QPointF(19, -8), 17, 10, cream);
    });

    // Tail round the front.
    QPainterPath tail(QPointF(55, -20));
    tail.cubicTo(QPointF(100, -10), QPointF(90, 12), QPointF(40, 6));
    tail.cubicTo(QPointF(0, 2), QPointF(-30, 4), QPointF(-52, -2));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(fur.darker(105), 18, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    p.setPen(QPen(stripe, 18, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(QPointF(-52, -2));
    p.setPen(Qt::NoPen);

    // Ears.
    bothSides(p, [&](qreal) {
        QPainterPath ear(QPointF(18, -250));
        ear.lineTo(QPointF(52, -285));
        ear.quadTo(QPointF(60, -288), QPointF(60, -280));
        ear.lineTo(QPointF(62, -228));
        ear.closeSubpath();
        p.setPen(outline);
        p.setBrush(fur);
        p.drawPath(ear);
        p.setPen(Qt::NoPen);
        QPainterPath inner(QPointF(28, -248));
        inner.lineTo(QPointF(52, -273));
        inner.lineTo(QPointF(54, -236));
        inner.closeSubpath();
        p.setBrush(rgb("#f2a7a7"));
        p.drawPath(inner);
    });

    // Head.
    p.setPen(outline);
    p.setBrush(fur);
    p.drawEllipse(QPointF(0, -212), 58, 48);
    p.setPen(Qt::NoPen);
    ellipse(p, QPointF(0, -192), 30, 20, cream);

    // Stripes on the forehead.
    p.setPen(QPen(stripe, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, -256), QPointF(0, -238));
    p.drawLine(QPointF(-12, -254), QPointF(-9, -240));
    p.drawLine(QPointF(12, -254), QPointF(9, -240));
    p.setPen(Qt::NoPen);

    // Eyes: green with upright slits.
    bothSides(p, [&](qreal) {
        ellipse(p, QPointF(22, -216), 11, 9, rgb("#8bc34a"));
        ellipse(p, QPointF(22, -216), 2.8, 8, rgb("#1d1d1d"));
        ellipse(p, QPointF(25, -220), 2.2, 2.2, Qt::white);
    });

    // Nose, mouth, whiskers.
    QPainterPath nose(QPointF(-7, -200));
    nose.lineTo(QPointF(7, -200));
    nose.lineTo(QPointF(0, -192));
    nose.closeSubpath();
    p.setBrush(rgb("#e88a9a"));
    p.drawPath(nose);
    p.setPen(QPen(rgb("#5a3a22"), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath mouth(QPointF(-11, -184));
    mouth.quadTo(QPointF(-5, -180), QPointF(0, -187));
    mouth.quadTo(QPointF(5, -180), QPointF(11, -184));
    p.drawLine(QPointF(0, -192), QPointF(0, -187));
    p.drawPath(mouth);
    p.setPen(QPen(rgb("#6b4a33"), 1.6, Qt::SolidLine, Qt::RoundCap));
    bothSides(p, [&](qreal) {
        p.drawLine(QPointF(28, -194), QPointF(72, -202));
        p.drawLine(QPointF(28, -189), QPointF(74, -189));
        p.drawLine(QPointF(28, -184), QPointF(70, -175));
    });
    p.restore();
}

// A feeding bowl with kibble.
void drawBowl(QPainter& p, QPointF at, qreal scale)
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    // Kibble heaped above the rim.
    const QColor kibble[] = {rgb("#a0612b"), rgb("#8a4f22"), rgb("#b87435")};
    int n = 0;
    for (qreal x = -46; x <= 46; x += 13) {
        for (qreal row = 0; row < 3; ++row) {
            const qreal y = -44 - row * 9 + std::abs(x) * 0.25 * row / 2.0;
            if (std::abs(x) > 46 - row * 14)
                continue;
            ellipse(p, QPointF(x + row * 5, y), 8, 6, kibble[n % 3], n * 23);
            ++n;
        }
    }
    QPainterPath bowl(QPointF(-62, -44));
    bowl.lineTo(QPointF(62, -44));
    bowl.cubicTo(QPointF(58, -10), QPointF(40, 0), QPointF(0, 0));
    bowl.cubicTo(QPointF(-40, 0), QPointF(-58, -10), QPointF(-62, -44));
    QLinearGradient shine(QPointF(-62, 0), QPointF(62, 0));
    shine.setColorAt(0, rgb("#1f6f8b"));
    shine.setColorAt(0.35, rgb("#4aa3c3"));
    shine.setColorAt(1, rgb("#1a5d75"));
    p.setBrush(shine);
    p.drawPath(bowl);
    p.setBrush(rgb("#17526a"));
    p.drawRoundedRect(QRectF(-64, -50, 128, 10), 5, 5);
    p.restore();
}

void drawPaw(QPainter& p, QPointF at, qreal size, const QColor& colour, qreal angle)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    p.setPen(Qt::NoPen);
    ellipse(p, QPointF(0, size * 0.35), size * 0.55, size * 0.45, colour);
    ellipse(p, QPointF(-size * 0.55, -size * 0.2), size * 0.2, size * 0.26, colour);
    ellipse(p, QPointF(-size * 0.2, -size * 0.5), size * 0.2, size * 0.26, colour);
    ellipse(p, QPointF(size * 0.2, -size * 0.5), size * 0.2, size * 0.26, colour);
    ellipse(p, QPointF(size * 0.55, -size * 0.2), size * 0.2, size * 0.26, colour);
    p.restore();
}

QImage startPicture(const QString& subtitle)
{
    QImage image(StartSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(QPointF(0, 0), QPointF(0, StartSize.height()));
    sky.setColorAt(0, rgb("#fbf7ee"));
    sky.setColorAt(1, rgb("#f1e6cf"));
    p.fillRect(image.rect(), sky);

    // A warm sun behind the animals.
    QRadialGradient sun(QPointF(610, 420), 300);
    sun.setColorAt(0, QColor(255, 214, 140, 170));
    sun.setColorAt(1, QColor(255, 214, 140, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(610, 420), 300, 300);

    // Meadow.
    QPainterPath hill(QPointF(0, 520));
    hill.cubicTo(QPointF(250, 470), QPointF(700, 470), QPointF(992, 515));
    hill.lineTo(QPointF(992, 620));
    hill.lineTo(QPointF(0, 620));
    hill.closeSubpath();
    QLinearGradient grass(QPointF(0, 470), QPointF(0, 620));
    grass.setColorAt(0, rgb("#c5ddb0"));
    grass.setColorAt(1, rgb("#9cc386"));
    p.setBrush(grass);
    p.drawPath(hill);

    // Paw prints wandering across the top.
    const QColor print(196, 172, 132, 70);
    drawPaw(p, QPointF(870, 70), 22, print, 30);
    drawPaw(p, QPointF(920, 120), 22, print, 40);
    drawPaw(p, QPointF(905, 185), 22, print, 20);

    // Name and subtitle.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(104);
    title.setBold(true);
    title.setLetterSpacing(QFont::PercentageSpacing, 104);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 28));
    p.drawText(QRect(4, 32, StartSize.width(), 130), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Mensoly"));
    p.setPen(rgb("#1f5f5b"));
    p.drawText(QRect(0, 28, StartSize.width(), 130), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Mensoly"));

    p.setPen(QPen(rgb("#c98b3c"), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(346, 168), QPointF(646, 168));

    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(27);
    p.setFont(sub);
    p.setPen(rgb("#4a4036"));
    p.drawText(QRect(0, 178, StartSize.width(), 44), Qt::AlignHCenter | Qt::AlignVCenter, subtitle);

    // Shadows on the grass, then the animals from back to front.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 90, 40, 55));
    p.drawEllipse(QPointF(305, 558), 125, 14);
    p.drawEllipse(QPointF(525, 560), 85, 11);
    p.drawEllipse(QPointF(715, 558), 100, 12);
    p.drawEllipse(QPointF(845, 567), 62, 8);

    drawDog(p, QPointF(300, 556), 1.02,
            {rgb("#c98a4b"), rgb("#f6e3c6"), rgb("#8a5428"), rgb("#c0392b"), false, false});
    drawCat(p, QPointF(520, 556), 0.95);
    drawDog(p, QPointF(710, 556), 0.82,
            {rgb("#f4efe6"), rgb("#ffffff"), rgb("#6e4a2f"), rgb("#2e86c1"), true, true});
    drawBowl(p, QPointF(845, 566), 0.9);
    return image;
}

QImage buttonPicture(const QString& words)
{
    QImage image(ButtonSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // A sheet with a folded corner and a green plus: a new case.
    p.save();
    p.translate(2, 1);
    p.scale(20.0 / 26.0, 20.0 / 26.0);
    const QRectF sheet(4, 3, 16, 20);
    QPainterPath page(sheet.topLeft());
    page.lineTo(sheet.right() - 5, sheet.top());
    page.lineTo(sheet.right(), sheet.top() + 5);
    page.lineTo(sheet.bottomRight());
    page.lineTo(sheet.bottomLeft());
    page.closeSubpath();
    p.setPen(QPen(rgb("#5b6670"), 1.2));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setPen(QPen(rgb("#aab4bd"), 1.2));
    for (qreal y = 10; y <= 19; y += 3)
        p.drawLine(QPointF(7, y), QPointF(15, y));
    p.setPen(Qt::NoPen);
    p.setBrush(rgb("#2e9e5b"));
    p.drawEllipse(QPointF(18.5, 18.5), 6.5, 6.5);
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18.5, 15.3), QPointF(18.5, 21.7));
    p.drawLine(QPointF(15.3, 18.5), QPointF(21.7, 18.5));
    p.restore();

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(rgb("#1f5f5b"));
    p.drawText(QRectF(26, 0, ButtonSize.width() - 26, ButtonSize.height()), Qt::AlignLeft | Qt::AlignVCenter,
               words);
    return image;
}

// A white paw on a teal tile.
QImage programIcon()
{
    QImage image(IconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient tile(QPointF(0, 0), QPointF(0, 64));
    tile.setColorAt(0, rgb("#2a7a74"));
    tile.setColorAt(1, rgb("#1a504c"));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 13, 13);
    drawPaw(p, QPointF(32, 34), 26, rgb("#fbf3e4"), 0);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const struct
    {
        const char* file;
        QImage image;
    } pictures[] = {
        {"start-de.png",
         startPicture(QStringLiteral("Computergestützte Rationsberechnung für Hund und Katze"))},
        {"start-en.png", startPicture(QStringLiteral("Computer-aided ration calculation for dogs and cats"))},
        {"new-case-de.png", buttonPicture(QStringLiteral("neuer Fall"))},
        {"new-case-en.png", buttonPicture(QStringLiteral("new case"))},
        {"icon.png", programIcon()},
    };
    for (const auto& picture : pictures) {
        const QString path = folder.filePath(QString::fromLatin1(picture.file));
        if (!picture.image.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
