// The formats of queltKbTool changes: a text report for people, a row per
// change for scripts, JSON Lines for programs, a page for a browser.

#include "frontend/ChangesFormats.h"

#include "xmlout/XmlText.h"

#include <cstdio>
#include <map>
#include <memory>

namespace kbtool {

namespace {

using report::fieldOf;
using report::Record;
using report::Value;

bool has(const Record& record, const char* name)
{
    return fieldOf(record, name).type != Value::Type::Null;
}

std::string escaped(const std::string& text)
{
    std::string line;
    report::appendField(line, text);
    return line;
}

// ---- text

// A before or after of a text field; "(none)" for the empty text.
std::string shownText(const Value& text)
{
    return text.text.empty() ? "(none)" : escaped(text.text);
}

// A concept a change names: "CODE NAME", or "'TEXT' (no concept)".
std::string referenceText(const Value& reference)
{
    const Value& code = fieldOf(reference.fields, "code");
    const std::string name = escaped(fieldOf(reference.fields, "name").text);
    return code.type == Value::Type::Text ? escaped(code.text) + " " + name
                                          : "'" + name + "' (no concept)";
}

std::string qualifiersText(const Value& qualifiers)
{
    std::string text;
    for (const Value& qualifier : qualifiers.items)
        text += (text.empty() ? " [" : ", ") + escaped(fieldOf(qualifier.fields, "name").text) + "="
            + escaped(fieldOf(qualifier.fields, "value").text);
    return text.empty() ? text : text + "]";
}

// A property value: "\"VALUE\" (LOCALE) [QUALIFIER=VALUE, ...]".
std::string valueText(const Record& state)
{
    std::string text = "\"" + escaped(fieldOf(state, "value").text) + "\"";
    if (!fieldOf(state, "locale").text.empty())
        text += " (" + escaped(fieldOf(state, "locale").text) + ")";
    return text + qualifiersText(fieldOf(state, "qualifiers"));
}

// What a change of a concept says after the concept's code and name.
std::string changeText(const std::string& kind, const Record& change)
{
    if (has(change, "parent"))
        return referenceText(fieldOf(change, "parent"));
    if (has(change, "role")) {
        const Value& group = fieldOf(change, "group");
        return escaped(fieldOf(change, "role").text) + " " + fieldOf(change, "modifier").text + " "
            + referenceText(fieldOf(change, "target"))
            + (group.type == Value::Type::Number ? ", group " + std::to_string(group.number) : "");
    }
    if (has(change, "association"))
        return escaped(fieldOf(change, "association").text) + " "
            + referenceText(fieldOf(change, "target"))
            + qualifiersText(fieldOf(change, "qualifiers"));
    if (kind == "property-changed")
        return escaped(fieldOf(change, "property").text) + " "
            + valueText(fieldOf(change, "before").fields) + " -> "
            + valueText(fieldOf(change, "after").fields);
    if (has(change, "property"))
        return escaped(fieldOf(change, "property").text) + " " + valueText(change);
    return shownText(fieldOf(change, "before")) + " -> " + shownText(fieldOf(change, "after"));
}

// The fields of a definition: their values when it is added or removed,
// else before and after, and the pick-list items that came or went.
std::string fieldsText(const Value& fields, bool whole)
{
    std::string text;
    for (const Value& field : fields.items) {
        const Value& before = fieldOf(field.fields, "before");
        const Value& after = fieldOf(field.fields, "after");
        text += (text.empty() ? "" : "; ") + fieldOf(field.fields, "field").text + " ";
        if (before.type == Value::Type::Null)
            text += escaped(after.text) + (whole ? "" : " (new)");
        else if (after.type == Value::Type::Null)
            text += escaped(before.text) + (whole ? "" : " (gone)");
        else
            text += shownText(before) + " -> " + shownText(after);
    }
    return text;
}

// The summary, then the changes grouped by kind, a line each.
class ChangesText : public report::Format {
public:
    explicit ChangesText(const ChangesContext& givenContext)
        : context(givenContext)
    {
    }

