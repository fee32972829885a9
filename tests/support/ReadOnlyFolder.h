#pragma once

#include <QString>

// Makes a folder one that the program cannot write into, as a system installation's folder is,
// until it goes out of scope. An ordinary user is refused by the permission bits; root ignores
// those, so for root the folder is mounted read-only onto itself in a mount namespace of this
// thread alone, which the rest of the machine never sees and which ends with the test, or, where
// mounting is not allowed, marked immutable.
class ReadOnlyFolder final {
public:
    explicit ReadOnlyFolder(const QString& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // How the folder was made read-only; empty when no way worked and the test must be skipped.
    QString how() const { return m_how; }

private:
    enum class Way { None, Permissions, Mount, Immutable };
    bool setImmutable(bool on) const;

    QString m_folder;
    Way m_way = Way::None;
    QString m_how;
};
