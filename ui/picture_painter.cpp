#include "ui/picture_painter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

const QColor kVertexColour(25, 70, 160);
const QColor kCurrentColour(255, 140, 0);
const QColor kOptimumColour(200, 0, 0);
const QColor kRegionColour(200, 232, 200);

namespace {

const QColor kRegionEdgeColour(60, 140, 60);
const QColor kLineColour(120, 120, 150);
const QColor kLevelColour(200, 60, 160);
const QColor kPathColour(25, 70, 160, 170);

constexpr double kLeftRoom = 44;
constexpr double kBottomRoom = 30;
constexpr double kOtherRoom = 18;
constexpr double kVertexRadius = 5;
constexpr double kTickLength = 4;
constexpr double kArrowLength = 44;
constexpr int kTargetTicks = 6;

QPointF Approximate(const PlanePoint& p) { return {::Approximate(p.u), ::Approximate(p.v)}; }

// A ray's direction scaled to reach far beyond any view.
QPointF FarAlong(const PlanePoint& ray, double reach)
{
    const QPointF d = Approximate(ray);
    const double length = std::hypot(d.x(), d.y());
    return d * (reach / length);
}

QPolygonF RegionWalk(const PathPicture& picture, double reach)
{
    QPolygonF walk;
    const PlaneRegion& region = picture.region;
    if (region.Empty())
        return walk;
    if (!region.Bounded())
        walk << Approximate(region.boundary.front()) + FarAlong(region.rays[0], reach);
    for (const PlanePoint& corner : region.boundary)
        walk << Approximate(corner);
    if (!region.Bounded())
        walk << Approximate(region.boundary.back()) + FarAlong(region.rays[1], reach);
    return walk;
}

// The part of the line a·u + b·v = c inside the view, in plane coordinates.
std::optional<QLineF> ClipToView(const PictureScene& s, double a, double b, double c)
{
    std::vector<QPointF> ends;
    auto keep = [&](double u, double v) {
        const double slack = 1e-9 * (s.uMax - s.uMin + s.vMax - s.vMin);
        if (u >= s.uMin - slack && u <= s.uMax + slack && v >= s.vMin - slack && v <= s.vMax + slack)
            ends.emplace_back(u, v);
    };
    if (b != 0) {
        keep(s.uMin, (c - a * s.uMin) / b);
        keep(s.uMax, (c - a * s.uMax) / b);
    }
    if (a != 0) {
        keep((c - b * s.vMin) / a, s.vMin);
        keep((c - b * s.vMax) / a, s.vMax);
    }
    if (ends.size() < 2)
        return std::nullopt;
    auto [first, last] = std::minmax_element(ends.begin(), ends.end(), [](QPointF p, QPointF q) {
        return p.x() < q.x() || (p.x() == q.x() && p.y() < q.y());
    });
    return QLineF(*first, *last);
}

// 1, 2 or 5 times a power of ten, giving about kTargetTicks ticks over the span.
double TickStep(double span)
{
    const double raw = span / kTargetTicks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10 * power;
}

// A text's box moved as little as needed to lie within bounds.
QRectF Within(QRectF box, const QRectF& bounds)
{
    box.moveLeft(std::clamp(box.left(), bounds.left(), std::max(bounds.left(), bounds.right() - box.width())));
    box.moveTop(std::clamp(box.top(), bounds.top(), std::max(bounds.top(), bounds.bottom() - box.height())));
    return box;
}

QString TickText(double value) { return QString::number(std::abs(value) < 1e-12 ? 0.0 : value, 'g', 6); }

class Painter {
public:
    Painter(QPainter& painter, const QRectF& area, const PictureScene& scene)
        : p(painter), area(area), plot(PlotArea(area)), s(scene)
    {
    }

