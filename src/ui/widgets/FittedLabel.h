#pragma once

#include <QLabel>

// A one-line label of fixed size whose text is drawn in a smaller font when it would not fit
// otherwise, so that a long number stays whole instead of losing its first digits.
class FittedLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The font the text is drawn in: the label's own, or a smaller one that fits the width.
    QFont fittedFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
