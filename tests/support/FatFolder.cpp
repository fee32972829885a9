#include "FatFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <sched.h>
#include <sys/mount.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {
constexpr long kFuseMagic = 0x65735546;

// Once per thread: the mounts made after it stay in this thread's namespace, and in that of the
// processes it starts.
bool privateMountNamespace()
{
    static thread_local const bool made =
        unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return made;
}

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
} // namespace

FatFolder::FatFolder()
{
    const QString mkfs = QStandardPaths::findExecutable(QStringLiteral("mkfs.fat"), {"/usr/sbin", "/sbin"});
    const QString fusefat = QStandardPaths::findExecutable(QStringLiteral("fusefat"));
    if (geteuid() != 0 || mkfs.isEmpty() || fusefat.isEmpty() || !QFile::exists(QStringLiteral("/dev/fuse"))) {
        m_whyNot = QStringLiteral("a FAT folder needs root, mkfs.fat, fusefat and /dev/fuse");
        return;
    }
    const QString image = m_work.filePath(QStringLiteral("disco.img"));
    const QString folder = m_work.filePath(QStringLiteral("disco"));
    QFile file(image);
    if (!m_work.isValid() || !QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || !file.resize(8 << 20)) {
        m_whyNot = QStringLiteral("no room for the image");
        return;
    }
    file.close();
    if (!run(mkfs, {QStringLiteral("-n"), QStringLiteral("PROVA"), image}) || !privateMountNamespace() ||
        !run(fusefat, {QStringLiteral("-o"), QStringLiteral("rw+"), image, folder})) {
        m_whyNot = QStringLiteral("the image could not be made or mounted");
        return;
    }
    // fusefat returns once the file system is mounted.
    struct statfs mounted {};
    m_mounted = statfs(QFile::encodeName(folder).constData(), &mounted) == 0 && mounted.f_type == kFuseMagic;
    if (!m_mounted)
        m_whyNot = QStringLiteral("the image is not mounted");
}

FatFolder::~FatFolder()
{
    if (m_mounted)
        umount2(QFile::encodeName(path()).constData(), MNT_DETACH);
}
