// Logging in and changing the password through the real windows, against password files written
// byte by byte: right and wrong passwords, case and blanks, missing and damaged files, files that
// cannot be read or written, and the way back to the password window.
#include "DiskFaults.h"
#include "TestSupport.h"
#include "access/Crypt.h"
#include "access/PasswordFile.h"
#include "start/TfrmAvvio.h"
#include "start/TfrmCambiaPassword.h"
#include "start/TfrmPassword.h"
#include "start/Windows.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QStringList kNewAndConfirmation{QStringLiteral("txtPasswordNew"), QStringLiteral("txtConferma")};
const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kReadFailure =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della "
                   "password. Si consiglia di reinstallare il software.");
const QString kOldWrong = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNotConfirmed = QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. E' "
                                             "necessario reinserire entrambi i valori.");
const QString kChangeFailure = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica "
                                              "della password. Si consiglia di reinstallare il software.");
const QString kChanged = QStringLiteral("Modifica della password completata con successo.");

// The password file of a fresh installation, written here by hand: "pergamenaverde" scrambled.
const QByteArray kInitialFile = "; Cartavox\r\n[Accesso]\r\nValore=2C0B7B9CC8B2FAA471958C8C6AFF\r\n";

QByteArray fileHolding(const QString& storedPassword)
{
    return "[Accesso]\r\nValore=" + Crypt::Scramble(storedPassword).toLatin1() + "\r\n";
}

void waitUntilActive(QWidget* window)
{
    if (!QTest::qWaitForWindowActive(window))
        qFatal("%s never became active", qPrintable(window->objectName()));
}
} // namespace

class TestPasswordWindows : public WindowTest {
    Q_OBJECT
private slots:
    void login_data();
    void login();
    void blanksNeverReachTheCheck();
    void enterLogsIn();
    void changeAndLogInWithTheNewPassword();
    void changeRefused_data();
    void changeRefused();
    void changeFailure_data();
    void changeFailure();
    void changeWindowFieldsAndKeys();
    void closingTheChangeWindowReturnsEmpty();

private:
    QString passwordPath() const { return folder().file(QStringLiteral("unins000.dll")); }
    TfrmPassword* showPassword();
    TfrmCambiaPassword* showChange();
    void fillChange(const QString& old, const QString& fresh, const QString& confirmation);
};

TfrmPassword* TestPasswordWindows::showPassword()
{
    TfrmPassword* window = Windows::password();
    window->present();
    waitUntilActive(window);
    return window;
}

TfrmCambiaPassword* TestPasswordWindows::showChange()
{
    QTest::mouseClick(showPassword()->btnCambiaPassword, Qt::LeftButton);
    TfrmCambiaPassword* window = Windows::cambiaPassword();
    waitUntilActive(window);
    return window;
}

void TestPasswordWindows::fillChange(const QString& old, const QString& fresh, const QString& confirmation)
{
    TfrmCambiaPassword* window = Windows::cambiaPassword();
    type(window->txtPasswordOld, old);
    type(window->txtPasswordNew, fresh);
    type(window->txtConferma, confirmation);
}

void TestPasswordWindows::login_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no password file
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: the start window opens
    QTest::newRow("initial password") << kInitialFile << QStringLiteral("pergamenaverde") << QString();
    QTest::newRow("any case, blanks around") << kInitialFile << QStringLiteral("  PergamenaVERDE  ") << QString();
    QTest::newRow("wrong") << kInitialFile << QStringLiteral("pergamena") << kWrong;
    QTest::newRow("inner blank counts") << kInitialFile << QStringLiteral("pergamena verde") << kWrong;
    QTest::newRow("accented letter, same case")
        << fileHolding(QStringLiteral("CITTÀ")) << QStringLiteral("cittÀ") << QString();
    QTest::newRow("accented letter, other case")
        << fileHolding(QStringLiteral("CITTÀ")) << QStringLiteral("città") << kWrong;
    QTest::newRow("stored with blanks around")
        << fileHolding(QStringLiteral(" \tABC  ")) << QStringLiteral("abc") << QString();
    QTest::newRow("no password file") << QByteArray() << QStringLiteral("pergamenaverde") << kWrong;
    QTest::newRow("no key") << QByteArray("[Accesso]\r\nAltro=1\r\n") << QStringLiteral("pergamenaverde") << kWrong;
    QTest::newRow("value not hexadecimal")
        << QByteArray("[Accesso]\r\nValore=2C0B7BXY\r\n") << QStringLiteral("pergamenaverde") << kReadFailure;
}

