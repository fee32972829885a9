#pragma once

#include "CoreTestSupport.h"
#include "shell/Application.h"
#include "shell/FileDialog.h"
#include "shell/MessageBox.h"

#include <QApplication>
#include <QColor>
#include <QLineEdit>
#include <QList>
#include <QQueue>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Answers the program's message boxes while it lives and records what they said. Unless told
// otherwise each box is answered with its first button (OK or Yes).
class MessageProbe final {
public:
    MessageProbe();
    ~MessageProbe();

    void answerNext(QMessageBox::StandardButton button) { m_answers.enqueue(button); }

    const QList<MessageBox::Shown>& shown() const { return m_shown; }
    int count() const { return int(m_shown.size()); }
    const MessageBox::Shown& last() const { return m_shown.constLast(); }
    // The object name of what had the focus while the last box was up.
    const QString& focusDuringLast() const { return m_focus.constLast(); }
    void clear()
    {
        m_shown.clear();
        m_focus.clear();
    }

private:
    QList<MessageBox::Shown> m_shown;
    QStringList m_focus;
    QQueue<QMessageBox::StandardButton> m_answers;
};

// Answers the program's file dialogs while it lives: each answer is a path, an empty text cancels.
class FileDialogProbe final {
public:
    FileDialogProbe();
    ~FileDialogProbe();

    void answerNext(const QString& path) { m_answers.enqueue(path); }
    const QList<FileDialog::Request>& requests() const { return m_requests; }

private:
    QList<FileDialog::Request> m_requests;
    QQueue<QString> m_answers;
};

// Creates every window of the program for one test and destroys them after.
class WindowsFixture final {
public:
    WindowsFixture();
    ~WindowsFixture();
};

// What every window test shares: before each test function a fresh program folder, every window
// of the program, and the probes that answer message boxes and file dialogs; after it, all gone.
// A test class derives from it; one that needs more set-up defines its own init() and calls this one.
class WindowTest : public QObject {
    Q_OBJECT

protected:
    ProgramFolderFixture& folder() const { return *m_folder; }
    MessageProbe& messages() const { return *m_messages; }
    FileDialogProbe& fileDialogs() const { return *m_fileDialogs; }
    // For the rest of the test the program's file dialogs open for real, to be driven as Qt's own.
    void letFileDialogsOpen() { m_fileDialogs.reset(); }

protected slots:
    void init();
    void cleanup();

private:
    std::unique_ptr<ProgramFolderFixture> m_folder;
    std::unique_ptr<WindowsFixture> m_windows;
    std::unique_ptr<MessageProbe> m_messages;
    std::unique_ptr<FileDialogProbe> m_fileDialogs;
};

// A click on the child of `window` named `name`.
void click(QWidget* window, const QString& name);
// Types `text` into the field of `window` named `name`, after emptying and focusing it, key by
// key: any character, accented letters and the euro sign included, as a keyboard sends it.
void type(QWidget* window, const QString& name, const QString& text);
void type(QLineEdit* field, const QString& text);

// The ways a text reaches a field: key by key, pasted at once with Ctrl+V, or committed by an input
// method (a dead key or a compose sequence). The rows of a test of what a field of the archives' code page
// keeps: columns "how" (TextEntry), "entered" and "kept".
enum class TextEntry { Typed, Pasted, Composed };
Q_DECLARE_METATYPE(TextEntry)
void enter(QLineEdit* field, TextEntry how, const QString& text);
void addCodePageEntryRows();

// Runs `action` on the modal window that the next statement opens, from inside its event loop.
// Custom windows are driven this way: open them with a click, act on them here.
inline void whenModalOpens(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        action(modal);
    });
}

// Finds a child by objectName and fails the test when there is none.
template <typename T> T* child(const QObject* parent, const QString& name)
{
    T* found = parent->findChild<T*>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

// The contrast ratio of two colours, from 1:1 to 21:1, as accessibility guidelines measure it.
double contrastRatio(const QColor& a, const QColor& b);

// The program's windows on screen: the chain must never show two at once.
QList<QWidget*> visibleWindows();

// Like QTEST_MAIN, with the program's own application object, so the general error handler is
// there as in the program.
#define CARTAVOX_TEST_MAIN(TestObject)                                                                                 \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        Application app(argc, argv);                                                                                   \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject test;                                                                                               \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
