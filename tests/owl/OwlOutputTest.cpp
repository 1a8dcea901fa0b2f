// The output file: complete or not at all. Targets that cannot be written,
// a write that fails part-way, texts XML cannot carry, and output larger
// than one write block.

#include "tests/owl/OwlTestSupport.h"

#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace owltest;

namespace {

// A knowledge base with one definition of each sort and one concept
// holding a qualified property and a qualified association.
void buildSmall(QueltKb& kb)
{
    addBasics(kb);
    kb.addRoleDef(QueltRoleDef("Has_X", "RX", 4, "NS", "K", "K", "", ""));
    kb.addQualifierDef(QueltQualifierDef("Source", "Q1", 5, "NS", "CP", {}));
    kb.addAssociationDef(QueltAssociationDef("Maps_To", "A1", 6, "", true, "NS"));
    QueltConcept concept("Root", "cRoot", 0, "NS", "K", false);
    QueltProperty rxk("RXK", "C_R", "");
    rxk.addQualifier(QueltQualifier("Source", "S"));
    concept.addProperty(rxk);
    concept.addAssociation(QueltAssociation("Maps_To", "Root", { QueltQualifier("Source", "S") }));
    kb.addConcept(concept);
}

// Writes buildSmall's knowledge base to file; for a child process.
bool writeSmall(const std::string& file)
{
    QueltKb kb;
    buildSmall(kb);
    std::string name = file;
    std::vector<std::string> header = headerLines();
    std::string ns = kNamespace;
    return kb.writeMedvex2OWLFile(name, header, ns);
}

// Writes buildSmall's knowledge base to file, as an ordinary user; returns
// the exit status for the child process: 0 written, 1 refused, 3 when the
// privileges could not be given up.
int writeAsOrdinaryUser(const std::string& file)
{
    const uid_t nobody = 65534;
    if (geteuid() == 0
        && (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)) {
        std::perror("cannot become an ordinary user");
        return 3;
    }
    return writeSmall(file) ? 0 : 1;
}

} // namespace

class OwlOutput : public OwlWriterTest { };

// A target in a missing directory, or one that is a directory: nothing is
// created.
TEST_F(OwlOutput, TargetThatCannotBeOpened)
{
    ASSERT_EQ(mkdir(path("sub").c_str(), 0755), 0);
    for (const auto& c : { std::make_pair(path("no/such/dir/out.owl"), "No such file or directory"),
             std::make_pair(path("sub"), "Is a directory") }) {
        QueltKb kb;
        buildSmall(kb);
        EXPECT_FALSE(tryWrite(kb, c.first));
        EXPECT_EQ(
            messages, "ERROR: cannot write output file '" + c.first + "': " + c.second + "\n");
        EXPECT_EQ(listDirectory(dir), std::vector<std::string> { "sub" });
        EXPECT_TRUE(listDirectory(path("sub")).empty());
    }
}

// Permission tests run the writer in a child process. When the tests run
// as root, which may write anywhere, the child first becomes an ordinary
// user, so that permissions apply to it. A read-only target is left alone
// although its directory would let a new file replace it.
TEST_F(OwlOutput, NoWritePermission)
{
    ASSERT_EQ(chmod(dir.c_str(), 0777), 0);
    ASSERT_EQ(mkdir(path("locked").c_str(), 0555), 0);
    writeFile(path("out.owl"), "old");
    ASSERT_EQ(chmod(path("out.owl").c_str(), 0444), 0);
    for (const std::string& file : { path("locked/out.owl"), path("out.owl") }) {
        EXPECT_EXIT(std::exit(writeAsOrdinaryUser(file)), testing::ExitedWithCode(1),
            "ERROR: cannot write output file '" + file + "': Permission denied\n");
    }
    EXPECT_TRUE(listDirectory(path("locked")).empty());
    EXPECT_EQ(readFile(path("out.owl")), "old");
    EXPECT_EQ(listDirectory(dir), (std::vector<std::string> { "locked", "out.owl" }));
}

