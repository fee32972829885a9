#include "TestSupport.h"

#include "start/Windows.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include <cmath>

MessageProbe::MessageProbe()
{
    MessageBox::setResponder([this](const MessageBox::Shown& shown) {
        m_shown.append(shown);
        m_focus.append(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
        if (!m_answers.isEmpty())
            return m_answers.dequeue();
        // A question that a test did not expect keeps everything as it was.
        if (shown.kind == MessageBox::Kind::Question || shown.kind == MessageBox::Kind::Choice)
            return QMessageBox::Cancel;
        return shown.kind == MessageBox::Kind::Confirmation ? QMessageBox::Yes : QMessageBox::Ok;
    });
}

MessageProbe::~MessageProbe()
{
    MessageBox::setResponder({});
}

FileDialogProbe::FileDialogProbe()
{
    FileDialog::setResponder([this](const FileDialog::Request& request) {
        m_requests.append(request);
        return m_answers.isEmpty() ? QString() : m_answers.dequeue();
    });
}

FileDialogProbe::~FileDialogProbe()
{
    FileDialog::setResponder({});
}

WindowsFixture::WindowsFixture()
{
    Windows::createAll();
}

WindowsFixture::~WindowsFixture()
{
    Windows::destroyAll();
}

void WindowTest::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
    m_windows = std::make_unique<WindowsFixture>();
    m_messages = std::make_unique<MessageProbe>();
    m_fileDialogs = std::make_unique<FileDialogProbe>();
}

void WindowTest::cleanup()
{
    m_fileDialogs.reset();
    m_messages.reset();
    m_windows.reset();
    m_folder.reset();
}

void click(QWidget* window, const QString& name)
{
    QTest::mouseClick(child<QWidget>(window, name), Qt::LeftButton);
}

void type(QWidget* window, const QString& name, const QString& text)
{
    type(child<QLineEdit>(window, name), text);
}

void type(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->clear();
    // QTest::keyClicks sends Latin-1 only: a euro sign would arrive as nothing at all.
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key(character.toUpper().unicode()), QString(character),
                            Qt::NoModifier);
}

void enter(QLineEdit* field, TextEntry how, const QString& text)
{
    switch (how) {
    case TextEntry::Typed:
        for (const QChar character : text)
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key(character.toUpper().unicode()), QString(character),
                                Qt::NoModifier);
        return;
    case TextEntry::Pasted:
        QApplication::clipboard()->setText(text);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        return;
    case TextEntry::Composed: {
        QInputMethodEvent composed;
        composed.setCommitString(text);
        QCoreApplication::sendEvent(field, &composed);
        return;
    }
    }
}

void addCodePageEntryRows()
{
    QTest::addColumn<TextEntry>("how");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("kept");
    // Ł and ź are not in Windows-1252; ó, à, the euro sign and the curly quotes are.
    QTest::newRow("typed") << TextEntry::Typed << QStringLiteral("Łódź, 5 €") << QStringLiteral("ód, 5 €");
    // A paste goes in whole, as the archive will store it.
    QTest::newRow("pasted") << TextEntry::Pasted << QStringLiteral("Łódź") << QStringLiteral("?ód?");
    QTest::newRow("pasted, all in the code page")
        << TextEntry::Pasted << QStringLiteral("Città “5 €”") << QStringLiteral("Città “5 €”");
    QTest::newRow("composed") << TextEntry::Composed << QStringLiteral("ő") << QString();
    QTest::newRow("composed, in the code page") << TextEntry::Composed << QStringLiteral("ñ") << QStringLiteral("ñ");
}

QList<QWidget*> visibleWindows()
{
    QList<QWidget*> visible;
    for (QWidget* window : Windows::all())
        if (window->isVisible())
            visible.append(window);
    return visible;
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& colour) {
        const auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
