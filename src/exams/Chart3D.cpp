#include "exams/Chart3D.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace {
// The first colour of the 2D charts' theme, so the five kinds look alike.
const QColor SeriesColour(0x20, 0x9f, 0xdf);
const QColor WallColour(0xf2, 0xf2, 0xf2);
const QColor SideWallColour(0xe4, 0xe4, 0xe4);
const QColor FloorColour(0xd6, 0xd6, 0xd6);
const QColor GridColour(0xb8, 0xb8, 0xb8);
constexpr int Ticks = 5;

// Bars and ribbon sit between these fractions of the chart's depth.
constexpr double FrontDepth = 0.1;
constexpr double BackDepth = 0.9;

QPolygonF quad(QPointF a, QPointF b, QPointF c, QPointF d) { return QPolygonF({a, b, c, d}); }
} // namespace

QString PercentText(double value) { return QString::number(value, 'g', 3) + QLatin1Char('%'); }

Chart3D::Chart3D(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(240, 180);
}

void Chart3D::SetStyle(Style style) {
    m_style = style;
    update();
}

void Chart3D::SetRows(const QList<ChartRow> &rows) {
    m_rows = rows;
    update();
}

void Chart3D::SetMaximum(double maximum) {
    m_maximum = maximum > 0 ? maximum : 100;
    update();
}

void Chart3D::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    // The chart's numbers and row labels read left to right whatever the window's direction.
    p.setLayoutDirection(Qt::LeftToRight);

    const QFontMetricsF fm(font());
    const double dx = std::clamp(std::min(width(), height()) * 0.13, 16.0, 64.0);
    const double dy = dx * 0.7;
    const QPointF depth(dx, -dy);
    const double x0 = fm.horizontalAdvance(PercentText(m_maximum)) + 14;
    const double x1 = width() - 14 - dx;
    const double y0 = height() - fm.height() * 1.8;
    const double yTop = fm.height() * 2 + dy;
    if (x1 <= x0 || y0 <= yTop)
        return;
    auto yOf = [&](double v) { return y0 - std::clamp(v, 0.0, m_maximum) / m_maximum * (y0 - yTop); };

    // The box: back wall, left wall, floor, and the scale drawn on both walls.
    p.setPen(QPen(GridColour, 1));
    p.setBrush(WallColour);
    p.drawPolygon(
        quad(QPointF(x0, yTop) + depth, QPointF(x1, yTop) + depth, QPointF(x1, y0) + depth, QPointF(x0, y0) + depth));
    p.setBrush(SideWallColour);
    p.drawPolygon(quad(QPointF(x0, yTop), QPointF(x0, yTop) + depth, QPointF(x0, y0) + depth, QPointF(x0, y0)));
    p.setBrush(FloorColour);
    p.drawPolygon(quad(QPointF(x0, y0), QPointF(x1, y0), QPointF(x1, y0) + depth, QPointF(x0, y0) + depth));
    for (int i = 0; i <= Ticks; ++i) {
        const double v = m_maximum * i / Ticks;
        const QPointF left(x0, yOf(v));
        p.setPen(QPen(GridColour, 1));
        p.drawLine(left, left + depth);
        p.drawLine(left + depth, QPointF(x1, left.y()) + depth);
        p.setPen(Qt::black);
        p.drawText(QRectF(0, left.y() - fm.height() / 2, x0 - 6, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
                   PercentText(v));
    }

    const int n = int(m_rows.size());
    if (n == 0)
        return;
    const double slot = (x1 - x0) / n;
    const QPointF front = depth * FrontDepth;
    const QPointF back = depth * BackDepth;
    const QPen edge(SeriesColour.darker(170), 1);
    auto label = [&](QPointF at, const QString &text) {
        p.setPen(Qt::black);
        p.drawText(QRectF(at.x() - slot / 2, at.y() - fm.height(), slot, fm.height()), Qt::AlignCenter, text);
    };

    if (m_style == Bars) {
        const double half = slot * 0.25;
        for (int i = 0; i < n; ++i) {
            const double cx = x0 + slot * (i + 0.5);
            const double yv = yOf(m_rows[i].value);
            const QPointF ftl = QPointF(cx - half, yv) + front, ftr = QPointF(cx + half, yv) + front;
            const QPointF fbl = QPointF(cx - half, y0) + front, fbr = QPointF(cx + half, y0) + front;
            const QPointF shift = back - front;
            p.setPen(edge);
            p.setBrush(SeriesColour.darker(135));
            p.drawPolygon(quad(ftr, ftr + shift, fbr + shift, fbr));
            p.setBrush(SeriesColour.lighter(135));
            p.drawPolygon(quad(ftl, ftr, ftr + shift, ftl + shift));
            p.setBrush(SeriesColour);
            p.drawPolygon(quad(ftl, ftr, fbr, fbl));
            label(QPointF(cx + (front.x() + back.x()) / 2, yv + back.y() - 4), PercentText(m_rows[i].value));
        }
    } else {
        // A band swept back along the depth, with a visible front edge: the ribbon of a 3D line.
        const double thickness = std::max(5.0, dy * 0.3);
        QList<QPointF> points;
        // A value of 0 lays the ribbon on the floor rather than through it.
        const double lowest = y0 - thickness;
        for (int i = 0; i < n; ++i)
            points.append(QPointF(x0 + slot * (i + 0.5), std::min(yOf(m_rows[i].value), lowest)) + front);
        const QPointF shift = back - front;
        p.setPen(edge);
        for (int i = 0; i + 1 < n; ++i) {
            const bool rising = points[i + 1].y() < points[i].y();
            p.setBrush(rising ? SeriesColour.lighter(125) : SeriesColour.lighter(150));
            p.drawPolygon(quad(points[i], points[i + 1], points[i + 1] + shift, points[i] + shift));
        }
        p.setBrush(SeriesColour.darker(120));
        for (int i = 0; i + 1 < n; ++i)
            p.drawPolygon(quad(points[i], points[i + 1], points[i + 1] + QPointF(0, thickness),
                               points[i] + QPointF(0, thickness)));
        for (int i = 0; i < n; ++i)
            label(points[i] + shift - QPointF(0, 4), PercentText(m_rows[i].value));
    }

    for (int i = 0; i < n; ++i) {
        p.setPen(Qt::black);
        const double cx = x0 + slot * (i + 0.5);
        p.drawText(QRectF(cx - slot / 2, y0 + 4, slot, fm.height() * 1.5), Qt::AlignHCenter | Qt::AlignTop,
                   m_rows[i].label);
    }
}
