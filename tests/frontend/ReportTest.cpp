#include "frontend/Report.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using report::Record;
using report::Value;

// What the check's golden reports do not reach: a record made into several
// rows, nested values in cells and in JSON, the summary, and a file as the
// output, there only once it is complete.
TEST(Report, NestedRecordsAsTsvRowsAndJsonLinesInAFile)
{
    quelttest::ScratchDir dir;
    quelttest::BufferConsole console;
    const Record changed = { { "code", "C1" }, { "old_name", "A\tb" }, { "new_name", nullptr },
        { "changes",
            std::vector<Value> { Record { { "change", "renamed" }, { "detail", -2 } },
                Record { { "change", "moved" }, { "detail", Record { { "code", "C2" } } } } } } };
    // A row per change, after the concept's first three fields.
    const auto rows = [](const Record& con) {
        std::vector<Record> result;
        for (const Value& change : report::fieldOf(con, "changes").items) {
            result.emplace_back(con.begin(), con.begin() + 3);
            result.back().insert(result.back().end(), change.fields.begin(), change.fields.end());
        }
        return result;
    };
    const std::vector<report::FormatChoice> formats = {
        { "tsv",
            [&] {
                return std::make_unique<report::Tsv>(
                    std::vector<std::string> { "code", "old_name", "new_name", "change", "detail" },
                    rows);
            } },
        { "json", [] { return std::make_unique<report::JsonLines>(); } },
    };
    for (const char* format : { "tsv", "json" }) {
        report::Output out(dir.file(format));
        ASSERT_TRUE(out.open(console));
        report::Writer writer(out, report::chooseFormat(formats, format));
        writer.add(changed);
        writer.summary({ { "renamed", 1 } });
        writer.end();
        EXPECT_FALSE(std::filesystem::exists(dir.file(format)));
        EXPECT_TRUE(out.finish());
    }
    EXPECT_EQ(quelttest::readAll(dir.file("tsv")),
        "code\told_name\tnew_name\tchange\tdetail\n"
        "C1\tA\\tb\t\trenamed\t-2\n"
        "C1\tA\\tb\t\tmoved\t{\"code\":\"C2\"}\n");
    EXPECT_EQ(quelttest::readAll(dir.file("json")),
        "{\"code\":\"C1\",\"old_name\":\"A\\tb\",\"new_name\":null,\"changes\":[{\"change\":"
        "\"renamed\",\"detail\":-2},{\"change\":\"moved\",\"detail\":{\"code\":\"C2\"}}]}\n"
        "{\"summary\":{\"renamed\":1}}\n");
    EXPECT_EQ(console.err, "");
}

TEST(Report, AFileThatCannotBeWrittenSaysWhy)
{
    quelttest::ScratchDir dir;
    quelttest::BufferConsole console;
    report::Output out(dir.file("none/report.tsv"));
    EXPECT_FALSE(out.open(console));
    EXPECT_EQ(out.failure(),
        "cannot write \"" + dir.file("none/report.tsv") + "\": No such file or directory");
    EXPECT_FALSE(out.finish());
}

} // namespace
