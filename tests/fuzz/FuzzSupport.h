#ifndef QUELT_TESTS_FUZZ_FUZZSUPPORT_H
#define QUELT_TESTS_FUZZ_FUZZSUPPORT_H

// Helpers shared by the fuzz targets.

#include "model/Console.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace fuzzsupport {

// A console that drops every line.
class DiscardConsole : public Console {
public:
    void line(Stream, std::string_view) override { }
};

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
