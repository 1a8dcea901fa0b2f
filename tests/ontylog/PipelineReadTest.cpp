// The reader parses on a thread of its own and builds the records on the
// calling thread, batch by batch: documents long enough for many batches,
// breaks in the middle of a batch, the order of the console lines, and the
// queue between the two threads.

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

// Concept number i, with a role group, two qualified properties and a parent.
std::string concept(int i)
{
    std::string n = std::to_string(i);
    return "<conceptDef><name>Concept " + n + "</name><code>C" + n + "</code><id>" + n +
           "</id><namespace>Lab</namespace>"
           "<definingConcepts><concept>Concept " + std::to_string(i / 2) + "</concept></definingConcepts>"
           "<roleGroup><role><all/><name>Has_Site</name><value>Site " + n + "</value></role>"
           "</roleGroup>"
           "<property><name>Note</name><value>first note of " + n + "</value>"
           "<qualifier><name>Source</name><value>S" + n + "</value></qualifier></property>"
           "<property><name>Note</name><value>second note of " + n + "</value></property>"
           "</conceptDef>\n";
}

using PipelineReadTest = ReadTest;

TEST_F(PipelineReadTest, ManyBatchesArriveWholeAndInDocumentOrder)
{
    const int count = 3000;
    std::string document = kHead;
    for (int i = 1; i <= count; ++i)
        document += concept(i);
    document += "</terminology>\n";
    TempDir dir;
    ASSERT_TRUE(dir.ok());

    EXPECT_TRUE(read(dir.write("many.xml", document)));
    EXPECT_EQ(out, "");
    std::vector<std::string> names = conceptNames();
    ASSERT_EQ(names.size(), static_cast<size_t>(count));
    for (int i : {1, 2, 511, 512, 513, 1777, count}) {
        ASSERT_EQ(names[i - 1], "Concept " + std::to_string(i));
        const QueltConcept* c = findConcept(names[i - 1]);
        ASSERT_NE(c, nullptr);
        std::string n = std::to_string(i);
        EXPECT_EQ(c->getCode(), "C" + n);
        EXPECT_EQ(c->getID(), i);
        EXPECT_EQ(c->getNamespace(), "Lab");
        EXPECT_EQ(*c->getFirstParent(), "Concept " + std::to_string(i / 2));
        ASSERT_EQ(c->getNumRoles(), 1);
        const QueltRole& role = c->getFirstRole()->second;
        EXPECT_EQ(role.getName(), "Has_Site");
        EXPECT_EQ(role.getValue(), "Site " + n);
        EXPECT_EQ(role.getModifier(), "all");
        EXPECT_EQ(role.getRolegroup(), 1);
        ASSERT_EQ(c->getNumProperties(), 2);
        auto property = c->getFirstProperty();
        EXPECT_EQ(property->second.getValue(), "first note of " + n);
        ASSERT_EQ(property->second.getQualifiers().size(), 1u);
        EXPECT_EQ(property->second.getQualifiers()[0].getName(), "Source");
        EXPECT_EQ(property->second.getQualifiers()[0].getValue(), "S" + n);
        ++property;
        EXPECT_EQ(property->second.getValue(), "second note of " + n);
        EXPECT_FALSE(property->second.hasQualifier());
    }
}

TEST_F(PipelineReadTest, BreakInTheMiddleOfABatchKeepsEveryRecordBeforeIt)
{
    const int count = 1300; // the break falls well inside a batch
    std::string document = kHead;
    for (int i = 1; i <= count; ++i)
        document += concept(i);
    document += "<conceptDef><name>Broken</name><property><name>Note</name><value>x</vale>";
    TempDir dir;
    ASSERT_TRUE(dir.ok());

    EXPECT_FALSE(read(dir.write("broken.xml", document)));
    EXPECT_TRUE(isFatalErrorLine(out)) << out;
    std::vector<std::string> names = conceptNames();
    ASSERT_EQ(names.size(), static_cast<size_t>(count));
    EXPECT_EQ(names.back(), "Concept " + std::to_string(count));
    EXPECT_EQ(findConcept("Concept 1300")->getNumProperties(), 2);
    EXPECT_EQ(findConcept("Broken"), nullptr);
}

