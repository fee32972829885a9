#pragma once

#include <QObject>
#include <QString>

class Picture;
class QLabel;
class QLineEdit;
class StatusHints;

// The check of the book card's ISBN, which advises and never refuses. When the field is left
// with an ISBN that cannot be right, a mark beside it and a sentence in the status line say what
// is wrong; a right ISBN-10 gets a mark of its own, whose hint gives the same book's ISBN-13. The
// marks go when the field is right or empty. A card shown, cleared or duplicated gets the marks
// of its ISBN at once. The card is saved as typed either way.
class IsbnMark final : public QObject {
    Q_OBJECT
public:
    // The marks stand at the right of `field`, in its parent.
    IsbnMark(QLineEdit* field, QLabel* statusLine, StatusHints* hints);

    Picture* imgIsbnErrato; // a wrong ISBN
    Picture* imgIsbn13;     // a right ISBN-10, with its ISBN-13

private:
    void fieldLeft();
    void textChanged();
    void showMarks();

    QLineEdit* m_field;
    QLabel* m_statusLine;
    StatusHints* m_hints;
    QString m_said; // the status line's text about the ISBN, while it stands there
};
