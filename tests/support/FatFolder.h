#pragma once

#include <QString>
#include <QTemporaryDir>

// A folder on a real FAT file system, the one of most USB sticks, until it goes out of scope: a
// small image made by mkfs.fat and mounted through FUSE (fusefat) in a mount namespace that the
// rest of the machine never sees. Needs root and both tools (packages dosfstools and fusefat).
class FatFolder final {
public:
    FatFolder();
    ~FatFolder();
    FatFolder(const FatFolder&) = delete;
    FatFolder& operator=(const FatFolder&) = delete;

    // Empty when the folder could not be made, and why in whyNot(): the test must be skipped.
    QString path() const { return m_mounted ? m_work.filePath(QStringLiteral("disco")) : QString(); }
    QString whyNot() const { return m_whyNot; }

private:
    QTemporaryDir m_work;
    bool m_mounted = false;
    QString m_whyNot;
};
