// quenta check and quenta wrap on a long script: 100,000 messages made from
// a chapter of a Japanese manual (manpages-ja), and its English-like twin of
// the same widths, measured side by side in one run. Each case reports its
// speed in bytes of script per second. The Memory cases read 10,000 and
// 100,000 messages and report the most heap held above the start at any
// message, beside what the results themselves hold: a memory that grows
// with the number of messages would show as a peak ten times larger. The
// Pairs cases check a CSV of the same messages, the Japanese as the source
// and the English-like twin as its translation, and count the bytes of
// translation text.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "Baseline.h"
#include "CheckCatalogue.h"
#include "Encoding.h"
#include "HeapInUse.h"
#include "ProjectSettings.h"
#include "ScriptChecker.h"
#include "ScriptWrapper.h"

namespace quenta::bench {
namespace {

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (text.empty()) throw std::runtime_error(std::string("cannot read ") + path);
    return text;
}

// The chapter's lines in UTF-8, markup kept ("<<" stays a literal "<").
std::vector<std::string> ChapterLines(const std::string& cp932) {
    const std::string utf8 = Cp932ToUtf8(cp932);
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t end; (end = utf8.find("<R>", at)) != std::string::npos; at = end + 3) {
        if (end > at) lines.push_back(utf8.substr(at, end - at));
    }
    return lines;
}

// Each non-ASCII character becomes two letters, a two-byte cell's width in
// one-byte cells, and every third one ends a word: English-like text that
// wraps at blanks.
std::string EnglishTwin(const std::string& line) {
    std::string out;
    int wide = 0;
    for (size_t i = 0; i < line.size();) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c < 0x80) {
            out += line[i++];
            continue;
        }
        size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        const unsigned code = static_cast<unsigned char>(line[i + length - 1]);
        out += static_cast<char>('a' + code % 26);
        out += static_cast<char>('a' + (code / 26) % 26);
        if (++wide % 3 == 0) out += ' ';
        i += length;
    }
    return out;
}

// A plain script of `count` messages, each one to three lines of the text.
std::string MakeScript(const std::vector<std::string>& lines, int count, bool english) {
    std::string script;
    size_t next = 0;
    for (int m = 0; m < count; ++m) {
        const int lineCount = 1 + m % 3;
        for (int l = 0; l < lineCount; ++l) {
            const std::string& line = lines[next++ % lines.size()];
            script += english ? EnglishTwin(line) : line;
            script += '\n';
        }
        script += '\n';
    }
    return script;
}

// A CSV of `count` pairs: id, the Japanese source, the English-like
// translation, each message's lines joined by <R>. `translated` counts the
// translations' bytes.
std::string MakePairs(const std::vector<std::string>& lines, int count, int64_t& translated) {
    const auto quoted = [](const std::string& text) {
        std::string out = "\"";
        for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
        return out + "\"";
    };
    std::string csv = "id,source,text\n";
    size_t next = 0;
    translated = 0;
    for (int m = 0; m < count; ++m) {
        std::string source, translation;
        for (int l = 0; l < 1 + m % 3; ++l) {
            const std::string& line = lines[next++ % lines.size()];
            if (l > 0) {
                source += "<R>";
                translation += "<R>";
            }
            source += line;
            translation += EnglishTwin(line);
        }
        translated += static_cast<int64_t>(translation.size());
        csv += std::to_string(m + 1) + "," + quoted(source) + "," + quoted(translation) + "\n";
    }
    return csv;
}

struct Pairs {
    std::string csv;
    int64_t translated = 0;  // bytes of translation text
};

struct Scripts {
    std::string japanese, english, japaneseTenth, englishTenth;
    Pairs pairs, pairsTenth;
};

const Scripts& TheScripts() {
    static const Scripts scripts = [] {
        const std::vector<std::string> lines = ChapterLines(ReadFile(QUENTA_CHAPTER_FILE));
        if (lines.empty()) throw std::runtime_error("the chapter has no lines");
        Scripts made{MakeScript(lines, 100000, false), MakeScript(lines, 100000, true),
                     MakeScript(lines, 10000, false), MakeScript(lines, 10000, true), {}, {}};
        made.pairs.csv = MakePairs(lines, 100000, made.pairs.translated);
        made.pairsTenth.csv = MakePairs(lines, 10000, made.pairsTenth.translated);
        return made;
    }();
    return scripts;
}