    void Paint()
    {
        p.fillRect(area, Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        p.save();
        p.setClipRect(plot);
        Region();
        Lines();
        LevelLine();
        p.restore();
        Axes();
        Path();
        Vertices();
    }

private:
    QPointF At(QPointF planePoint) const { return ToScreen(s, area, planePoint); }
    QPointF At(double u, double v) const { return At(QPointF(u, v)); }

    void Region()
    {
        QPolygonF shown;
        for (QPointF q : s.region)
            shown << At(q);
        p.setPen(QPen(kRegionEdgeColour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(kRegionColour);
        if (shown.size() == 1)
            p.drawPoint(shown[0]);
        else if (s.regionBounded)
            p.drawPolygon(shown);
        else {
            p.setPen(Qt::NoPen);
            p.drawPolygon(shown);
            p.setPen(QPen(kRegionEdgeColour, 2));
            p.drawPolyline(shown);
        }
    }

    void Lines()
    {
        p.setPen(QPen(kLineColour, 1));
        for (const PictureScene::Line& line : s.lines) {
            const std::optional<QLineF> piece = ClipToView(s, line.a, line.b, line.c);
            if (!piece)
                continue;
            const QLineF shown(At(piece->p1()), At(piece->p2()));
            p.drawLine(shown);
            // The number stands near the line's right end, clear of the axes.
            const QPointF mark = shown.pointAt(0.9);
            const QString number = QString("(%1)").arg(line.number);
            const QRectF box(mark.x() + 3, mark.y() - 16, p.fontMetrics().horizontalAdvance(number) + 2, 16);
            p.drawText(Within(box, plot), Qt::AlignLeft | Qt::AlignBottom, number);
        }
    }

    // The level line through the current corner, and an arrow from it the way the function
    // improves: across the level line on the screen, whatever the two scales.
    void LevelLine()
    {
        if (s.path.empty() || (s.gradientU == 0 && s.gradientV == 0))
            return;
        const QPointF current = s.path.back();
        const double level = s.gradientU * current.x() + s.gradientV * current.y();
        if (const std::optional<QLineF> piece = ClipToView(s, s.gradientU, s.gradientV, level)) {
            p.setPen(QPen(kLevelColour, 1.5, Qt::DashLine));
            p.drawLine(At(piece->p1()), At(piece->p2()));
        }
        const QRectF box = PlotArea(area);
        QPointF normal(s.gradientU * (s.uMax - s.uMin) / box.width(), -s.gradientV * (s.vMax - s.vMin) / box.height());
        if (!s.isMax)
            normal = -normal;
        normal /= std::hypot(normal.x(), normal.y());
        const QPointF from = At(current);
        const QPointF to = from + normal * kArrowLength;
        p.setPen(QPen(kLevelColour, 2));
        p.drawLine(from, to);
        const QPointF back = -normal * 9;
        const QPointF side(-normal.y() * 4, normal.x() * 4);
        p.setBrush(kLevelColour);
        p.drawPolygon(QPolygonF{to, to + back + side, to + back - side});
    }

    void Axes()
    {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::black);
        const double uAxisAt = std::clamp(0.0, s.vMin, s.vMax);
        const double vAxisAt = std::clamp(0.0, s.uMin, s.uMax);
        const QPointF uFrom = At(s.uMin, uAxisAt), uTo = At(s.uMax, uAxisAt);
        const QPointF vFrom = At(vAxisAt, s.vMin), vTo = At(vAxisAt, s.vMax);
        p.drawLine(uFrom, uTo);
        p.drawLine(vFrom, vTo);
        p.drawPolygon(QPolygonF{uTo + QPointF(6, 0), uTo + QPointF(-2, -3.5), uTo + QPointF(-2, 3.5)});
        p.drawPolygon(QPolygonF{vTo + QPointF(0, -6), vTo + QPointF(-3.5, 2), vTo + QPointF(3.5, 2)});
        p.drawText(QRectF(uTo.x() - 40, uTo.y() + 4, 44, 16), Qt::AlignRight | Qt::AlignTop, s.uName);
        p.drawText(QRectF(vTo.x() + 8, vTo.y() - 8, 60, 16), Qt::AlignLeft | Qt::AlignVCenter, s.vName);
        Ticks(s.uMin, s.uMax, [&](double u) {
            const QPointF at = At(u, uAxisAt);
            p.drawLine(at, at + QPointF(0, kTickLength));
            p.drawText(QRectF(at.x() - 30, at.y() + kTickLength + 1, 60, 14), Qt::AlignHCenter | Qt::AlignTop, TickText(u));
        });
        Ticks(s.vMin, s.vMax, [&](double v) {
            const QPointF at = At(vAxisAt, v);
            p.drawLine(at, at - QPointF(kTickLength, 0));
            p.drawText(QRectF(at.x() - kTickLength - 62, at.y() - 7, 60, 14), Qt::AlignRight | Qt::AlignVCenter, TickText(v));
        });
    }

    template <class Mark>
    static void Ticks(double low, double high, Mark mark)
    {
        const double step = TickStep(high - low);
        for (double k = std::ceil(low / step); k * step <= high; ++k) {
            if (k != 0)
                mark(k * step);
        }
    }

    void Path()
    {
        if (s.path.size() < 2)
            return;
        QPolygonF shown;
        for (QPointF q : s.path)
            shown << At(q);
        p.setPen(QPen(kPathColour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(shown);
    }

    // Every corner reached, once, with the numbers of all the tables that stood at it; the
    // corners go over the texts, so that no number hides one.
    void Vertices()
    {
        if (s.path.empty())
            return;
        std::map<std::pair<double, double>, QStringList> numbers;
        for (size_t k = 0; k < s.path.size(); ++k)
            numbers[{s.path[k].x(), s.path[k].y()}] << QString::number(k + 1);
        const QPointF current = At(s.path.back());
        p.setPen(Qt::black);
        for (const auto& [corner, tables] : numbers) {
            const QPointF at = At(corner.first, corner.second);
            Text(QPointF(at.x() + 7, at.y() - 20), tables.join(", "));
        }
        if (s.end == PathEnd::Optimum) {
            p.setPen(kOptimumColour);
            Text(QPointF(current.x() + 9, current.y() + 6), QCoreApplication::translate("Picture", "оптимум"));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(kVertexColour);
        for (const auto& [corner, tables] : numbers)
            p.drawEllipse(At(corner.first, corner.second), kVertexRadius, kVertexRadius);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kCurrentColour, 3));
        p.drawEllipse(current, kVertexRadius + 3, kVertexRadius + 3);
        if (s.end == PathEnd::Optimum) {
            p.setPen(QPen(kOptimumColour, 2.5));
            p.drawEllipse(current, kVertexRadius + 7, kVertexRadius + 7);
        }
    }

    // A text whose box starts at topLeft, kept within the picture.
    void Text(QPointF topLeft, const QString& text)
    {
        const QRectF box(topLeft, QSizeF(p.fontMetrics().horizontalAdvance(text) + 2, 16));
        p.drawText(Within(box, area), Qt::AlignLeft | Qt::AlignVCenter, text);
    }

    QPainter& p;
    QRectF area;
    QRectF plot;
    const PictureScene& s;
};

} // namespace

PictureScene MakeScene(const PathPicture& picture)
{
    PictureScene scene;
    scene.uMin = Approximate(picture.view.uMin);
    scene.uMax = Approximate(picture.view.uMax);
    scene.vMin = Approximate(picture.view.vMin);
    scene.vMax = Approximate(picture.view.vMax);
    scene.uName = QString::fromStdString(picture.plane.axisNames[0]);
    scene.vName = QString::fromStdString(picture.plane.axisNames[1]);
    scene.region = RegionWalk(picture, 4 * (scene.uMax - scene.uMin + scene.vMax - scene.vMin));
    scene.regionBounded = picture.region.Bounded();
    for (const PlaneConstraint& c : picture.plane.constraints) {
        if (!c.a.IsZero() || !c.b.IsZero())
            scene.lines.push_back({Approximate(c.a), Approximate(c.b), Approximate(c.c), c.number});
    }
    scene.gradientU = Approximate(picture.plane.gradientU);
    scene.gradientV = Approximate(picture.plane.gradientV);
    scene.isMax = picture.plane.isMax;
    for (const PlanePoint& corner : picture.path)
        scene.path.push_back(Approximate(corner));
    scene.end = picture.end;
    return scene;
}

QRectF PlotArea(const QRectF& area)
{
    return area.adjusted(kLeftRoom, kOtherRoom, -kOtherRoom, -kBottomRoom);
}

QPointF ToScreen(const PictureScene& scene, const QRectF& area, QPointF planePoint)
{
    const QRectF plot = PlotArea(area);
    return {plot.left() + (planePoint.x() - scene.uMin) / (scene.uMax - scene.uMin) * plot.width(),
            plot.bottom() - (planePoint.y() - scene.vMin) / (scene.vMax - scene.vMin) * plot.height()};
}

void PaintPicture(QPainter& painter, const QRectF& area, const PictureScene& scene)
{
    Painter(painter, area, scene).Paint();
}
