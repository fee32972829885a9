#include "PasswordFile.h"

#include "Crypt.h"
#include "IniFile.h"
#include "folder/FileLock.h"
#include "folder/ProgramFolder.h"
#include "storage/Text.h"

#include <QFile>

#include <algorithm>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");

// The password file locked against every other change and store for as long as this lives.
//
// The lock is taken on the password file itself, and no lock file is left beside it. The file is
// written whole under another name and then renamed into place (SafeSave), and a lock goes with
// the file it was taken on: a change that waited for the lock may find, once it has it, that the
// name now leads to the file the other change wrote. It then locks that one. Its text is read
// once, through the locked descriptor: where only the classic locks exist, opening and closing the
// file anew would let go of the lock.
//
// Nothing is locked where no regular file stands under the name: a missing file is created by the
// store, a link is replaced by it, and anything else is refused by it, as SafeSave does.
class PasswordLock final {
public:
    explicit PasswordLock(const QString& filePath);
    ~PasswordLock() { unlock(); }
    PasswordLock(const PasswordLock&) = delete;
    PasswordLock& operator=(const PasswordLock&) = delete;

    bool held() const { return m_lock.has_value(); }
    const QByteArray& text() const { return m_text; } // of the file locked

private:
    void unlock();
    bool readText();

    int m_descriptor = -1;
    std::optional<FileLock> m_lock;
    QByteArray m_text;
};

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

PasswordLock::PasswordLock(const QString& filePath)
{
    const QByteArray name = QFile::encodeName(filePath);
    const auto deadline = std::chrono::steady_clock::now() + FileLock::kWriterPatience;
    for (;;) {
        struct stat named {};
        if (::lstat(name.constData(), &named) != 0 || !S_ISREG(named.st_mode))
            return;
        // A lock for writing needs the file open for writing: a password file the user may not
        // write is not changed.
        m_descriptor = ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        struct stat opened {};
        if (m_descriptor < 0 || ::fstat(m_descriptor, &opened) != 0)
            throw PasswordFile::Error("Impossibile bloccare il file della password.");
        if (sameFile(named, opened)) {
            const auto left =
                std::max(std::chrono::steady_clock::duration::zero(), deadline - std::chrono::steady_clock::now());
            try {
                m_lock.emplace(m_descriptor, FileLock::Access::Exclusive,
                               std::chrono::duration_cast<std::chrono::milliseconds>(left));
            } catch (const FileLock::Error&) {
                unlock();
                throw PasswordFile::Error("Il file della password è bloccato da un altro programma.");
            }
            // Still the file under the name: the other change, if any, did not replace it.
            if (::lstat(name.constData(), &named) == 0 && sameFile(named, opened)) {
                if (readText())
                    return;
                unlock();
                throw PasswordFile::Error("Impossibile leggere il file della password.");
            }
        }
        unlock();
        if (std::chrono::steady_clock::now() >= deadline)
            throw PasswordFile::Error("Il file della password è bloccato da un altro programma.");
    }
}

void PasswordLock::unlock()
{
    m_lock.reset();
    FileLock::closeDescriptor(m_descriptor);
    m_descriptor = -1;
}

bool PasswordLock::readText()
{
    QFile file;
    if (!file.open(m_descriptor, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return false;
    m_text = file.readAll();
    return file.error() == QFileDevice::NoError;
}

QString passwordIn(const QString& value)
{
    const std::optional<QString> password = Crypt::Unscramble(value);
    if (!password)
        throw PasswordFile::Error("Il valore della password non è un testo esadecimale.");
    return Text::trimmed(*password);
}

void write(const PasswordLock& lock, const QString& password, const QString& filePath)
{
    try {
        if (lock.held())
            IniFile::writeString(filePath, lock.text(), kSection, kKey, Crypt::Scramble(password));
        else
            IniFile::writeString(filePath, kSection, kKey, Crypt::Scramble(password));
    } catch (const IniFile::Error& error) {
        throw PasswordFile::Error(error.what());
    }
}
} // namespace

QString PasswordFile::path()
{
    return ProgramFolder::file(ProgramFolder::kPasswordFile);
}

QString PasswordFile::stored(const QString& filePath)
{
    QString value;
    try {
        value = IniFile::readString(filePath, kSection, kKey);
    } catch (const IniFile::Error& error) {
        throw Error(error.what());
    }
    return passwordIn(value);
}

void PasswordFile::store(const QString& password, const QString& filePath)
{
    const PasswordLock lock(filePath);
    write(lock, password, filePath);
}

bool PasswordFile::change(const QString& oldTyped, const QString& newPassword, const QString& filePath)
{
    const PasswordLock lock(filePath);
    const QString current = lock.held() ? passwordIn(IniFile::stringIn(lock.text(), kSection, kKey)) : stored(filePath);
    if (normalised(oldTyped) != current)
        return false;
    write(lock, newPassword, filePath);
    return true;
}

QString PasswordFile::normalised(const QString& typed)
{
    return Text::trimmed(Text::upperAscii(typed));
}

bool PasswordFile::fitsStoredForm(const QString& password)
{
    return std::all_of(password.cbegin(), password.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
}