script::CheckSettings Settings() {
    script::CheckSettings settings;
    settings.window.width = 600;
    settings.window.height = 120;
    return settings;
}

script::ScriptFile File(const std::string& bytes) {
    script::ScriptFile file;
    file.path = "script.txt";
    file.bytes = bytes;
    return file;
}

void Check(benchmark::State& state, const std::string* bytes) {
    const script::ScriptFile file = File(*bytes);
    int64_t findings = 0;
    for (auto _ : state) {
        const script::FileFindings found = script::CheckScript(file, Settings());
        findings = static_cast<int64_t>(found.findings.size());
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes->size()));
    state.counters["MB"] = static_cast<double>(bytes->size()) / 1e6;
    state.counters["findings"] = static_cast<double>(findings);
}

void Wrap(benchmark::State& state, const std::string* bytes) {
    const script::ScriptFile file = File(*bytes);
    int64_t breaks = 0;
    for (auto _ : state) {
        const script::WrapResult result = script::WrapScript(file, Settings());
        breaks = result.breaksAdded;
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes->size()));
    state.counters["MB"] = static_cast<double>(bytes->size()) / 1e6;
    state.counters["breaks"] = static_cast<double>(breaks);
}

script::ScriptFile PairFile(const Pairs& pairs) {
    script::ScriptFile file;
    file.path = "pairs.csv";
    file.form = script::ScriptForm::kCsv;
    file.bytes = pairs.csv;
    file.column = "text";
    file.sourceColumn = "source";
    return file;
}

// Every check on each translation, and the comparison with its source.
void CheckPairs(benchmark::State& state, const Pairs* pairs) {
    const script::ScriptFile file = PairFile(*pairs);
    int64_t findings = 0;
    for (auto _ : state) {
        const script::FileFindings found = script::CheckScript(file, Settings());
        findings = static_cast<int64_t>(found.findings.size());
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * pairs->translated);
    state.counters["translation_MB"] = static_cast<double>(pairs->translated) / 1e6;
    state.counters["file_MB"] = static_cast<double>(pairs->csv.size()) / 1e6;
    state.counters["findings"] = static_cast<double>(findings);
}

// The heap held while checking pairs, the findings silenced as below.
void PairMemory(benchmark::State& state, const Pairs* pairs) {
    const script::ScriptFile file = PairFile(*pairs);
    int64_t peak = 0;
    for (auto _ : state) {
        script::CheckSettings settings = Settings();
        for (const script::CheckInfo& check : script::AllChecks()) settings.silenced.insert(check.check);
        const int64_t base = HeapInUse();
        settings.afterMessage = [&](int32_t) { peak = std::max(peak, HeapInUse() - base); };
        benchmark::DoNotOptimize(script::CheckScript(file, settings));
    }
    state.counters["check_peak_KiB"] = static_cast<double>(peak) / 1024.0;
}

// quenta check as a project runs it: the settings read from a quenta.toml
// and the findings compared with a 10,000-entry baseline read from disk,
// everything a run does beyond Check above. Beside Check/.../100k it should
// cost at most a tenth more.
void CheckWithBaseline(benchmark::State& state, const std::string* bytes) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quenta-bench-baseline";
    std::filesystem::create_directories(folder);
    const std::string scriptPath = (folder / "script.txt").string();
    std::ofstream(folder / "quenta.toml") << "window = \"600x120\"\n[checks]\nunclosed-style = \"note\"\n"
                                             "[[files]]\nglob = \"*.po\"\nmax-lines = 3\n";
    script::ScriptFile file = File(*bytes);
    file.path = scriptPath;
    // The baseline: 10,000 of today's findings, then as many made-up
    // entries as it takes when there are fewer.
    const std::string baselinePath = (folder / "baseline.json").string();
    {
        std::vector<script::FileFindings> found = {script::CheckScript(file, Settings())};
        script::Baseline baseline = script::Baseline::Of(found, baselinePath);
        baseline.entries.resize(std::min<size_t>(baseline.entries.size(), 10000));
        for (size_t i = baseline.entries.size(); i < 10000; ++i) {
            baseline.entries.push_back({"script.txt", "text:" + std::to_string(i), "unknown-tag", std::to_string(i), 1});
        }
        std::sort(baseline.entries.begin(), baseline.entries.end());
        std::ofstream(baselinePath) << baseline.Json();
    }
    int64_t fresh = 0;
    for (auto _ : state) {
        script::SettingsResolver resolver({});
        const script::ProjectSettings project = resolver.For(scriptPath);
        script::CheckSettings settings;
        settings.window.width = 600;
        settings.window.height = 120;
        if (project.levels.count("unclosed-style")) settings.levels[script::Check::kUnclosedStyle] = script::Level::kNote;
        std::vector<script::FileFindings> found = {script::CheckScript(file, settings)};
        const script::Baseline baseline = script::Baseline::Read(baselinePath);
        const std::vector<script::BaselineEntry> gone = script::CompareWithBaseline(found, baseline, baselinePath);
        fresh = std::count_if(found[0].findings.begin(), found[0].findings.end(),
                              [](const script::Finding& f) { return f.baseline == script::BaselineState::kNew; });
        benchmark::DoNotOptimize(gone);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes->size()));
    state.counters["new_findings"] = static_cast<double>(fresh);
}