// The duplicate-name lines come from building the records, the fatal error
// line from the parser; they keep the order of the document.
TEST_F(PipelineReadTest, DuplicateNamesBeforeABreakArePrintedBeforeTheFatalError)
{
    std::string document = kHead;
    for (int i = 1; i <= 1000; ++i)
        document += concept(i);
    document += concept(7);   // early in the document
    for (int i = 1001; i <= 1400; ++i)
        document += concept(i);
    document += concept(1400); // right before the break
    document += "<conceptDef><name>Broken</conceptDef>";
    TempDir dir;
    ASSERT_TRUE(dir.ok());

    EXPECT_FALSE(read(dir.write("dup.xml", document)));
    const std::string first = "ERROR::addConcept:DupConceptName\tConcept 7\n";
    const std::string second = "ERROR::addConcept:DupConceptName\tConcept 1400\n";
    ASSERT_EQ(out.compare(0, first.size(), first), 0) << out;
    ASSERT_EQ(out.compare(first.size(), second.size(), second), 0) << out;
    EXPECT_TRUE(isFatalErrorLine(out.substr(first.size() + second.size()))) << out;
    EXPECT_EQ(kb->getNumConcepts(), 1402);
}

// A concept element inside another: the inner one empties the lists of
// roles, and the outer one, at its end, takes the lists as they stand then
// (the inner concept's role and the role after it), and the name the inner
// one set.
TEST_F(PipelineReadTest, EnclosingConceptTakesTheListsAsTheyStandAtItsEnd)
{
    std::string document = std::string(kHead) +
                           "<conceptDef><name>Outer</name>"
                           "<role><name>Has_Site</name><value>Outer Site</value></role>"
                           "<conceptDef><name>Inner</name>"
                           "<role><name>Has_Site</name><value>Inner Site</value></role>"
                           "</conceptDef>"
                           "<role><name>Has_Site</name><value>After</value></role>"
                           "</conceptDef>\n</terminology>\n";
    TempDir dir;
    ASSERT_TRUE(dir.ok());

    EXPECT_TRUE(read(dir.write("nested.xml", document)));
    EXPECT_EQ(out, "ERROR::addConcept:DupConceptName\tInner\n");
    ASSERT_EQ(kb->getNumConcepts(), 2);
    const QueltConcept& inner = kb->getConcepts().begin()->second;
    const QueltConcept& outer = kb->getConcepts().rbegin()->second;
    EXPECT_EQ(inner.getName(), "Inner");
    EXPECT_EQ(outer.getName(), "Inner");
    ASSERT_EQ(inner.getNumRoles(), 1);
    EXPECT_EQ(inner.getFirstRole()->second.getValue(), "Inner Site");
    // The role after the inner concept is outside any open concept: its
    // text is not read, but the role is built all the same.
    std::vector<std::string> outerValues;
    for (const auto& role : outer.getRoles())
        outerValues.push_back(role.second.getValue());
    EXPECT_EQ(outerValues, (std::vector<std::string>{"", "Inner Site"}));
}

// The queue alone: batches come out in the order they went in, and stop()
// ends a parsing side that waits on a full queue.
TEST(BatchQueueTest, BatchesKeepTheirOrderAndStopReleasesAWaitingProducer)
{
    BatchQueue queue(2);
    std::vector<int> received;
    bool stoppedSeen = false;
    std::thread producer([&]() {
        ontylog::Batch batch;
        try {
            for (int i = 0;; ++i) {
                ontylog::Step& step = batch.steps.emplace_back();
                step.kind = ontylog::StepKind::ConceptStart;
                step.number = i;
                batch.add("text " + std::to_string(i));
                queue.ship(batch);
                EXPECT_TRUE(batch.empty());
            }
        } catch (const BatchQueue::StoppedError&) {
            stoppedSeen = true;
        }
        queue.finish(BatchQueue::Ending::Stopped);
    });
    ontylog::Batch batch;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(queue.next(batch));
        ASSERT_EQ(batch.steps.size(), 1u);
        received.push_back(batch.steps[0].number);
        EXPECT_EQ(batch.text, "text " + std::to_string(i));
    }
    queue.stop(); // the producer is either waiting or about to
    producer.join();
    EXPECT_TRUE(stoppedSeen);
    EXPECT_EQ(queue.ending(), BatchQueue::Ending::Stopped);
    EXPECT_FALSE(queue.next(batch));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(received[i], i);
}

TEST(BatchQueueTest, EndingIsSeenOnlyAfterTheLastBatch)
{
    BatchQueue queue(4);
    ontylog::Batch batch;
    for (int i = 0; i < 3; ++i) {
        batch.steps.emplace_back().number = i;
        queue.ship(batch);
    }
    queue.finish(BatchQueue::Ending::XmlException, "message");
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(queue.next(batch));
        EXPECT_EQ(batch.steps.at(0).number, i);
    }
    EXPECT_FALSE(queue.next(batch));
    EXPECT_EQ(queue.ending(), BatchQueue::Ending::XmlException);
    EXPECT_EQ(queue.message(), "message");
}

} // namespace