void TestPasswordWindows::login()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    if (!file.isEmpty())
        writeFileBytes(passwordPath(), file);

    TfrmPassword* window = showPassword();
    QVERIFY(!window->cmdOK->isEnabled());
    type(window->txtPassword, typed);
    QVERIFY(window->effPassword->isVisible());
    QVERIFY(window->cmdOK->isEnabled());
    QTest::mouseClick(window->cmdOK, Qt::LeftButton);

    if (message.isEmpty()) {
        QCOMPARE(messages().count(), 0);
        QVERIFY(Windows::avvio()->isVisible());
        QVERIFY(!window->isVisible());
    } else {
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Plain);
        QCOMPARE(messages().last().text, message);
        QVERIFY(window->isVisible());
        QVERIFY(!Windows::avvio()->isVisible());
        // A wrong password is wiped for the next try; a reading failure leaves what was typed.
        QCOMPARE(window->txtPassword->text(), message == kWrong ? QString() : typed);
        QCOMPARE(window->cmdOK->isEnabled(), message != kWrong);
        if (message == kWrong)
            QCOMPARE(QApplication::focusWidget(), window->txtPassword);
    }
    // The stored password does not linger in the window after the check.
    QCOMPARE(window->lblMemory->text(), QString());
}

void TestPasswordWindows::blanksNeverReachTheCheck()
{
    writeFileBytes(passwordPath(), kInitialFile);
    TfrmPassword* window = showPassword();
    type(window->txtPassword, QStringLiteral("   "));
    QVERIFY(!window->cmdOK->isEnabled());
    QTest::keyClick(window->txtPassword, Qt::Key_Return);
    QCOMPARE(messages().count(), 0);
    QVERIFY(window->isVisible());

    // A password file that cannot even be read is not touched either.
    QFile::remove(passwordPath());
    QVERIFY(QDir(folder().path()).mkdir(QStringLiteral("unins000.dll")));
    type(window->txtPassword, QStringLiteral("x"));
    QVERIFY(window->cmdOK->isEnabled());
    QTest::keyClick(window->txtPassword, Qt::Key_Backspace);
    QVERIFY(!window->cmdOK->isEnabled());
    QTest::keyClick(window->txtPassword, Qt::Key_Enter);
    QCOMPARE(messages().count(), 0);

    type(window->txtPassword, QStringLiteral("pergamenaverde"));
    QTest::keyClick(window->txtPassword, Qt::Key_Enter);
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().text, kReadFailure);
}

void TestPasswordWindows::enterLogsIn()
{
    writeFileBytes(passwordPath(), kInitialFile);
    TfrmPassword* window = showPassword();
    type(window->txtPassword, QStringLiteral("PERGAMENAVERDE"));
    QTest::keyClick(window->txtPassword, Qt::Key_Return);
    QCOMPARE(messages().count(), 0);
    QVERIFY(Windows::avvio()->isVisible());
    QVERIFY(!window->isVisible());
}