// The file system refuses more bytes part-way through (a full disk, or a
// file size limit with SIGXFSZ ignored): the call fails, the temporary is
// removed and the existing target keeps its content.
TEST_F(OwlOutput, WriteFailingPartWayLeavesTargetIntact)
{
    const std::string file = path("out.owl");
    writeFile(file, "old");
    EXPECT_EXIT(std::exit((limitFileSize(1000), writeSmall(file)) ? 0 : 1),
        testing::ExitedWithCode(1),
        "ERROR: cannot write output file '" + file + "': File too large\n");
    expectOldOutputKept();
}

// A text holding a C0 control character other than tab, LF and CR is
// refused wherever it is; the message names the concept or definition, and
// no file is left (an existing one keeps its content).
TEST_F(OwlOutput, TextsXmlCannotCarryAreRefused)
{
    struct Case {
        const char* what;
        std::function<void(QueltKb&)> build;
        std::string messages;
        std::vector<std::string> header = headerLines();
        std::string ns = kNamespace;
    };
    const std::string refused = "': text holds a character XML cannot carry\n";
    const std::string invalid = "ERROR:  invalid OWL name; internal char at 2, \"";
    // buildSmall's knowledge base and one more concept, a child of Root.
    auto concept = [](const std::string& name, std::function<void(QueltConcept&)> fill) {
        return [name, fill](QueltKb& kb) {
            buildSmall(kb);
            QueltConcept c(name, "cBad", 0, "NS", "K", false);
            c.addParent("Root");
            fill(c);
            kb.addConcept(c);
        };
    };
    const Case cases[] = {
        { "property value",
            concept("Bad value",
                [](QueltConcept& c) { c.addProperty(QueltProperty("RXK", "a\x01z", "")); }),
            "ERROR: cannot write concept 'Bad value" + refused },
        { "concept name as label", concept("Bad\x1Fname", [](QueltConcept&) {}),
            "ERROR: cannot write concept 'Bad\\x1Fname" + refused },
        { "NUL in the code of a defined concept",
            [](QueltKb& kb) {
                buildSmall(kb);
                QueltConcept nul("Nul", std::string("c\0d", 3), 0, "NS", "K", true);
                nul.addParent("Root");
                kb.addConcept(nul);
            },
            "ERROR: cannot write concept 'Nul" + refused },
        { "qualifier value",
            concept("Bad qualifier",
                [](QueltConcept& c) {
                    QueltProperty p("RXK", "C_B", "");
                    p.addQualifier(QueltQualifier("Source", "\x0B"));
                    c.addProperty(p);
                }),
            "ERROR: cannot write concept 'Bad qualifier" + refused },
        { "namespace in an association axiom", concept("Bad namespace", [](QueltConcept&) {}),
            "ERROR: cannot write concept 'Root" + refused, headerLines(), "urn:\x07#" },
        { "pick-list value",
            [](QueltKb& kb) {
                buildSmall(kb);
                QueltPropertyDef def("P_List", "PL", 9, "string", false, false, "NS");
                def.setPickList({ "ok", "\x02" });
                kb.addPropertyDef(def);
            },
            "ERROR: cannot write property definition 'P_List" + refused },
        { "role code",
            [](QueltKb& kb) {
                addBasics(kb);
                kb.addRoleDef(QueltRoleDef("Has_Y", "R\x03", 4, "NS", "K", "K", "", ""));
            },
            "Number of Kinds is not the same as the number of root Concepts.\n" + invalid
                + "R\x03\"\nERROR: cannot write role definition 'Has_Y" + refused },
        { "qualifier definition name",
            [](QueltKb& kb) {
                kb.addNamespace(QueltName("NS", 1, "N1"));
                kb.addQualifierDef(QueltQualifierDef("Q\x04", "Q9", 3, "NS", "CP", {}));
            },
            invalid + "Q\x04\"\nERROR: cannot write qualifier definition 'Q\\x04" + refused },
        { "association definition name",
            [](QueltKb& kb) {
                kb.addNamespace(QueltName("NS", 1, "N1"));
                kb.addAssociationDef(QueltAssociationDef("A\x05", "A9", 3, "", true, "NS"));
            },
            invalid + "A\x05\"\nERROR: cannot write association definition 'A\\x05" + refused },
        { "root identifier",
            [](QueltKb& kb) {
                addBasics(kb);
                kb.addConcept(makeConcept("Top", "R\x08"));
            },
            invalid + "R\x08\"\n" + invalid + "R\x08\"\nERROR: cannot write concept 'Top"
                + refused },
        { "header line", buildSmall,
            "ERROR: cannot write the document header: text holds a character XML cannot carry\n",
            { "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">",
                "<!-- \x06 -->" } },
    };
    const std::string file = path("out.owl");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clearAllErrorWords();
        writeFile(file, "old");
        QueltKb kb;
        c.build(kb);
        EXPECT_FALSE(tryWrite(kb, file, c.header, c.ns));
        EXPECT_EQ(messages, c.messages);
        expectOldOutputKept();
    }
}

