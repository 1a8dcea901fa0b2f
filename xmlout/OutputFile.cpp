#include "xmlout/OutputFile.h"

#include "model/Console.h"
#include "xmlout/TemporaryFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kTemporarySuffix[] = ".tmp.XXXXXX";

// When the program started, near enough: files changed before it were not
// written by this process.
const std::time_t kStarted = std::time(nullptr);

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

OutputFile::OutputFile(const std::string& givenTarget)
    : target(givenTarget)
{
}

OutputFile::~OutputFile()
{
    discard();
}

bool OutputFile::fail(int error)
{
    lastError = error == 0 ? EIO : error;
    discard();
    return false;
}

std::string OutputFile::reason() const
{
    return std::strerror(lastError);
}

std::vector<std::string> OutputFile::leftovers() const
{
    std::vector<std::string> found;
    if (inPlace)
        return found;
    size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    // The target's name and the suffix, whose last six characters mkostemp
    // replaces.
    const size_t suffixSize = sizeof kTemporarySuffix - 1;
    const std::string prefix
        = target.substr(folder.size()) + std::string(kTemporarySuffix, suffixSize - 6);
    const size_t nameSize = prefix.size() + 6;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr)
        return found;
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strlen(name) != nameSize || std::strncmp(name, prefix.c_str(), prefix.size()) != 0)
            continue;
        std::string path = folder + name;
        struct stat info;
        if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_mtime < kStarted)
            found.push_back(path);
    }
    closedir(dir);
    std::sort(found.begin(), found.end());
    return found;
}

void reportLeftovers(const OutputFile& file, Console& console)
{
    for (const std::string& path : file.leftovers())
        console.report({ Message::Kind::Leftover, "file", path, "", 0 });
}

bool OutputFile::open()
{
    pending.clear();
    pending.reserve(kBlockSize + kBlockSize / 4);

    struct stat info;
    if (lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        // Replace the file the link names; a dangling link is replaced itself.
        char* real = realpath(target.c_str(), nullptr);
        if (real != nullptr) {
            target = real;
            std::free(real);
        }
    }

    mode_t mode = newFileMode();
    if (stat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return fail(EISDIR);
        if (access(target.c_str(), W_OK) != 0)
            return fail(errno);
        if (!S_ISREG(info.st_mode)) {
            inPlace = true;
            descriptor = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            return descriptor >= 0 || fail(errno);
        }
        mode = info.st_mode & 0777;
    }

    temporary = target + kTemporarySuffix;
    descriptor = makeTemporary(temporary, slot);
    if (descriptor < 0 && errno == ENAMETOOLONG) {
        // The target's own name is close to the length limit: use a short
        // name in the same directory, so the final rename stays within one
        // file system.
        temporary = directoryOf(target) + "/" + kTemporarySuffix;
        descriptor = makeTemporary(temporary, slot);
    }
    if (descriptor < 0) {
        int error = errno;
        temporary.clear();
        return fail(error);
    }
    if (fchmod(descriptor, mode) != 0)
        return fail(errno);
    return true;
}

bool OutputFile::writeAll(const char* data, size_t size)
{
    while (size > 0) {
        ssize_t written = ::write(descriptor, data, size);
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
    if (descriptor < 0)
        return fail(EBADF);
    if (!writeAll(pending.data(), pending.size()) || !writeAll(data, size))
        return false;
    pending.clear();
    return true;
}

bool OutputFile::commit()
{
    if (!flush())
        return false;
    int fd = descriptor;
    descriptor = -1;
    if (::close(fd) != 0)
        return fail(errno);
    if (!inPlace) {
        if (std::rename(temporary.c_str(), target.c_str()) != 0)
            return fail(errno);
        temporary.clear();
        temporaryfiles::forget(slot);
        slot = -1;
    }
    return true;
}

void OutputFile::discard()
{
    if (descriptor >= 0) {
        ::close(descriptor);
        descriptor = -1;
    }
    if (!temporary.empty()) {
        ::unlink(temporary.c_str());
        temporary.clear();
        temporaryfiles::forget(slot);
        slot = -1;
    }
    pending.clear();
}
