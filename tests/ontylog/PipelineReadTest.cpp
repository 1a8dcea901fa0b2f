// The reader parses on a thread of its own and builds the records on the
// calling thread, batch by batch: documents long enough for many batches, a
// break in the middle of a batch with the console lines in document order,
// and the queue between the two threads.

#include "tests/ontylog/OntylogTestSupport.h"

#include "ontylog/BatchQueue.h"

#include <thread>

using namespace ontylogtest;

namespace {

const char* const kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<terminology>\n"
                          "<namespaceDef><name>Lab</name><code>NS</code><id>1</id></namespaceDef>\n"
                          "<roleDef><name>Has_Site</name><code>R1</code><id>2</id></roleDef>\n"
                          "<propertyDef><name>Note</name><code>P1</code><id>3</id></propertyDef>\n"
                          "<qualifierDef type=\"CA\"><name>Source</name><code>Q1</code><id>4</id>"
                          "</qualifierDef>\n";

// Concept number i, with a role group, two properties (one qualified) and a parent.
std::string conceptXml(int i)
{
    const std::string n = std::to_string(i);
    return "<conceptDef><name>Concept " + n + "</name><code>C" + n + "</code><id>" + n
        + "</id><namespace>Lab</namespace><definingConcepts><concept>Concept "
        + std::to_string(i / 2) + "</concept></definingConcepts><roleGroup><role><all/>"
        + "<name>Has_Site</name><value>Site " + n + "</value></role></roleGroup>"
        + "<property><name>Note</name><value>first note of " + n + "</value><qualifier>"
        + "<name>Source</name><value>S" + n + "</value></qualifier></property>"
        + "<property><name>Note</name><value>second note of " + n + "</value></property>"
        + "</conceptDef>\n";
}

// How conceptXml(i) reads back.
std::string described(int i)
{
    std::string n = std::to_string(i);
    return "C" + n + "|" + n + "|Lab||defined ^Concept " + std::to_string(i / 2)
        + " R:Has_Site=Site " + n + "/1/all P:Note=first note of " + n + "{Source=S" + n
        + "} P:Note=second note of " + n;
}

using PipelineReadTest = ReadTest;

TEST_F(PipelineReadTest, ManyBatchesArriveWholeAndInDocumentOrder)
{
    const int count = 10000;
    std::string document = kHead;
    for (int i = 1; i <= count; ++i)
        document += conceptXml(i);
    EXPECT_TRUE(readText(document + "</terminology>\n"));
    EXPECT_EQ(out, "");
    ASSERT_EQ(kb->getNumConcepts(), count);
    int i = 0;
    for (const auto& entry : kb->getConcepts())
        ASSERT_EQ(describe(entry.second), described(++i));
}

// The duplicate-name lines come from building the records, the fatal error
// line from the parser; they keep the order of the document, and every
// record before the break, which falls inside a batch, is kept.
TEST_F(PipelineReadTest, BreakInsideABatchKeepsTheRecordsAndTheLinesInOrder)
{
    std::string document = kHead;
    for (int i = 1; i <= 1000; ++i)
        document += conceptXml(i);
    document += conceptXml(7); // early in the document
    for (int i = 1001; i <= 1300; ++i)
        document += conceptXml(i);
    document += conceptXml(1300); // right before the break
    document += "<conceptDef><name>Broken</name><property><name>Note</name><value>x</vale>";
    EXPECT_FALSE(readText(document));
    const std::string lines = "ERROR::addConcept:DupConceptName\tConcept 7\n"
                              "ERROR::addConcept:DupConceptName\tConcept 1300\n";
    ASSERT_EQ(out.compare(0, lines.size(), lines), 0) << out;
    EXPECT_TRUE(isFatalErrorLine(out.substr(lines.size()))) << out;
    ASSERT_EQ(kb->getNumConcepts(), 1302);
    EXPECT_EQ(describe(kb->getConcepts().rbegin()->second), described(1300));
    EXPECT_THROW(con("Broken"), std::runtime_error);
}

// stop() ends a parsing side that waits on a full queue; the batches taken
// before come out in the order they went in.
TEST(BatchQueueTest, StopReleasesAWaitingProducer)
{
    BatchQueue queue(2);
    bool stoppedSeen = false;
    std::thread producer([&]() {
        ontylog::Batch batch;
        try {
            for (int i = 0;; ++i) {
                batch.steps.emplace_back(ontylog::RoleStep { {}, {}, {}, i });
                queue.ship(batch);
            }
        } catch (const BatchQueue::StoppedError&) {
            stoppedSeen = true;
        }
        queue.finish(BatchQueue::Ending::Stopped);
    });
    ontylog::Batch batch;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(queue.next(batch));
        ASSERT_EQ(std::get<ontylog::RoleStep>(batch.steps.at(0)).roleGroup, i);
    }
    queue.stop(); // the producer is either waiting or about to
    producer.join();
    EXPECT_TRUE(stoppedSeen);
    EXPECT_EQ(queue.ending(), BatchQueue::Ending::Stopped);
    EXPECT_FALSE(queue.next(batch));
}

} // namespace