TEST_F(OwlOutput, FileModes)
{
    QueltKb kb;
    buildSmall(kb);
    mode_t mask = umask(022);
    EXPECT_TRUE(tryWrite(kb, path("new.owl")));
    writeFile(path("kept.owl"), "old");
    ASSERT_EQ(chmod(path("kept.owl").c_str(), 0640), 0);
    EXPECT_TRUE(tryWrite(kb, path("kept.owl")));
    umask(mask);
    struct stat info;
    ASSERT_EQ(stat(path("new.owl").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    ASSERT_EQ(stat(path("kept.owl").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(readFile(path("kept.owl")), readFile(path("new.owl")));
}

// A link is followed: the file it names gets the output, the link stays.
// A device is written in place and never replaced.
TEST_F(OwlOutput, SymbolicLinkAndDevice)
{
    QueltKb kb;
    buildSmall(kb);
    EXPECT_TRUE(tryWrite(kb, path("real.owl")));
    const std::string expected = readFile(path("real.owl"));
    writeFile(path("real.owl"), "old");
    ASSERT_EQ(symlink("real.owl", path("link.owl").c_str()), 0);
    EXPECT_TRUE(tryWrite(kb, path("link.owl")));
    struct stat info;
    ASSERT_EQ(lstat(path("link.owl").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(readFile(path("real.owl")), expected);
    EXPECT_EQ(listDirectory(dir), (std::vector<std::string> { "link.owl", "real.owl" }));

    EXPECT_TRUE(tryWrite(kb, "/dev/null")) << messages;
    ASSERT_EQ(stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

// Output several write blocks long comes out whole: no byte lost or
// repeated where one block ends and the next begins.
TEST_F(OwlOutput, OutputLongerThanOneBlock)
{
    QueltKb kb;
    addBasics(kb);
    kb.addConcept(makeConcept("Root", "C0"));
    std::string expected = headerText()
        + "<owl:AnnotationProperty rdf:ID=\"RXK\">\n<code>P1</code>\n"
          "<rdfs:label>RXK</rdfs:label>\n"
          "<rdfs:range rdf:resource=\"http://www.w3.org/2001/XMLSchema#string\"/>\n"
          "<rdf:type rdf:resource=\"http://www.w3.org/2002/07/owl#DatatypeProperty\"/>\n"
          "</owl:AnnotationProperty>\n\n"
          "<owl:Class rdf:about=\"#C0\">\n</owl:Class>\n\n"
          "<owl:Class rdf:about=\"#C0\">\n<rdfs:label>Root</rdfs:label>\n"
          "<code>cRoot</code>\n<RXK>C0</RXK>\n</owl:Class>\n\n";
    const int count = 40000;
    for (int i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        QueltConcept concept = makeConcept(n, "C" + n);
        concept.addParent("Root");
        kb.addConcept(concept);
        expected += "<owl:Class rdf:about=\"#C" + n + "\">\n<rdfs:label>" + n
            + "</rdfs:label>\n<code>c" + n
            + "</code>\n<rdfs:subClassOf rdf:resource=\"#C0\"/>\n"
              "<RXK>C"
            + n + "</RXK>\n</owl:Class>\n\n";
    }
    expected += "</rdf:RDF>\n";
    ASSERT_GT(expected.size(), 3u << 20);
    std::string file = write(kb);
    EXPECT_EQ(file.size(), expected.size());
    EXPECT_TRUE(file == expected) << "the file differs from the expected text";
}
