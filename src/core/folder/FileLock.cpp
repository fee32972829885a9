#include "FileLock.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {
// Far beyond the end of any file the program writes, and within the 63 bits of offset that every
// file server takes: the lock itself, and beside it the mark of the programs waiting for it.
constexpr off_t kLockedByte = off_t(1) << 62;
constexpr off_t kWaitingByte = kLockedByte + 1;

// Between two tries of a lock that is taken.
constexpr std::chrono::milliseconds kPause{1};

#ifdef F_OFD_SETLK
std::atomic<bool> classicOnly{false};
#else
std::atomic<bool> classicOnly{true};
#endif

// The classic locks belong to the process, not to an open file: two holders in this process never
// meet each other's lock in the system, and closing any descriptor of the file lets go of all of
// them. So the process keeps its own account of each file it holds locked: conflicts between its
// own holders are judged here, the system's lock is let go when the last holder goes, and the
// descriptors of the file closed meanwhile are closed only then.
struct ClassicHolders {
    int shared = 0;
    bool exclusive = false;
    std::vector<int> closeLater;
};
std::mutex classicMutex;
std::map<std::pair<dev_t, ino_t>, ClassicHolders> classicHolders;

struct flock lockRequest(short type, off_t byte = kLockedByte)
{
    struct flock request {};
    request.l_type = type;
    request.l_whence = SEEK_SET;
    request.l_start = byte;
    request.l_len = 1;
    return request;
}

int setCommand(bool classic)
{
#ifdef F_OFD_SETLK
    return classic ? F_SETLK : F_OFD_SETLK;
#else
    return F_SETLK;
#endif
}

int getCommand(bool classic)
{
#ifdef F_OFD_GETLK
    return classic ? F_GETLK : F_OFD_GETLK;
#else
    return F_GETLK;
#endif
}

// False when the lock is taken by another program, to be tried again; an Error for any other
// refusal.
bool takenElsewhere(int error)
{
    if (error == EAGAIN || error == EACCES || error == EINTR)
        return false;
    throw FileLock::Error(std::string("cannot lock the file: ") + std::strerror(error));
}

std::pair<dev_t, ino_t> identity(int descriptor)
{
    struct stat info {};
    if (::fstat(descriptor, &info) != 0)
        throw FileLock::Error(std::string("cannot lock the file: ") + std::strerror(errno));
    return {info.st_dev, info.st_ino};
}

// Polling alone is not fair: a program that saves card after card lets go of its lock for a few
// microseconds between two, and a waiter that looks every millisecond would nearly always find it
// taken, and give up. So a waiter marks that it waits, with a shared lock on the byte beside the
// lock, and whoever comes for the lock while someone is marked (the holder coming back for its next
// write too) waits its turn instead of taking it at once. The lock is then free for a moment, and
// one of the waiters takes it.
bool othersWaiting(int descriptor, bool classic)
{
    struct flock probe = lockRequest(F_WRLCK, kWaitingByte);
    return ::fcntl(descriptor, getCommand(classic), &probe) == 0 && probe.l_type != F_UNLCK;
}

class WaitingMark final {
public:
    WaitingMark(int descriptor, bool classic) : m_descriptor(descriptor), m_classic(classic)
    {
        // Without the mark, waiting only loses its turn to a writer that comes back at once.
        struct flock request = lockRequest(F_RDLCK, kWaitingByte);
        ::fcntl(m_descriptor, setCommand(m_classic), &request);
    }
    ~WaitingMark()
    {
        struct flock request = lockRequest(F_UNLCK, kWaitingByte);
        ::fcntl(m_descriptor, setCommand(m_classic), &request);
    }
    WaitingMark(const WaitingMark&) = delete;
    WaitingMark& operator=(const WaitingMark&) = delete;

private:
    int m_descriptor;
    bool m_classic;
};
} // namespace

FileLock::FileLock(int descriptor, Access access, std::chrono::milliseconds patience)
    : m_descriptor(descriptor), m_access(access), m_classic(classicOnly)
{
    if (m_classic)
        std::tie(m_device, m_inode) = identity(m_descriptor);
    if (!othersWaiting(m_descriptor, m_classic) && tryOnce())
        return;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    const WaitingMark waiting(m_descriptor, m_classic);
    do {
        if (std::chrono::steady_clock::now() >= deadline)
            throw Busy("the file is locked by another program");
        std::this_thread::sleep_for(kPause);
    } while (!tryOnce());
}

FileLock::~FileLock()
{
    release();
}

bool FileLock::tryOnce()
{
    const short type = m_access == Access::Shared ? F_RDLCK : F_WRLCK;
#ifdef F_OFD_SETLK
    if (!m_classic) {
        struct flock request = lockRequest(type);
        if (::fcntl(m_descriptor, F_OFD_SETLK, &request) == 0)
            return true;
        if (errno != EINVAL)
            return takenElsewhere(errno);
        // A system without the locks of an open file: the classic ones from now on.
        classicOnly = true;
        m_classic = true;
        std::tie(m_device, m_inode) = identity(m_descriptor);
    }
#endif
    const std::lock_guard guard(classicMutex);
    const auto file = classicHolders.try_emplace({m_device, m_inode}).first;
    ClassicHolders& holders = file->second;
    // Held in this process already: busy, as when another program holds it.
    if (holders.exclusive || (m_access == Access::Exclusive && holders.shared > 0))
        return false;
    // A shared lock the process holds already serves one more shared holder as it is.
    if (m_access == Access::Exclusive || holders.shared == 0) {
        struct flock request = lockRequest(type);
        if (::fcntl(m_descriptor, F_SETLK, &request) != 0) {
            const int error = errno;
            if (holders.closeLater.empty())
                classicHolders.erase(file);
            return takenElsewhere(error);
        }
    }
    if (m_access == Access::Shared)
        ++holders.shared;
    else
        holders.exclusive = true;
    return true;
}

void FileLock::release()
{
    struct flock request = lockRequest(F_UNLCK);
    if (!m_classic) {
        ::fcntl(m_descriptor, setCommand(false), &request);
        return;
    }
    std::vector<int> closeNow;
    {
        const std::lock_guard guard(classicMutex);
        const auto file = classicHolders.find({m_device, m_inode});
        if (file == classicHolders.end())
            return;
        ClassicHolders& holders = file->second;
        if (m_access == Access::Shared)
            --holders.shared;
        else
            holders.exclusive = false;
        if (holders.shared > 0 || holders.exclusive)
            return;
        ::fcntl(m_descriptor, F_SETLK, &request);
        closeNow.swap(holders.closeLater);
        classicHolders.erase(file);
    }
    for (const int descriptor : closeNow)
        ::close(descriptor);
}

void FileLock::closeDescriptor(int descriptor)
{
    if (descriptor < 0)
        return;
    if (classicOnly) {
        struct stat info {};
        const std::lock_guard guard(classicMutex);
        const auto file =
            ::fstat(descriptor, &info) == 0 ? classicHolders.find({info.st_dev, info.st_ino}) : classicHolders.end();
        if (file != classicHolders.end()) {
            file->second.closeLater.push_back(descriptor);
            return;
        }
    }
    ::close(descriptor);
}

void FileLock::useClassicLocks(bool classic)
{
#ifdef F_OFD_SETLK
    classicOnly = classic;
#else
    (void)classic;
#endif
}
