#pragma once
// The label of the current name: a large font that shrinks, when the text is wider than the label,
// until the whole name and score fit. The glyphs are centred by their ink rather than by the font's
// line box, so a label lower than the font's line still shows them whole.
#include <QLabel>

namespace norlune::ui {

// The point size at which `text` in `font` is at most `width` pixels wide: the font's own size
// when it fits, never below `minimum`.
double fittedPointSize(const QFont& font, const QString& text, int width, double minimum = 6.0);

class FitLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The font the text is drawn in now.
    QFont shownFont() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace norlune::ui