void TestPasswordWindows::changeAndLogInWithTheNewPassword()
{
    writeFileBytes(passwordPath(), kInitialFile);
    TfrmCambiaPassword* change = showChange();
    QVERIFY(change->isVisible());
    QVERIFY(!Windows::password()->isVisible());
    QCOMPARE(QApplication::focusWidget(), change->txtPasswordOld);

    fillChange(QStringLiteral(" Pergamenaverde"), QStringLiteral("  nuova Chiave è "),
               QStringLiteral("nuova Chiave è"));
    QTest::mouseClick(change->cmdOK, Qt::LeftButton);
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Plain);
    QCOMPARE(messages().last().text, kChanged);

    // Stored folded and trimmed, on its own line; the rest of the file is as it was.
    QCOMPARE(fileBytes(passwordPath()),
             "; Cartavox\r\n[Accesso]\r\nValore=" + Crypt::Scramble(u"NUOVA CHIAVE è").toLatin1() + "\r\n");

    TfrmPassword* password = Windows::password();
    QVERIFY(!change->isVisible());
    QVERIFY(password->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), password->txtPassword);

    type(password->txtPassword, QStringLiteral("pergamenaverde"));
    QTest::mouseClick(password->cmdOK, Qt::LeftButton);
    QCOMPARE(messages().last().text, kWrong);
    type(password->txtPassword, QStringLiteral("  NUOVA chiave è "));
    QTest::mouseClick(password->cmdOK, Qt::LeftButton);
    QCOMPARE(messages().count(), 2);
    QVERIFY(Windows::avvio()->isVisible());
}

void TestPasswordWindows::changeRefused_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("emptied"); // fields emptied; the first one gets the focus
    QTest::newRow("old password wrong") << QStringLiteral("pergamena") << QStringLiteral("abc") << QStringLiteral("abc")
                                        << kOldWrong << QStringList{QStringLiteral("txtPasswordOld")};
    QTest::newRow("confirmation in another case") << QStringLiteral("pergamenaverde") << QStringLiteral("Nuova")
                                                  << QStringLiteral("nuova") << kNotConfirmed << kNewAndConfirmation;
    QTest::newRow("confirmation different") << QStringLiteral("pergamenaverde") << QStringLiteral("nuova")
                                            << QStringLiteral("nuove") << kNotConfirmed << kNewAndConfirmation;
    // Stored with 8 bits a character, "€" would come back as "¬": nobody could log in again.
    QTest::newRow("character beyond 8 bits")
        << QStringLiteral("pergamenaverde") << QStringLiteral("costa 5€") << QStringLiteral("costa 5€")
        << QStringLiteral("refused") << kNewAndConfirmation;
}

void TestPasswordWindows::changeRefused()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, confirmation);
    QFETCH(QString, message);
    QFETCH(QStringList, emptied);
    writeFileBytes(passwordPath(), kInitialFile);
    TfrmCambiaPassword* change = showChange();
    fillChange(old, fresh, confirmation);
    QTest::mouseClick(change->cmdOK, Qt::LeftButton);

    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Plain);
    if (message == QLatin1String("refused"))
        QVERIFY(messages().last().text.startsWith(QLatin1String("Attenzione: ")));
    else
        QCOMPARE(messages().last().text, message);
    QCOMPARE(fileBytes(passwordPath()), kInitialFile);
    QVERIFY(change->isVisible());
    const QList<std::pair<QLineEdit*, QString>> fields{
        {change->txtPasswordOld, old}, {change->txtPasswordNew, fresh}, {change->txtConferma, confirmation}};
    for (const auto& [field, typed] : fields)
        QCOMPARE(field->text(), emptied.contains(field->objectName()) ? QString() : typed);
    QCOMPARE(QApplication::focusWidget()->objectName(), emptied.first());
    QVERIFY(!change->cmdOK->isEnabled());
    QCOMPARE(change->lblMemory->text(), QString());
}

void TestPasswordWindows::changeFailure_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("value not hexadecimal") << QStringLiteral("hex");
    QTest::newRow("password file is a folder") << QStringLiteral("folder");
    QTest::newRow("file cannot be written") << QStringLiteral("write");
}