    void record(const Record& record, report::Output&) override;
    void summary(const Record& record, report::Output&) override { counts = record; }
    void end(report::Output& out) override;

private:
    void conceptLines(const Record& record);

    ChangesContext context;
    std::map<std::string, std::vector<std::string>> lines; // by kind
    Record counts;
};

void ChangesText::conceptLines(const Record& record)
{
    const Value& oldName = fieldOf(record, "old_name");
    const Value& newName = fieldOf(record, "new_name");
    const std::string code = escaped(fieldOf(record, "code").text);
    const std::string name = escaped((newName.type == Value::Type::Text ? newName : oldName).text);
    for (const Value& change : fieldOf(record, "changes").items) {
        const std::string& kind = fieldOf(change.fields, "change").text;
        std::string line = "  " + code + " ";
        if (kind == "renamed")
            line += escaped(oldName.text) + " -> " + name;
        else if (kind == "added" || kind == "removed")
            line += name;
        else
            line += name + ": " + changeText(kind, change.fields);
        lines[kind].push_back(line);
    }
}

void ChangesText::record(const Record& record, report::Output&)
{
    if (has(record, "code")) {
        conceptLines(record);
    } else if (has(record, "definition")) {
        const Value& change = fieldOf(record, "changes").items.front();
        const std::string& kind = fieldOf(change.fields, "change").text;
        lines[kind].push_back("  " + fieldOf(record, "definition").text + " "
            + escaped(fieldOf(record, "name").text) + ": "
            + fieldsText(fieldOf(change.fields, "fields"), kind != "definition-changed"));
    } else {
        std::string names;
        for (const Value& name : fieldOf(record, "names").items)
            names += (names.empty() ? "" : ", ") + escaped(name.text);
        lines["duplicate-code"].push_back("  " + escaped(fieldOf(record, "duplicate_code").text)
            + " in " + fieldOf(record, "version").text + ": " + names);
    }
}

void ChangesText::end(report::Output& out)
{
    out.write("Changes from " + escaped(context.olderPath) + " to " + escaped(context.newerPath)
        + "\n\n");
    bool any = false;
    for (const report::Field& count : counts) {
        if (count.value.number == 0)
            continue;
        char row[96];
        std::snprintf(row, sizeof row, "%8lld  %s\n", static_cast<long long>(count.value.number),
            count.name.c_str());
        out.write(row);
        any = true;
    }
    if (!any)
        out.write("no change\n");
    for (const auto& field : context.notCompared)
        out.write("not compared: " + field.first + ", which " + escaped(field.second)
            + " holds nowhere\n");
    // In the order of the kinds, as the summary lists them.
    for (const report::Field& count : counts) {
        const auto kind = lines.find(count.name);
        if (kind == lines.end())
            continue;
        out.write("\n" + count.name + ":\n");
        for (const std::string& line : kind->second)
            out.write(line + "\n");
    }
}

// ---- tsv

const std::vector<std::string> kColumns = { "change", "code", "old_name", "new_name", "branch",
    "definition", "name", "modifier", "target_code", "target", "group", "value", "locale",
    "qualifiers", "field", "before", "after" };

// The members of a change as columns: the concept a parent, role or
// association names as target_code and target, the name of the role,
// property or association as name.
void addChangeColumns(const Record& change, Record& row)
{
    for (const report::Field& field : change) {
        const std::string& name = field.name;
        if (name == "parent" || name == "target") {
            row.push_back({ "target_code", fieldOf(field.value.fields, "code") });
            row.push_back({ "target", fieldOf(field.value.fields, "name") });
        } else if (name == "role" || name == "property" || name == "association") {
            row.push_back({ "name", field.value });
        } else if (name == "qualifiers") {
            if (!field.value.items.empty())
                row.push_back(field);
        } else {
            row.push_back(field);
        }
    }
}

std::vector<Record> tsvRows(const Record& record)
{
    std::vector<Record> rows;
    if (has(record, "code")) {
        for (const Value& change : fieldOf(record, "changes").items) {
            // code, old_name, new_name and branch.
            Record row(record.begin(), record.begin() + 4);
            addChangeColumns(change.fields, row);
            rows.push_back(std::move(row));
        }
    } else if (has(record, "definition")) {
        const Value& change = fieldOf(record, "changes").items.front();
        for (const Value& field : fieldOf(change.fields, "fields").items) {
            Record row { { "change", fieldOf(change.fields, "change") },
                { "definition", fieldOf(record, "definition") },
                { "name", fieldOf(record, "name") } };
            row.insert(row.end(), field.fields.begin(), field.fields.end());
            rows.push_back(std::move(row));
        }
    } else {
        const char* side = fieldOf(record, "version").text == "old" ? "old_name" : "new_name";
        for (const Value& name : fieldOf(record, "names").items)
            rows.push_back({ { "change", "duplicate-code" },
                { "code", fieldOf(record, "duplicate_code") }, { side, name } });
    }
    return rows;
}

// ---- json

std::vector<Value> notComparedList(const ChangesContext& context)
{
    std::vector<Value> list;
    for (const auto& field : context.notCompared)
        list.emplace_back(field.first);
    return list;
}

// JSON Lines, the summary line naming the fields not compared.
class ChangesJson : public report::JsonLines {
public:
    explicit ChangesJson(const ChangesContext& givenContext)
        : context(givenContext)
    {
    }

