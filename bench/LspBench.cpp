// quenta lsp on a script of 10,000 messages: one keystroke in message 5,000,
// from didChange to the published diagnostics (each keystroke timed; the
// 95th percentile and the messages laid out again are reported), and opening
// the script, beside `quenta check`'s own pass over the same bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "LanguageServer.h"
#include "ScriptChecker.h"

namespace quenta::bench {
namespace {

using nlohmann::json;
constexpr int kMessages = 10000;
constexpr int kEdited = 5000;
const std::string kUri = "file:///bench/script.txt";

// Dialogue of the widths a script has, with tags, a style carried over a
// few messages now and then, and some Japanese; one message in a hundred
// holds a mistake, as a script in work might.
std::string Script() {
    const char* speakers[] = {"Aya", "Ren", "Mio", "Taku"};
    const char* lines[] = {
        "Good morning! <C255,200,0>Did you sleep well?</C>",
        "Not really. <S28>The storm</S> kept me up.",
        "Look at this <R>— the letter came.",
        "<B>Then we leave tonight.</B>",
        "We should pack light and go before dawn.",
        "\xE3\x81\x8A\xE3\x81\xAF\xE3\x82\x88\xE3\x81\x86\xE3\x80\x82<E>\xE4\xBB\x8A\xE6\x97\xA5\xE3\x82\x82</E>\xE6\x99\xB4\xE3\x82\x8C",
        "A <S 32>blank in a tag, and a line that runs on past where the window ends, far past it.",
    };
    const char* kFine = "<C200,200,255>And then?</C> We wait and see.";
    std::string text;
    for (int i = 0; i < kMessages; ++i) {
        const char* words = i % 100 == 99 ? lines[6] : i % 7 == 6 ? kFine : lines[i % 7];
        text += std::string(speakers[i % 4]) + ": " + words + "\n";
        if (i % 3 == 0) text += "and a second line.\n";
        text += "\n";
    }
    return text;
}

json Message(const char* method, json params) {
    return {{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

struct Session {
    int published = 0;
    lsp::LanguageServer server{[this](const std::string& body) {
                                   if (body.find("publishDiagnostics") != std::string::npos) ++published;
                                   return true;
                               },
                               "bench"};
    Session() {
        server.Handle(json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"},
                           {"params", {{"capabilities", json::object()},
                                       {"initializationOptions", {{"window", "480x96"}, {"maxLines", 2}}}}}}
                          .dump());
    }
    void Open(const std::string& text) {
        server.Handle(Message("textDocument/didOpen",
                              {{"textDocument", {{"uri", kUri}, {"languageId", "quenta"}, {"version", 1}, {"text", text}}}})
                          .dump());
    }
};

double Percentile(std::vector<double> samples, double p) {
    std::sort(samples.begin(), samples.end());
    return samples[std::min(samples.size() - 1, static_cast<size_t>(p * static_cast<double>(samples.size())))];
}

void Keystroke(benchmark::State& state) {
    const std::string text = Script();
    Session session;
    session.Open(text);
    // The line of message 5,000, and a place inside its words.
    int line = 0;
    for (int message = 1, i = 0; message < kEdited; ++i) {
        if (text[static_cast<size_t>(i)] == '\n' && text[static_cast<size_t>(i) + 1] == '\n') ++message;
        if (text[static_cast<size_t>(i)] == '\n') ++line;
    }
    line += 1;
    std::vector<double> samples;
    int version = 1;
    int laid = 0;
    for (auto _ : state) {
        // Typing a letter, then taking it back: the document stays the same size.
        const bool typing = version % 2 == 1;
        json change = {{"range", {{"start", {{"line", line}, {"character", 8}}}, {"end", {{"line", line}, {"character", typing ? 8 : 9}}}}},
                       {"text", typing ? "x" : ""}};
        const std::string body = Message("textDocument/didChange", {{"textDocument", {{"uri", kUri}, {"version", ++version}}},
                                                                    {"contentChanges", json::array({change})}})
                                     .dump();
        const int before = session.published;
        const auto start = std::chrono::steady_clock::now();
        session.server.Handle(body);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (session.published != before + 1) state.SkipWithError("no diagnostics published");
        state.SetIterationTime(took.count());
        samples.push_back(took.count() * 1000.0);
        laid = std::max(laid, session.server.Find(kUri)->checked.Laid());
    }
    state.counters["p95_ms"] = Percentile(samples, 0.95);
    state.counters["p50_ms"] = Percentile(samples, 0.50);
    state.counters["laid"] = laid;
}
BENCHMARK(Keystroke)->Name("lsp/keystroke/10k")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(400);

void Open(benchmark::State& state) {
    const std::string text = Script();
    for (auto _ : state) {
        Session session;
        session.Open(text);
        benchmark::DoNotOptimize(session.published);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(Open)->Name("lsp/open/10k")->Unit(benchmark::kMillisecond);

// What `quenta check` does with the same script, for the opening's measure.
void Check(benchmark::State& state) {
    script::ScriptFile file;
    file.path = "script.txt";
    file.bytes = Script();
    script::CheckSettings settings;
    settings.window.width = 480;
    settings.window.height = 96;
    settings.window.maxLines = 2;
    for (auto _ : state) benchmark::DoNotOptimize(script::CheckScript(file, settings).findings.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.bytes.size()));
}
BENCHMARK(Check)->Name("lsp/check/10k")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quenta::bench

BENCHMARK_MAIN();
