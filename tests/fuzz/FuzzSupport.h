#ifndef QUELT_TESTS_FUZZ_FUZZSUPPORT_H
#define QUELT_TESTS_FUZZ_FUZZSUPPORT_H

// Helpers shared by the fuzz targets.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <streambuf>
#include <string>

#include <unistd.h>

namespace fuzzsupport {

// A stream buffer that drops everything written to it and never fails.
class DiscardBuffer : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The system's console lines (the knowledge base's "track" line, the
// reader's and the writers' messages) would drown libFuzzer's own report:
// std::cout and std::cerr write into nothing from here on. libFuzzer and the
// sanitizers write to file descriptor 2 directly and are not affected.
inline void silenceConsole()
{
    static DiscardBuffer discard;
    std::cout.rdbuf(&discard);
    std::cerr.rdbuf(&discard);
}

// A private temporary directory, made on first use and removed with its
// files at exit. Its name is kept in a plain array, which is still there
// when the exit handler runs.
inline const char* scratchDirectory()
{
    static char path[] = "/tmp/quelt-fuzz-XXXXXX";
    static const bool made = [] {
        if (mkdtemp(path) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        });
        return true;
    }();
    (void)made;
    return path;
}

// Writes size bytes to path, replacing it; aborts when that fails, since a
// target that cannot set up its input tests nothing.
inline void writeFile(const std::string& path, const void* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::perror(path.c_str());
        std::abort();
    }
}

// The whole content of path, or the empty text when it cannot be read.
inline std::string readFile(const std::string& path)
{
    std::string text;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return text;
    char block[65536];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0)
        text.append(block, n);
    std::fclose(file);
    return text;
}

// Reports a broken property of the system and aborts, so that libFuzzer
// keeps the input that showed it.
[[noreturn]] inline void fail(const char* what)
{
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::abort();
}

} // namespace fuzzsupport

#endif