    void summary(const Record& record, report::Output& out) override
    {
        Record line { { "summary", record } };
        if (!context.notCompared.empty())
            line.push_back({ "not_compared", notComparedList(context) });
        JsonLines::record(line, out);
    }

private:
    ChangesContext context;
};

// ---- html

// The page, its data the records in one JSON object.
class ChangesHtml : public report::Format {
public:
    explicit ChangesHtml(const ChangesContext& givenContext)
        : context(givenContext)
    {
    }

    void record(const Record& record, report::Output&) override
    {
        (has(record, "code")                ? concepts
                : has(record, "definition") ? definitions
                                            : duplicates)
            .push_back(record);
    }
    void summary(const Record& record, report::Output&) override { counts = record; }
    void end(report::Output& out) override;

private:
    ChangesContext context;
    std::vector<Value> concepts;
    std::vector<Value> definitions;
    std::vector<Value> duplicates;
    Record counts;
};

void ChangesHtml::end(report::Output& out)
{
    const Value data = Record { { "old", context.olderPath }, { "new", context.newerPath },
        { "summary", std::move(counts) }, { "not_compared", notComparedList(context) },
        { "concepts", std::move(concepts) }, { "definitions", std::move(definitions) },
        { "duplicates", std::move(duplicates) } };
    // Nothing in the data may end its script element.
    std::string json;
    for (char c : report::toJson(data)) {
        if (c == '<')
            json += "\\u003c";
        else
            json += c;
    }
    const std::string title
        = xmltext::attribute("Changes from " + context.olderPath + " to " + context.newerPath);
    const std::string page = changesPageSource();
    std::size_t at = 0;
    for (std::size_t mark; (mark = page.find('@', at)) != std::string::npos;) {
        const bool isTitle = page.compare(mark, 7, "@TITLE@") == 0;
        const bool isData = page.compare(mark, 6, "@DATA@") == 0;
        out.write(page.substr(at, mark - at + (isTitle || isData ? 0 : 1)));
        out.write(isTitle ? title : isData ? json : std::string());
        at = mark + (isTitle ? 7 : isData ? 6 : 1);
    }
    out.write(page.substr(at));
}

} // namespace

std::vector<report::FormatChoice> changesFormats(const ChangesContext& context)
{
    return {
        { "text", [context] { return std::make_unique<ChangesText>(context); } },
        { "tsv", [] { return std::make_unique<report::Tsv>(kColumns, tsvRows); } },
        { "json", [context] { return std::make_unique<ChangesJson>(context); } },
        { "html", [context] { return std::make_unique<ChangesHtml>(context); } },
    };
}

} // namespace kbtool
