#include "wall/WallPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>

namespace tess::sim::wall {

namespace {

constexpr int Margin = 12;
constexpr int TextLine = 18;
constexpr double FullScale = 2.0;  // light shown as white

const std::array<QColor, 8> FrameColours{QColor(255, 90, 90),  QColor(90, 200, 255),  QColor(120, 230, 120),
                                         QColor(255, 200, 60), QColor(220, 120, 255), QColor(255, 150, 200),
                                         QColor(80, 230, 210), QColor(200, 200, 200)};

int encoded(double light)
{
    return int(std::lround(std::pow(std::clamp(light / FullScale, 0.0, 1.0), 1 / 2.2) * 255));
}

// The wall's light, `target` pixels for the whole wall: each pixel the
// mean over the wall pixels it covers.
QImage wallImage(const Wall &wall, QSize target, const Assumptions &assumptions)
{
    QImage image(target, QImage::Format_RGB32);
    const int ww = wallWidth(wall);
    for (int r = 0; r < target.height(); ++r) {
        const int y0 = r * wall.height / target.height();
        const int y1 = std::max(y0 + 1, (r + 1) * wall.height / target.height());
        const std::vector<Rgb> row = lightRow(wall, y0, y1, assumptions);
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(r));
        for (int c = 0; c < target.width(); ++c) {
            const int x0 = int(qint64(c) * ww / target.width());
            const int x1 = std::max(x0 + 1, int(qint64(c + 1) * ww / target.width()));
            Rgb sum;
            for (int x = x0; x < x1; ++x)
                sum = {sum.r + row[std::size_t(x)].r, sum.g + row[std::size_t(x)].g, sum.b + row[std::size_t(x)].b};
            const int n = x1 - x0;
            line[c] = qRgb(encoded(sum.r / n), encoded(sum.g / n), encoded(sum.b / n));
        }
    }
    return image;
}

QString projectorNote(const Projector &p)
{
    if (!p.driven)
        return QStringLiteral("no unit");
    if (p.screen.testPattern > 10)
        return QStringLiteral("pattern %1?").arg(p.screen.testPattern);
    return {};
}

void drawFrames(QPainter &painter, const Wall &wall, const QRect &area)
{
    const double scale = double(area.width()) / wallWidth(wall);
    for (int k = 0; k < int(wall.projectors.size()); ++k) {
        const int inset = 2 + (k % 2) * 4;
        const QRectF frame(area.left() + projectorLeft(wall, k) * scale, area.top() + inset, wall.width * scale,
                           area.height() - 2 * inset);
        painter.setPen(QPen(FrameColours[std::size_t(k)], 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(frame);
        const QString note = projectorNote(wall.projectors[std::size_t(k)]);
        const QString label = QString::number(k + 1) + (note.isEmpty() ? QString() : QStringLiteral("  ") + note);
        painter.drawText(frame.adjusted(6, 4, -6, -4), Qt::AlignLeft | Qt::AlignTop, label);
    }
}

void drawProfile(QPainter &painter, const Wall &wall, const QRect &area, const Assumptions &assumptions)
{
    const std::vector<double> profile = luminanceProfile(wall, profileRow(wall), assumptions);
    const double peak = *std::max_element(profile.begin(), profile.end());
    const double top = std::max(2.2, std::ceil(peak * 1.1 * 2) / 2);
    const auto yOf = [&](double v) { return area.bottom() - v / top * area.height(); };
    const double scale = double(area.width()) / double(profile.size());

    painter.fillRect(area, QColor(24, 24, 28));
    painter.setPen(QColor(55, 55, 70));
    painter.setBrush(QColor(45, 45, 60));
    for (int k = 1; k < int(wall.projectors.size()); ++k)  // the overlaps
        painter.drawRect(
            QRectF(area.left() + projectorLeft(wall, k) * scale, area.top(), wall.overlap * scale, area.height()));
    for (int level = 0; level <= int(top); ++level) {
        painter.setPen(QPen(QColor(110, 110, 120), 1, level == 1 ? Qt::SolidLine : Qt::DashLine));
        painter.drawLine(QPointF(area.left(), yOf(level)), QPointF(area.right(), yOf(level)));
        painter.drawText(QPointF(area.left() + 4, yOf(level) - 3), QString::number(level));
    }
    // Per column of the plot: the spread of the wall pixels it covers (a fine
    // pattern shows as a band) and their mean.
    QPainterPath mean;
    for (int c = 0; c < area.width(); ++c) {
        const auto x0 = std::size_t(qint64(c) * qint64(profile.size()) / area.width());
        const auto x1 = std::max(x0 + 1, std::size_t(qint64(c + 1) * qint64(profile.size()) / area.width()));
        const auto [low, high] = std::minmax_element(profile.begin() + qint64(x0), profile.begin() + qint64(x1));
        double sum = 0;
        for (std::size_t x = x0; x < x1; ++x)
            sum += profile[x];
        painter.setPen(QColor(90, 130, 90));
        painter.drawLine(QPointF(area.left() + c + 0.5, yOf(*low)), QPointF(area.left() + c + 0.5, yOf(*high)));
        const QPointF point(area.left() + c + 0.5, yOf(sum / double(x1 - x0)));
        c == 0 ? mean.moveTo(point) : mean.lineTo(point);
    }
    painter.setPen(QPen(QColor(140, 255, 140), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mean);
}

QString edgeText(const Projector &p)
{
    const QString curve = p.wide.featherCurve == 'L' ? QStringLiteral("linear") : QStringLiteral("S-curve");
    if (p.wide.advancedMode != 0)
        return QStringLiteral("advanced feathering, %1").arg(curve);
    if (p.wide.basicFeather == 0)
        return QStringLiteral("feathering off");
    return QStringLiteral("basic feathering, gamma %1, %2").arg(p.wide.basicGamma / 10.0, 0, 'f', 1).arg(curve);
}

}  // namespace

int profileRow(const Wall &wall)
{
    return wall.height * 9 / 20;
}

QString wallSummary(const Wall &wall)
{
    const Projector &first = wall.projectors.front();
    return QStringLiteral("%1 projector%2, %3 x %4, overlap %5 px, %6")
        .arg(wall.projectors.size())
        .arg(wall.projectors.size() == 1 ? QString() : QStringLiteral("s"))
        .arg(wall.width)
        .arg(wall.height)
        .arg(wall.overlap)
        .arg(first.driven ? edgeText(first) : QStringLiteral("no unit"));
}

QImage wallPicture(const Wall &given, QSize size, const Assumptions &assumptions)
{
    const Wall wall = sanitised(given);
    size = size.expandedTo(QSize(200, 160));
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(12, 12, 14));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(230, 230, 230));

    const int width = size.width() - 2 * Margin;
    painter.drawText(QRect(Margin, Margin, width, TextLine), Qt::AlignLeft | Qt::AlignVCenter, wallSummary(wall));

    const int available = size.height() - 2 * Margin - 3 * TextLine;
    const int wallHeight = std::clamp(int(double(width) * wall.height / wallWidth(wall)), 1, available * 3 / 5);
    const int wallTop = Margin + TextLine + 4;
    const QRect wallArea(Margin, wallTop, width, wallHeight);
    painter.drawImage(wallArea.topLeft(), wallImage(wall, wallArea.size(), assumptions));
    drawFrames(painter, wall, wallArea);
    const double rowY = wallArea.top() + (profileRow(wall) + 0.5) * wallHeight / wall.height;
    painter.setPen(QPen(QColor(140, 255, 140), 1, Qt::DashLine));
    painter.drawLine(QPointF(wallArea.left(), rowY), QPointF(wallArea.right(), rowY));

    const int captionTop = wallArea.bottom() + 6;
    painter.setPen(QColor(200, 200, 200));
    painter.drawText(QRect(Margin, captionTop, width, TextLine), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Luminance along row %1 (dashed line): the projectors' light added up, "
                                    "1 = one projector's white; overlaps shaded")
                         .arg(profileRow(wall)));
    const QRect profileArea(Margin, captionTop + TextLine + 2, width,
                            size.height() - Margin - TextLine - (captionTop + TextLine + 2));
    drawProfile(painter, wall, profileArea, assumptions);
    painter.setPen(QColor(160, 160, 160));
    painter.drawText(QRect(Margin, size.height() - Margin - TextLine, width, TextLine),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Predicted from the settings, not measured: display gamma %1, black floor %2 % "
                                    "of white; the wall's full scale is twice one projector's white.")
                         .arg(assumptions.displayGamma)
                         .arg(assumptions.blackFloor * 100));
    return picture;
}

}  // namespace tess::sim::wall
