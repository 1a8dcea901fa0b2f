#ifndef QUELT_FRONTEND_REPORT_H
#define QUELT_FRONTEND_REPORT_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class Console;
class OutputFile;

// Reports of the tool: a command hands records, fields of named values, to
// a Writer, which writes them in the format chosen by name (text, tsv,
// json, ...) to standard output or to a file.
namespace report {

struct Field;
using Record = std::vector<Field>;

// A text, a whole number, nothing (null), a record or a list.
struct Value {
    enum class Type { Null, Text, Number, Fields, List }; // Fields: a record

    Value();
    Value(std::nullptr_t);
    Value(std::string givenText);
    Value(const char* givenText);
    Value(Record givenFields);
    Value(std::vector<Value> givenItems);
    template <typename N,
        std::enable_if_t<std::is_integral_v<N> && !std::is_same_v<N, bool>, int> = 0>
    Value(N givenNumber);

    Type type;
    std::string text;
    std::int64_t number = 0;
    Record fields; // of a record
    std::vector<Value> items; // of a list
};

struct Field {
    std::string name;
    Value value;
};

template <typename N, std::enable_if_t<std::is_integral_v<N> && !std::is_same_v<N, bool>, int>>
Value::Value(N givenNumber)
    : type(Type::Number)
    , number(static_cast<std::int64_t>(givenNumber))
{
}

// The value as JSON text, on one line.
std::string toJson(const Value& value);

// The value of the record's field of that name; null when it has none.
const Value& fieldOf(const Record& record, const std::string& name);

// A field of an output line: a backslash, tab, LF and CR as \\, \t, \n
// and \r, each of the separators as a backslash and itself, other control
// characters as \xNN.
void appendField(std::string& line, const std::string& text, const char* separators = "");

// Where a report goes: standard output, or a file that appears complete or
// not at all (see OutputFile).
class Output {
public:
    Output();
    explicit Output(const std::string& givenPath);
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Creates the file's temporary and names the leftovers of earlier runs
    // on the console; true at once for standard output.
    bool open(Console& console);
    void write(const std::string& text);
    // Flushes standard output, or puts the file in place. False when
    // anything failed to be written; failure() then says what.
    bool finish();
    std::string failure() const;

private:
    std::string path;
    std::unique_ptr<OutputFile> file;
    bool failed = false;
};

// One way of writing records.
class Format {
public:
    virtual ~Format();
    virtual void begin(Output& out);
    virtual void record(const Record& record, Output& out) = 0;
    // A closing record of counts; formats with no place for it leave it out.
    virtual void summary(const Record& record, Output& out);
    virtual void end(Output& out);
};

// JSON Lines: an object per record; the summary as {"summary":{...}}.
// Texts that are not UTF-8 have their faulty bytes replaced by U+FFFD.
class JsonLines : public Format {
public:
    void record(const Record& record, Output& out) override;
    void summary(const Record& record, Output& out) override;
};

// Tab-separated: a line naming the columns, then a line per row, each
// column the row's field of that name: a text escaped as appendField does,
// a number in decimal, nothing for null or a missing field, a record or a
// list as JSON. A record is one row, or the rows that rowsOf makes of it.
class Tsv : public Format {
public:
    using Rows = std::function<std::vector<Record>(const Record&)>;

    explicit Tsv(std::vector<std::string> givenColumns, Rows givenRowsOf = nullptr);
    void begin(Output& out) override;
    void record(const Record& record, Output& out) override;

private:
    void row(const Record& fields, Output& out);

    std::vector<std::string> columns;
    Rows rowsOf;
};

// A format a command offers, by name.
struct FormatChoice {
    const char* name;
    std::function<std::unique_ptr<Format>()> make;
};

// The choice of that name made; nullptr when there is none.
std::unique_ptr<Format> chooseFormat(
    const std::vector<FormatChoice>& choices, const std::string& name);

// Hands records to a format, which writes them to the output.
class Writer {
public:
    Writer(Output& givenOut, std::unique_ptr<Format> givenFormat);

    void add(const Record& record);
    void summary(const Record& record);
    // After the last record; the output is then ready to be finished.
    void end();

private:
    Output& out;
    std::unique_ptr<Format> format;
};

} // namespace report

#endif
