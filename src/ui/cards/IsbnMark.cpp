#include "IsbnMark.h"

#include "shell/Guarded.h"
#include "storage/Isbn.h"
#include "widgets/Picture.h"
#include "widgets/StatusHints.h"

#include <QLabel>
#include <QLineEdit>

namespace {
constexpr QSize kMarkSize(18, 18);

// The field's caption, which names it on screen and to a screen reader.
QLabel* captionOf(QLineEdit* field)
{
    for (QLabel* label : field->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->buddy() == field)
            return label;
    return nullptr;
}

// On the caption's line, at the field's right end: the card has no room at the field's side, and
// there the mark moves no field.
Picture* mark(const char* objectName, const char* resource, const QString& name, QLineEdit* field)
{
    auto* made = new Picture(QLatin1String(objectName), QLatin1String(resource), kMarkSize, field->parentWidget());
    const QLabel* caption = captionOf(field);
    const int middle = caption ? caption->geometry().center().y() : field->y() - kMarkSize.height() / 2 - 2;
    made->move(field->geometry().right() + 1 - kMarkSize.width(), middle - kMarkSize.height() / 2);
    made->setAccessibleName(name);
    made->hide();
    return made;
}
} // namespace

IsbnMark::IsbnMark(QLineEdit* field, QLabel* statusLine, StatusHints* hints)
    : QObject(field), m_field(field), m_statusLine(statusLine), m_hints(hints)
{
    imgIsbnErrato = mark("imgIsbnErrato", ":/images/isbn_errato.svg", QStringLiteral("ISBN non valido"), field);
    imgIsbn13 = mark("imgIsbn13", ":/images/isbn_13.svg", QStringLiteral("ISBN a 13 cifre"), field);
    connect(field, &QLineEdit::editingFinished, this, guarded(this, &IsbnMark::fieldLeft));
    connect(field, &QLineEdit::textChanged, this, guarded(this, &IsbnMark::textChanged));
}

void IsbnMark::fieldLeft()
{
    showMarks();
    const QString problem = Isbn::problem(Isbn::check(m_field->text()));
    if (!problem.isEmpty())
        m_statusLine->setText(problem);
    else if (m_statusLine->text() == m_said)
        m_statusLine->clear();
    m_said = problem;
}

void IsbnMark::textChanged()
{
    // While the user types, the marks wait for the field to be left, unless it is emptied; a text
    // put in by the window (another card, a blank one, a duplicate) gets its marks at once.
    const bool typing = m_field->hasFocus() && m_field->isModified();
    if (!typing || Isbn::check(m_field->text()).verdict == Isbn::Verdict::Empty)
        showMarks();
}

void IsbnMark::showMarks()
{
    const Isbn::Check check = Isbn::check(m_field->text());
    const QString problem = Isbn::problem(check);
    if (!problem.isEmpty()) {
        m_hints->addHint(imgIsbnErrato, problem);
        imgIsbnErrato->setToolTip(problem);
    }
    imgIsbnErrato->setVisible(!problem.isEmpty());

    if (!check.isbn13.isEmpty()) {
        const QString hint = QStringLiteral("ISBN corretto. Nella forma a 13 cifre: %1").arg(check.isbn13);
        m_hints->addHint(imgIsbn13, hint);
        imgIsbn13->setToolTip(hint);
    }
    imgIsbn13->setVisible(!check.isbn13.isEmpty());
}
