#include "TestSupport.h"

#include "app/ProgramFolder.h"
#include "app/Windows.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

MessageProbe::MessageProbe()
{
    MessageBox::setResponder([this](const MessageBox::Shown& shown) {
        m_shown.append(shown);
        if (!m_answers.isEmpty())
            return m_answers.dequeue();
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

ProgramFolderFixture::ProgramFolderFixture()
{
    // The program folder sits alone inside a temporary folder of its own, so a test can check
    // that nothing was written beside it, whatever other tests do in the system's temporary folder.
    const QString folder = m_dir.filePath(QStringLiteral("Cartavox"));
    QDir().mkpath(folder);
    ProgramFolder::setOverride(folder);
}

ProgramFolderFixture::~ProgramFolderFixture()
{
    ProgramFolder::setOverride({});
}

QString ProgramFolderFixture::path() const
{
    return ProgramFolder::path();
}

WindowsFixture::WindowsFixture()
{
    Windows::createAll();
}

WindowsFixture::~WindowsFixture()
{
    Windows::destroyAll();
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
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

void addKindRows()
{
    QTest::addColumn<KindId>("kind");
    for (KindId kind : {KindId::Libri, KindId::Fumetti, KindId::DVD})
        addKindRow(kind);
}

QTestData& addKindRow(KindId kind, const char* what)
{
    const QByteArray tag = Kind::of(kind).tag.toLatin1();
    QTestData& row = what ? QTest::addRow("%s %s", tag.constData(), what) : QTest::newRow(tag.constData());
    return row << kind;
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

QList<QWidget*> visibleWindows()
{
    QList<QWidget*> visible;
    for (QWidget* window : Windows::all())
        if (window->isVisible())
            visible.append(window);
    return visible;
}
