#include "Ink.h"

#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QTableView>

namespace {
bool differs(QRgb a, QRgb b) {
    return qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b)) > 120;
}
} // namespace

InkSpan Ink(QWidget *widget, const QRect &area) {
    const QImage image = widget->grab(area).toImage();
    InkSpan span;
    span.width = image.width();
    if (image.isNull())
        return span;
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    for (int x = 0; x < image.width(); ++x) {
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            if (differs(image.pixel(x, y), background))
                ++drawn;
        if (drawn == 0 || drawn == image.height())
            continue;
        if (span.left < 0)
            span.left = x;
        span.right = x;
    }
    return span;
}

InkSpan Ink(QLineEdit *box) { return Ink(box, box->rect().adjusted(3, 3, -3, -3)); }

InkSpan CellInk(QTableView *grid, int row, int column) {
    // The cell's top and bottom rows hold its borders; its text lies between them.
    const QRect cell = grid->visualRect(grid->model()->index(row, column)).adjusted(0, 2, 0, -2);
    return Ink(grid->viewport(), cell);
}
