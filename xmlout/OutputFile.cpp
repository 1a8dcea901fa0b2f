#include "xmlout/OutputFile.h"

#include "xmlout/TemporaryFiles.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kTemporarySuffix[] = ".tmp.XXXXXX";

// Permission bits a newly created file gets under the current umask.
mode_t newFileMode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::string directoryOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates the temporary file from the pattern and remembers it in the slot,
// so that a signal that ends the process removes it; the signals are held
// back meanwhile, so none comes between the two.
int makeTemporary(std::string& pattern, int& slot)
{
    sigset_t all, before;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &before);
    int fd = mkostemp(&pattern[0], O_CLOEXEC);
    if (fd >= 0)
        slot = temporaryfiles::remember(pattern);
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return fd;
}

} // namespace

OutputFile::OutputFile(const std::string& target)
    : target_(target)
{
}

OutputFile::~OutputFile()
{
    discard();
}

bool OutputFile::fail(int error)
{
    error_ = error == 0 ? EIO : error;
    discard();
    return false;
}

std::string OutputFile::reason() const
{
    return std::strerror(error_);
}

bool OutputFile::open()
{
    buffer_.clear();
    buffer_.reserve(kBlockSize + kBlockSize / 4);

    struct stat info;
    if (lstat(target_.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        // Replace the file the link names; a dangling link is replaced itself.
        char* real = realpath(target_.c_str(), nullptr);
        if (real != nullptr) {
            target_ = real;
            std::free(real);
        }
    }

    mode_t mode = newFileMode();
    if (stat(target_.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return fail(EISDIR);
        if (access(target_.c_str(), W_OK) != 0)
            return fail(errno);
        if (!S_ISREG(info.st_mode)) {
            inPlace_ = true;
            fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            return fd_ >= 0 || fail(errno);
        }
        mode = info.st_mode & 0777;
    }

    temporary_ = target_ + kTemporarySuffix;
    fd_ = makeTemporary(temporary_, slot_);
    if (fd_ < 0 && errno == ENAMETOOLONG) {
        // The target's own name is close to the length limit: use a short
        // name in the same directory, so the final rename stays within one
        // file system.
        temporary_ = directoryOf(target_) + "/" + kTemporarySuffix;
        fd_ = makeTemporary(temporary_, slot_);
    }
    if (fd_ < 0) {
        int error = errno;
        temporary_.clear();
        return fail(error);
    }
    if (fchmod(fd_, mode) != 0)
        return fail(errno);
    return true;
}

bool OutputFile::writeAll(const char* data, size_t size)
{
    while (size > 0) {
        ssize_t written = ::write(fd_, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        if (written == 0)
            return fail(EIO);
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool OutputFile::flush()
{
    return flushWith(nullptr, 0);
}

bool OutputFile::flushWith(const char* data, size_t size)
{
    if (fd_ < 0)
        return fail(EBADF);
    if (!writeAll(buffer_.data(), buffer_.size()) || !writeAll(data, size))
        return false;
    buffer_.clear();
    return true;
}

bool OutputFile::commit()
{
    if (!flush())
        return false;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return fail(errno);
    if (!inPlace_) {
        if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
            return fail(errno);
        temporary_.clear();
        temporaryfiles::forget(slot_);
        slot_ = -1;
    }
    return true;
}

void OutputFile::discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        temporaryfiles::forget(slot_);
        slot_ = -1;
    }
    buffer_.clear();
}
