// Micro-benchmarks of the text routines that run once or more per concept
// while a terminology is read and written: Porter stemming, tokenizing and
// the sorted stem key of a term, and the XML escaping of the writers.
//
//   bench_text [--benchmark_filter=REGEX] [--benchmark_min_time=SECONDS]

#include "text/porterExtern.h"
#include "text/tString.h"
#include "xmlout/XmlText.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Lower-case words as the stem key sees them: inflected medical vocabulary
// and words that walk the longer suffix rules.
const char* const kWords[] = {
    "carcinomas",
    "adenocarcinoma",
    "inflammation",
    "inflammatory",
    "metastatic",
    "metastasizing",
    "hepatic",
    "renal",
    "pulmonary",
    "neoplasms",
    "malignant",
    "malignancies",
    "proliferation",
    "proliferative",
    "differentiated",
    "differentiation",
    "infections",
    "infectious",
    "lesions",
    "ulcerated",
    "stenosing",
    "hemorrhagic",
    "hyperplastic",
    "dysplasia",
    "fibrosis",
    "agreed",
    "conditional",
    "rational",
    "generalizations",
    "oscillators",
    "hopefulness",
    "relational",
    "sensitivities",
    "triplicate",
    "formalize",
    "electrical",
    "adjustable",
    "dependent",
    "controlling",
    "rolling",
    "syndromes",
    "disorders",
    "findings",
    "procedures",
    "excised",
    "anatomic",
    "structures",
    "substances",
    "receptors",
    "inhibitors",
};

// Terms as the knowledge base indexes them: names and synonyms, lower-cased.
const char* const kTerms[] = {
    "acute hepatic carcinoma",
    "adenocarcinoma of the lung",
    "malignant neoplasm of the breast, stage iii",
    "chronic renal insufficiency",
    "disease, disorder or finding",
    "anatomic structure, system, or substance",
    "drug, food, chemical & biomedical material",
    "recurrent pulmonary infection (bacterial)",
    "tumor suppressor gene p53 mutation",
    "ductal carcinoma in situ of the left breast",
    "squamous cell carcinoma of the head and neck",
    "stage iv colorectal adenocarcinoma/metastatic",
    "atypical superficial mucosal lesions",
    "procedure has excised anatomy",
    "b-cell non-hodgkin lymphoma, refractory",
    "hepatic portal vein thrombosis",
    "monoclonal antibody directed against the receptor",
    "congenital malformations of the cardiac septum",
    "right proximal femoral fracture",
    "sjögren syndrome",
};

// Texts handed to the writers: a plain name, a definition, a text with
// markup characters (written as CDATA), and one with quotes for attributes.
const char* const kPlain = "Acute Hepatic Carcinoma";
const char* const kDefinition
    = "A malignant epithelial neoplasm arising from the hepatocytes. It is characterized by "
      "invasion of the surrounding tissue, vascular involvement and metastasis to regional "
      "lymph nodes. Serum levels of alpha-fetoprotein are often elevated; the prognosis "
      "depends on the stage at diagnosis and on the function of the remaining liver.";
const char* const kMarkup = "Levels < 0.5 mg/dL in serum & plasma, see [ref]]> below";
const char* const kQuoted = "He said \"see Fig. 2\" & <b>bold</b>\tthen\nmore";

void BM_Stem(benchmark::State& state)
{
    std::vector<std::string> words(std::begin(kWords), std::end(kWords));
    char buffer[64];
    int64_t bytes = 0;
    for (auto _ : state) {
        for (const std::string& word : words) {
            std::memcpy(buffer, word.data(), word.size());
            int end = stem(buffer, 0, static_cast<int>(word.size()) - 1);
            benchmark::DoNotOptimize(end);
            benchmark::ClobberMemory();
            bytes += static_cast<int64_t>(word.size());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_Stem);

void BM_StemW(benchmark::State& state)
{
    std::vector<std::string> words(std::begin(kWords), std::end(kWords));
    for (auto _ : state) {
        for (const std::string& word : words) {
            std::string stemmed = tString::stemW(word);
            benchmark::DoNotOptimize(stemmed);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
}
BENCHMARK(BM_StemW);

// A fresh tString per term, as the knowledge base builds one per name and
// per indexed property value.
void BM_Tokenize(benchmark::State& state)
{
    std::vector<std::string> terms(std::begin(kTerms), std::end(kTerms));
    for (auto _ : state) {
        for (const std::string& term : terms) {
            tString text(term);
            text.tokenize();
            benchmark::DoNotOptimize(text.getNumberOfTokens());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(terms.size()));
}
BENCHMARK(BM_Tokenize);

void BM_AlphaStemSequence(benchmark::State& state)
{
    std::vector<std::string> terms(std::begin(kTerms), std::end(kTerms));
    for (auto _ : state) {
        for (const std::string& term : terms) {
            tString text(term);
            std::string key = text.getAlphaStemSequence();
            benchmark::DoNotOptimize(key);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(terms.size()));
}
BENCHMARK(BM_AlphaStemSequence);

// The whole per-term path: lower-case, then the stem key.
void BM_LowerAndStemKey(benchmark::State& state)
{
    std::vector<std::string> terms(std::begin(kTerms), std::end(kTerms));
    for (auto& term : terms)
        term[0] = static_cast<char>(term[0] - 'a' + 'A');
    for (auto _ : state) {
        for (const std::string& term : terms) {
            tString text(tString::toLower(term));
            std::string key = text.getAlphaStemSequence();
            benchmark::DoNotOptimize(key);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(terms.size()));
}
BENCHMARK(BM_LowerAndStemKey);

const char* const kContentTexts[] = { kPlain, kDefinition, kMarkup };

void BM_XmlContent(benchmark::State& state)
{
    const std::string text = kContentTexts[state.range(0)];
    for (auto _ : state) {
        std::string escaped = xmltext::content(text);
        benchmark::DoNotOptimize(escaped);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
// 0: plain name, 1: long definition, 2: text that needs a CDATA section.
BENCHMARK(BM_XmlContent)->DenseRange(0, 2);

// The writers append into one reused line buffer.
void BM_XmlAppendContent(benchmark::State& state)
{
    const std::string text = kContentTexts[state.range(0)];
    std::string out;
    for (auto _ : state) {
        out.clear();
        xmltext::appendContent(out, text);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_XmlAppendContent)->DenseRange(0, 2);

const char* const kAttributeTexts[] = { kPlain, kDefinition, kQuoted };

void BM_XmlAttribute(benchmark::State& state)
{
    const std::string text = kAttributeTexts[state.range(0)];
    for (auto _ : state) {
        std::string escaped = xmltext::attribute(text);
        benchmark::DoNotOptimize(escaped);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
// 0: plain name, 1: long definition, 2: quotes, markup and white space.
BENCHMARK(BM_XmlAttribute)->DenseRange(0, 2);

} // namespace

BENCHMARK_MAIN();