void TestPasswordWindows::changeFailure()
{
    QFETCH(QString, damage);
    QByteArray before = kInitialFile;
    if (damage == QLatin1String("hex"))
        before = "[Accesso]\r\nValore=ZZ\r\n";
    if (damage == QLatin1String("folder"))
        QVERIFY(QDir(folder().path()).mkdir(QStringLiteral("unins000.dll")));
    else
        writeFileBytes(passwordPath(), before);

    TfrmCambiaPassword* change = showChange();
    fillChange(QStringLiteral("pergamenaverde"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    {
        std::optional<FileSizeLimit> limit;
        if (damage == QLatin1String("write"))
            limit.emplace(16);
        QTest::mouseClick(change->cmdOK, Qt::LeftButton);
    }

    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Plain);
    QCOMPARE(messages().last().text, kChangeFailure);
    if (damage != QLatin1String("folder"))
        QCOMPARE(fileBytes(passwordPath()), before);
    QCOMPARE(QDir(folder().path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), damage == "folder" ? 0 : 1);
    QVERIFY(change->isVisible());
    QCOMPARE(change->txtPasswordOld->text(), QStringLiteral("pergamenaverde"));
    QCOMPARE(change->txtPasswordNew->text(), QStringLiteral("nuova"));
    QCOMPARE(change->txtConferma->text(), QStringLiteral("nuova"));
}

void TestPasswordWindows::changeWindowFieldsAndKeys()
{
    writeFileBytes(passwordPath(), kInitialFile);
    TfrmCambiaPassword* change = showChange();
    QLineEdit* fields[] = {change->txtPasswordOld, change->txtPasswordNew, change->txtConferma};
    QWidget* frames[] = {change->effPasswordOld, change->effPasswordNew, change->effConferma};

    // Enter walks the ring, last back to first, and the yellow frame follows the focus.
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(QApplication::focusWidget(), fields[i]);
        for (int j = 0; j < 3; ++j)
            QCOMPARE(frames[j]->isVisible(), i == j);
        QTest::keyClick(fields[i], Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget(), fields[0]);
    QCOMPARE(messages().count(), 0);

    // OK only once all three hold more than blanks.
    type(fields[0], QStringLiteral("a"));
    type(fields[1], QStringLiteral("b"));
    QVERIFY(!change->cmdOK->isEnabled());
    type(fields[2], QStringLiteral("   "));
    QVERIFY(!change->cmdOK->isEnabled());
    type(fields[2], QStringLiteral("c"));
    QVERIFY(change->cmdOK->isEnabled());
    QTest::keyClick(fields[0], Qt::Key_Backspace);
    QVERIFY(!change->cmdOK->isEnabled());
}

void TestPasswordWindows::closingTheChangeWindowReturnsEmpty()
{
    writeFileBytes(passwordPath(), kInitialFile);
    TfrmPassword* password = showPassword();
    type(password->txtPassword, QStringLiteral("qualcosa"));
    QTest::mouseClick(password->btnCambiaPassword, Qt::LeftButton);
    TfrmCambiaPassword* change = Windows::cambiaPassword();
    fillChange(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
    QTest::mouseClick(change->cmdEsci, Qt::LeftButton);

    QVERIFY(!change->isVisible());
    QVERIFY(password->isVisible());
    QCOMPARE(password->txtPassword->text(), QString());
    QVERIFY(!password->cmdOK->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), password->txtPassword);
    QCOMPARE(fileBytes(passwordPath()), kInitialFile);

    // Opened again, the change window starts empty.
    QTest::mouseClick(password->btnCambiaPassword, Qt::LeftButton);
    for (QLineEdit* field : {change->txtPasswordOld, change->txtPasswordNew, change->txtConferma})
        QCOMPARE(field->text(), QString());
    QCOMPARE(messages().count(), 0);
}

CARTAVOX_TEST_MAIN(TestPasswordWindows)
#include "tst_password_windows.moc"
