#pragma once

#include <chrono>
#include <stdexcept>
#include <sys/types.h>

// An advisory lock on a file the program writes, held from construction to destruction: POSIX
// record locks, which the NFS and SMB clients of Linux pass on to the file server, so that two
// programs on two desks sharing one program folder take turns. Advisory: it keeps out only the
// programs that ask for it, and a program that ends, by any way, lets go of its locks with it, so
// no lock is ever left behind.
//
// The lock covers one byte far beyond the end of any file, not the file's contents: a Windows file
// server enforces the locks it is given, and a lock on the contents would make another desk's reads
// fail while a card is written. A program that locks a whole file (as spreadsheet programs may do
// with the document they have open) still meets this lock.
class FileLock final {
public:
    enum class Access {
        Shared,    // many at once: needs the file open for reading
        Exclusive, // one alone: needs the file open for writing
    };

    // The file could not be locked: the file system refuses locks (a file server without its lock
    // service), or the file cannot be opened to be locked.
    class Error : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };
    // Another program held the file locked for all of the patience given.
    class Busy final : public Error {
    public:
        using Error::Error;
    };

    // How long a write waits for its lock before it gives up, and a read before it goes on without
    // one. A write holds its lock for one record or one file: milliseconds.
    static constexpr std::chrono::milliseconds kWriterPatience{5000};
    static constexpr std::chrono::milliseconds kReaderPatience{200};

    // Locks the file open as `descriptor`, which the caller keeps open for as long as the lock
    // lives and then closes with closeDescriptor(). Tried at once, then again after short sleeps
    // until `patience` is spent.
    FileLock(int descriptor, Access access, std::chrono::milliseconds patience);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Closes a descriptor of a file that may be locked in this process. Where only the classic
    // locks exist, closing any descriptor of a file lets go of every lock the process holds on it:
    // the closing then waits until the process's last lock on that file is released.
    static void closeDescriptor(int descriptor);

    // Uses the classic per-process locks even where the system has the locks of an open file,
    // which every Linux since 3.15 has: the tests run the older path with it.
    static void useClassicLocks(bool classic);

private:
    bool tryOnce();
    void release();

    int m_descriptor;
    Access m_access;
    bool m_classic = false;
    dev_t m_device = 0; // the file's identity, for the classic locks' bookkeeping
    ino_t m_inode = 0;
};
