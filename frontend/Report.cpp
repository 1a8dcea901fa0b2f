#include "frontend/Report.h"

#include "model/Message.h"
#include "xmlout/OutputFile.h"

#include <nlohmann/json.hpp>

#include <cstring>
#include <iostream>
#include <utility>

namespace report {

namespace {

nlohmann::ordered_json jsonOf(const Value& value)
{
    switch (value.type) {
    case Value::Type::Null:
        return nullptr;
    case Value::Type::Text:
        return value.text;
    case Value::Type::Number:
        return value.number;
    case Value::Type::Fields: {
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        for (const Field& field : value.fields)
            object[field.name] = jsonOf(field.value);
        return object;
    }
    case Value::Type::List: {
        nlohmann::ordered_json array = nlohmann::ordered_json::array();
        for (const Value& item : value.items)
            array.push_back(jsonOf(item));
        return array;
    }
    }
    return nullptr;
}

std::string jsonText(const nlohmann::ordered_json& json)
{
    // Texts read from a document are UTF-8; should one not be, its faulty
    // bytes become U+FFFD rather than ending the output.
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace

std::string toJson(const Value& value)
{
    return jsonText(jsonOf(value));
}

Value::Value()
    : type(Type::Null)
{
}

Value::Value(std::nullptr_t)
    : type(Type::Null)
{
}

Value::Value(std::string givenText)
    : type(Type::Text)
    , text(std::move(givenText))
{
}

Value::Value(const char* givenText)
    : type(Type::Text)
    , text(givenText)
{
}

Value::Value(Record givenFields)
    : type(Type::Fields)
    , fields(std::move(givenFields))
{
}

Value::Value(std::vector<Value> givenItems)
    : type(Type::List)
    , items(std::move(givenItems))
{
}

const Value& fieldOf(const Record& record, const std::string& name)
{
    static const Value none;
    for (const Field& field : record) {
        if (field.name == name)
            return field.value;
    }
    return none;
}

void appendField(std::string& line, const std::string& text, const char* separators)
{
    for (char c : text) {
        switch (c) {
        case '\\':
            line += "\\\\";
            break;
        case '\t':
            line += "\\t";
            break;
        case '\n':
            line += "\\n";
            break;
        case '\r':
            line += "\\r";
            break;
        default:
            if (c != '\0' && std::strchr(separators, c) != nullptr) {
                line += '\\';
                line += c;
            } else {
                appendShown(line, c);
            }
        }
    }
}

Output::Output() = default;

Output::Output(const std::string& givenPath)
    : path(givenPath)
    , file(std::make_unique<OutputFile>(givenPath))
{
}

Output::~Output() = default;

bool Output::open(Console& console)
{
    if (!file)
        return true;
    failed = !file->open();
    if (!failed)
        reportLeftovers(*file, console);
    return !failed;
}

void Output::write(const std::string& text)
{
    if (!file) {
        std::cout << text;
    } else if (!failed) {
        file->buffer() += text;
        failed = !file->flushIfFull();
    }
}

bool Output::finish()
{
    if (!file) {
        std::cout.flush();
        return static_cast<bool>(std::cout);
    }
    if (failed)
        file->discard();
    else
        failed = !file->commit();
    return !failed;
}

std::string Output::failure() const
{
    if (!file)
        return "cannot write to standard output";
    return "cannot write \"" + path + "\": " + file->reason();
}

Format::~Format() = default;

void Format::begin(Output&) { }

void Format::summary(const Record&, Output&) { }

void Format::end(Output&) { }

void JsonLines::record(const Record& record, Output& out)
{
    out.write(jsonText(jsonOf(record)) + '\n');
}

void JsonLines::summary(const Record& record, Output& out)
{
    JsonLines::record({ { "summary", record } }, out);
}

Tsv::Tsv(std::vector<std::string> givenColumns, Rows givenRowsOf)
    : columns(std::move(givenColumns))
    , rowsOf(std::move(givenRowsOf))
{
}

void Tsv::begin(Output& out)
{
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i)
        line += (i == 0 ? "" : "\t") + columns[i];
    out.write(line + '\n');
}

void Tsv::record(const Record& record, Output& out)
{
    if (!rowsOf) {
        row(record, out);
        return;
    }
    for (const Record& fields : rowsOf(record))
        row(fields, out);
}

void Tsv::row(const Record& fields, Output& out)
{
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            line += '\t';
        const Value& value = fieldOf(fields, columns[i]);
        if (value.type == Value::Type::Number)
            line += std::to_string(value.number);
        else if (value.type == Value::Type::Text)
            appendField(line, value.text);
        else if (value.type != Value::Type::Null)
            appendField(line, jsonText(jsonOf(value)));
    }
    out.write(line + '\n');
}

std::unique_ptr<Format> chooseFormat(
    const std::vector<FormatChoice>& choices, const std::string& name)
{
    for (const FormatChoice& choice : choices) {
        if (name == choice.name)
            return choice.make();
    }
    return nullptr;
}

Writer::Writer(Output& givenOut, std::unique_ptr<Format> givenFormat)
    : out(givenOut)
    , format(std::move(givenFormat))
{
    format->begin(out);
}

void Writer::add(const Record& record)
{
    format->record(record, out);
}

void Writer::summary(const Record& record)
{
    format->summary(record, out);
}

void Writer::end()
{
    format->end(out);
}

} // namespace report
