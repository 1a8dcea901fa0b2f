#ifndef QUELT_XMLOUT_OUTPUTFILE_H
#define QUELT_XMLOUT_OUTPUTFILE_H

#include <cstddef>
#include <string>
#include <vector>

class Console;

// An output file that appears complete or not at all. Text is appended to
// an in-memory buffer and written out in large blocks to a temporary file
// next to the target; commit() moves the temporary over the target once
// everything is written and the file is closed. Until then an existing
// target is left as it was, and a failed or abandoned file leaves no
// temporary behind, and neither does a signal that ends the process while
// the file is written, once the program has asked for that (the
// temporary is remembered in temporaryfiles).
//
// A target that exists but is not a regular file (a device such as
// /dev/null, a FIFO) is written in place, since it cannot be replaced.
// A symbolic link is followed: the file it names is replaced, not the link.
class OutputFile {
public:
    // The buffer is written out once it holds this many bytes.
    static constexpr std::size_t kBlockSize = std::size_t(1) << 20;

    explicit OutputFile(const std::string& target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file. False on failure; see reason().
    bool open();

    // Text not yet written; append to it freely.
    std::string& buffer() { return pending; }

    // Writes the buffer out once it has reached the block size.
    bool flushIfFull() { return pending.size() < kBlockSize || flush(); }
    bool flush();
    // Writes the buffer out, then size bytes at data, which need not pass
    // through the buffer.
    bool flushWith(const char* data, std::size_t size);

    // Writes what is left, closes the file and moves it over the target.
    // False on failure (the temporary is then removed); see reason().
    bool commit();

    // Closes and removes the temporary; the target is not touched.
    void discard();

    // Why the last operation failed, as the C library words it.
    std::string reason() const;

    // Temporaries of this target last changed before this process started:
    // left by a run that could not remove its own (SIGKILL cannot be
    // caught). They are only named, never removed, since another run may
    // still be writing one. Call after open().
    std::vector<std::string> leftovers() const;

private:
    bool fail(int error);
    bool writeAll(const char* data, std::size_t size);

    std::string target;
    std::string temporary;
    int descriptor = -1;
    int lastError = 0;
    int slot = -1; // of the temporary in temporaryfiles
    bool inPlace = false;
    std::string pending;
};

// A warning line on the console's error stream for each of the file's
// leftovers().
void reportLeftovers(const OutputFile& file, Console& console);

#endif
