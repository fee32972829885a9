#include "ReadOnlyFolder.h"

#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {
const QFileDevice::Permissions kReadAndEnter = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                               QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;

// Once per process: later mounts stay inside this namespace and never reach the machine's.
bool privateMountNamespace()
{
    static const bool made =
        unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return made;
}
} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString& folder) : m_folder(folder)
{
    if (geteuid() != 0) {
        if (QFile::setPermissions(folder, kReadAndEnter)) {
            m_way = Way::Permissions;
            m_how = QStringLiteral("permission bits");
        }
        return;
    }
    const QByteArray path = QFile::encodeName(folder);
    if (privateMountNamespace() && mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0) {
        if (mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0) {
            m_way = Way::Mount;
            m_how = QStringLiteral("read-only bind mount");
            return;
        }
        umount2(path.constData(), MNT_DETACH);
    }
    if (setImmutable(true)) {
        m_way = Way::Immutable;
        m_how = QStringLiteral("immutable attribute");
    }
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    switch (m_way) {
    case Way::None:
        break;
    case Way::Permissions:
        QFile::setPermissions(m_folder, kReadAndEnter | QFileDevice::WriteOwner);
        break;
    case Way::Mount:
        umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
        break;
    case Way::Immutable:
        setImmutable(false);
        break;
    }
}

bool ReadOnlyFolder::setImmutable(bool on) const
{
    const int fd = open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
    return done;
}