// The heap held while checking and wrapping, measured after every message.
// What grows with the script is output: the checker's findings are silenced
// here (every check still runs), the wrapper keeps 8 bytes for each break
// it adds and is given no height, so that it reports nothing.
void Memory(benchmark::State& state, const std::string* bytes) {
    const script::ScriptFile file = File(*bytes);
    int64_t checkPeak = 0, wrapPeak = 0, breakBytes = 0, findings = 0;
    for (auto _ : state) {
        script::CheckSettings settings = Settings();
        for (const script::CheckInfo& check : script::AllChecks()) settings.silenced.insert(check.check);
        int64_t base = HeapInUse();
        settings.afterMessage = [&](int32_t) { checkPeak = std::max(checkPeak, HeapInUse() - base); };
        findings = static_cast<int64_t>(script::CheckScript(file, settings).findings.size());

        settings.window.height.reset();
        base = HeapInUse();
        settings.afterMessage = [&](int32_t) { wrapPeak = std::max(wrapPeak, HeapInUse() - base); };
        const script::WrapResult wrapped = script::WrapScript(file, settings);
        breakBytes = static_cast<int64_t>(wrapped.edits.capacity() * sizeof(wrapped.edits[0]));
        findings += static_cast<int64_t>(wrapped.unfitting.findings.size());
    }
    state.counters["check_peak_KiB"] = static_cast<double>(checkPeak) / 1024.0;
    state.counters["wrap_peak_KiB"] = static_cast<double>(wrapPeak) / 1024.0;
    state.counters["wrap_breaks_KiB"] = static_cast<double>(breakBytes) / 1024.0;
    state.counters["findings"] = static_cast<double>(findings);
}

}  // namespace
}  // namespace quenta::bench

int main(int argc, char** argv) {
    using namespace quenta::bench;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    try {
        const Scripts& s = TheScripts();
        const struct {
            const char* name;
            const std::string* script;
        } scripts[] = {{"Japanese/100k", &s.japanese}, {"English/100k", &s.english},
                       {"Japanese/10k", &s.japaneseTenth}, {"English/10k", &s.englishTenth}};
        for (const auto& script : scripts) {
            benchmark::RegisterBenchmark((std::string("Check/") + script.name).c_str(), Check, script.script)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark((std::string("Wrap/") + script.name).c_str(), Wrap, script.script)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark((std::string("CheckWithBaseline/") + script.name).c_str(), CheckWithBaseline,
                                         script.script)
                ->Unit(benchmark::kMillisecond);
        }
        for (const auto& script : scripts) {
            benchmark::RegisterBenchmark((std::string("Memory/") + script.name).c_str(), Memory, script.script)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1);
        }
        for (const auto& [name, pairs] : {std::pair{"Pairs/100k", &s.pairs}, std::pair{"Pairs/10k", &s.pairsTenth}}) {
            benchmark::RegisterBenchmark((std::string("Check") + name).c_str(), CheckPairs, pairs)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark((std::string("Memory") + name).c_str(), PairMemory, pairs)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1);
        }
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quenta_script_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
