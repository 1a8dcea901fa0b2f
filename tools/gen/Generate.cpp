#include "tools/gen/Generate.h"

#include "tools/gen/Generator.h"

#include <ostream>
#include <stdexcept>

namespace gen {

namespace {

class StringSink : public Sink {
public:
    explicit StringSink(std::string& givenText)
        : text(givenText)
    {
    }
    void write(const char* data, std::size_t size) override { text.append(data, size); }

private:
    std::string& text;
};

class StreamSink : public Sink {
public:
    explicit StreamSink(std::ostream& givenStream)
        : stream(givenStream)
    {
    }
    void write(const char* data, std::size_t size) override
    {
        stream.write(data, static_cast<std::streamsize>(size));
    }

private:
    std::ostream& stream;
};

} // namespace

std::vector<FaultRecord> generate(const Options& options, Sink& sink, ChangeLog* changes)
{
    const std::string problem = problemWith(options);
    if (!problem.empty())
        throw std::invalid_argument(problem);
    faultKinds();
    Output out(sink);
    Generator generator(out, options);
    generator.run();
    if (changes)
        *changes = generator.takeChanges();
    return generator.takeRecords();
}

std::vector<FaultRecord> generate(const Options& options, std::string& document, ChangeLog* changes)
{
    StringSink sink(document);
    return generate(options, sink, changes);
}

std::vector<FaultRecord> generate(const Options& options, std::ostream& out, ChangeLog* changes)
{
    StreamSink sink(out);
    return generate(options, sink, changes);
}

} // namespace gen
