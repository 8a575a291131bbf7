#include "ui/fit_label.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace norlune::ui {

double fittedPointSize(const QFont& font, const QString& text, int width, double minimum) {
    double size = font.pointSizeF();
    if (text.isEmpty() || width <= 0) {
        return size;
    }
    QFont trial = font;
    // Widths do not scale exactly with the size (hinting), so shrink until it really fits.
    for (int attempt = 0; attempt < 8 && size > minimum; ++attempt) {
        trial.setPointSizeF(size);
        const double textWidth = QFontMetricsF(trial).horizontalAdvance(text);
        if (textWidth <= width) {
            return size;
        }
        size = std::max(minimum, std::floor(size * width / textWidth * 4.0) / 4.0);
        if (attempt > 0) {
            size = std::max(minimum, size - 0.25);
        }
    }
    return std::max(minimum, size);
}

QFont FitLabel::shownFont() const {
    QFont shown = font();
    shown.setPointSizeF(fittedPointSize(font(), text(), contentsRect().width()));
    return shown;
}

QSize FitLabel::sizeHint() const {
    return minimumSizeHint();
}

QSize FitLabel::minimumSizeHint() const {
    // As high as the ink of a Chinese character in the full size; no width of its own, so a long
    // name never widens the window.
    const QRectF ink = QFontMetricsF(font()).tightBoundingRect(QStringLiteral("测"));
    const QMargins m = contentsMargins();
    return {m.left() + m.right() + 16,
            static_cast<int>(std::ceil(ink.height())) + 6 + m.top() + m.bottom()};
}

void FitLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFont shown = shownFont();
    painter.setFont(shown);
    painter.setPen(palette().color(foregroundRole()));
    const QRect area = contentsRect();
    const QRectF ink = QFontMetricsF(shown).tightBoundingRect(text());
    const double baseline = area.top() + (area.height() - ink.height()) / 2.0 - ink.top();
    painter.drawText(QPointF(area.left(), baseline), text());
}

}  // namespace norlune::ui
