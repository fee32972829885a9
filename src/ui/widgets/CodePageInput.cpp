#include "CodePageInput.h"

#include "storage/Text.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QValidator>

namespace {
class CodePageValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override { return Text::isWindows1252(input) ? Acceptable : Invalid; }
};

// `text` as the archive stores it: each character the code page lacks, one for each character
// outside the basic plane, as "?".
QString asStored(const QString& text)
{
    const QByteArray bytes = Text::toWindows1252(text);
    return Text::fromWindows1252(bytes.constData(), int(bytes.size()));
}

int missingFromCodePage(const QString& text)
{
    return int(asStored(text).count(u'?') - text.count(u'?'));
}

QString replacedNotice(int replaced)
{
    return replaced == 1 ? QStringLiteral("Testo incollato: 1 carattere che l'archivio non può conservare è stato "
                                          "sostituito con \"?\".")
                         : QStringLiteral("Testo incollato: %1 caratteri che l'archivio non può conservare sono "
                                          "stati sostituiti con \"?\".")
                               .arg(replaced);
}

// The status line of the field's window, or of the nearest window beneath that has one; never that
// of a dialog the window owns.
QLabel* statusLineFor(QWidget* field)
{
    for (QWidget* window = field->window(); window;
         window = window->parentWidget() ? window->parentWidget()->window() : nullptr)
        for (QLabel* line : window->findChildren<QLabel*>(QStringLiteral("panInfo")))
            if (line->window() == window)
                return line;
    return nullptr;
}

// Catches every way a text arrives whole (Ctrl+V and the other paste keys, the context menu's
// "Incolla", the middle button's selection, a drop) when it holds characters the code page lacks,
// which the validator would refuse whole.
class PasteWatch final : public QObject {
public:
    explicit PasteWatch(QLineEdit* field) : QObject(field), m_field(field) { field->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_field || m_field->isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            return static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste) &&
                   pasteReplacing(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
        case QEvent::MouseButtonRelease:
            return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
                   QGuiApplication::clipboard()->supportsSelection() &&
                   pasteReplacing(QGuiApplication::clipboard()->text(QClipboard::Selection));
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString text = drop->mimeData()->text();
            if (missingFromCodePage(text) == 0)
                return false;
            m_field->setCursorPosition(m_field->cursorPositionAt(drop->position().toPoint()));
            drop->acceptProposedAction();
            return pasteReplacing(text);
        }
        case QEvent::ContextMenu:
            showMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        default:
            return false;
        }
    }

private:
    // False, with nothing done, when the code page has every character of `text`.
    bool pasteReplacing(const QString& text)
    {
        const int replaced = missingFromCodePage(text);
        if (replaced == 0)
            return false;
        m_field->insert(asStored(text));
        if (QLabel* line = statusLineFor(m_field))
            line->setText(replacedNotice(replaced));
        return true;
    }

    // The field's own menu, whose "Incolla" pastes as the keys do.
    void showMenu(const QPoint& at)
    {
        QMenu* menu = m_field->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        for (QAction* action : menu->actions()) {
            // Qt 6.4 connects its paste by name, later versions name the action.
            const bool isPaste = QObject::disconnect(action, SIGNAL(triggered()), m_field, SLOT(paste())) ||
                                 (action->objectName() == QLatin1String("edit-paste") && action->disconnect(m_field));
            if (isPaste)
                connect(action, &QAction::triggered, m_field, [this] {
                    if (!pasteReplacing(QGuiApplication::clipboard()->text(QClipboard::Clipboard)))
                        m_field->paste();
                });
        }
        menu->popup(at);
    }

    QLineEdit* m_field;
};
} // namespace

void CodePageInput::refuseOthers(QLineEdit* field)
{
    field->setValidator(new CodePageValidator(field));
    new PasteWatch(field);
}
