#ifndef QUELT_MODEL_ERRORWORD_H
#define QUELT_MODEL_ERRORWORD_H

#include "model/Console.h"

// The class-wide error word that every record class keeps: a bit set over
// the QueltTerminology error bits, printed one line per set bit.
class ErrorWord {
public:
    explicit ErrorWord(const char* givenClassName)
        : className(givenClassName)
    {
    }

    void set(long bits) { word |= bits; }
    void clear(long bits) { word &= ~bits; }
    void clear() { word = 0; }
    bool is(long bits) const { return (word & bits) != 0; }
    bool any() const { return word != 0; }
    long value() const { return word; }
    // One line "Error class <class> <BIT_NAME>" on standard error per set bit.
    void print(Console& console) const;

private:
    const char* className;
    long word = 0;
};

// Gives a record class its static error operations. T names itself in
// T::kClassName; each T gets its own error word.
template <class T> class ClassErrors {
public:
    static void setError(long bits) { errors().set(bits); }
    static void clearError(long bits) { errors().clear(bits); }
    static void clearError() { errors().clear(); }
    static bool isError(long bits) { return errors().is(bits); }
    static bool isError() { return errors().any(); }
    static void printError(Console& console = Console::standard()) { errors().print(console); }

    static ErrorWord& errors()
    {
        static ErrorWord word(T::kClassName);
        return word;
    }
};

#endif
