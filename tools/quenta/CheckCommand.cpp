#include "CheckCommand.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <tuple>
#include <stdexcept>

#include <unistd.h>

#include "CheckedOutput.h"
#include "OpenedArchive.h"
#include "Baseline.h"
#include "CheckCatalogue.h"
#include "FileReplacement.h"
#include "FindingReport.h"
#include "ScriptChecker.h"
#include "SettingsOptions.h"
#include "ToolError.h"

namespace quenta::tool {

namespace {

void WriteBaselineFile(const std::string& path, const script::Baseline& baseline) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        std::ofstream file(path, std::ios::binary);
        file << baseline.Json();
        file.close();
        if (!file) throw render::ToolError("cannot write '" + path + "': " + std::strerror(errno));
        return;
    }
    // An existing baseline is replaced whole, never left half-written.
    try {
        script::ReplaceFile(path, baseline.Json());
    } catch (const std::runtime_error& failure) {
        throw render::ToolError(failure.what());
    }
}

script::ReportFormat FormatNamed(const std::string& name) {
    return name == "json" ? script::ReportFormat::kJson
           : name == "sarif" ? script::ReportFormat::kSarif
                             : script::ReportFormat::kText;
}

}  // namespace

int CheckCommand::CompareAndReport(render::CheckedOutput& out, std::vector<script::FileFindings>& results,
                                   const std::string& version, bool empty) {
    const script::Baseline baseline = script::Baseline::Read(baseline_);
    const std::vector<script::BaselineEntry> fixed = script::CompareWithBaseline(results, baseline, baseline_);
    const script::ReportFormat format = FormatNamed(format_);
    bool errors = false;
    for (const script::FileFindings& file : results) {
        for (const script::Finding& f : file.findings) {
            errors = errors || (f.baseline == script::BaselineState::kNew && f.level == script::Level::kError && !f.accepted);
        }
    }
    // SARIF carries every finding with its state, the fixed ones too, for
    // code-scanning views; the other forms show only what is new.
    std::vector<script::FileFindings> shown = results;
    for (script::FileFindings& file : shown) {
        if (format == script::ReportFormat::kSarif) break;
        std::erase_if(file.findings, [](const script::Finding& f) { return f.baseline == script::BaselineState::kUnchanged; });
    }
    if (format == script::ReportFormat::kSarif) {
        for (const script::BaselineEntry& e : fixed) {
            const std::optional<script::Check> check = script::CheckNamed(e.check);
            if (!check) continue;
            script::FileFindings gone{e.file, {}};
            script::Finding f;
            f.check = *check;
            f.level = script::Level::kNote;
            f.place.line = 0;
            f.text = "fixed since the baseline";
            f.fingerprint = e.fingerprint;
            f.baseline = script::BaselineState::kAbsent;
            gone.findings.push_back(f);
            shown.push_back(std::move(gone));
        }
    }
    script::WriteReport(out.Stream(), format, shown, version);
    out.Finish();
    // Entries that match nothing are fixed findings: say so, that the
    // baseline is trimmed.
    for (const script::BaselineEntry& e : fixed) {
        std::string key = e.key;
        std::replace(key.begin(), key.end(), '\x04', '|');  // a PO context's separator, shown
        std::cerr << baseline_ << ": note: no longer found: " << e.file << " [" << e.check << "] in '" << key << "'"
                  << (updateBaseline_ ? ", removed" : "; --update-baseline removes it") << '\n';
    }
    if (updateBaseline_ && !fixed.empty()) {
        script::Baseline kept;
        std::map<std::tuple<std::string, std::string, std::string, std::string>, int32_t> gone;
        for (const script::BaselineEntry& e : fixed) gone[{e.file, e.key, e.check, e.fingerprint}] += e.count;
        for (script::BaselineEntry e : baseline.entries) {
            const auto it = gone.find({e.file, e.key, e.check, e.fingerprint});
            if (it != gone.end()) {
                const int32_t removed = std::min(it->second, e.count);
                e.count -= removed;
                it->second -= removed;
            }
            if (e.count > 0) kept.entries.push_back(e);
        }
        WriteBaselineFile(baseline_, kept);
    }
    return errors || empty ? 1 : 0;
}

CheckCommand::CheckCommand(CLI::App& app) {
    command_ = app.add_subcommand("check", "Check scripts for markup mistakes, characters Shift-JIS lacks and lines that overflow the window.");
    script_.AddTo(*command_, false);
    config_.AddTo(*command_);
    command_->add_option("--format", format_, "text (file:line:column: level: text [check]), json or sarif")
        ->check(CLI::IsMember({"text", "json", "sarif"}));
    command_->add_option("--only", only_, "run only these checks (names, comma-separated)")->delimiter(',');
    command_->add_option("--silence", silenced_, "do not run these checks (names, comma-separated)")->delimiter(',');
    command_->add_flag("-W,--warnings-as-errors", warningsAsErrors_, "count warnings as errors for the exit status");
    command_->add_flag("--show-accepted", showAccepted_, "list the findings that flags in the scripts accept, marked (accepted)");
    auto* write = command_->add_option("--write-baseline", writeBaseline_,
                                       "record today's findings in FILE (JSON) and exit 0: later runs with --baseline report only new ones");
    auto* compare = command_->add_option("--baseline", baseline_,
                                         "report only findings not in FILE; the exit status comes from new findings alone, and entries "
                                         "no longer found are listed");
    command_->add_flag("--update-baseline", updateBaseline_, "with --baseline: remove the entries no longer found from FILE")
        ->needs(compare);
    write->excludes(compare);
    command_->add_flag("--list-checks", listChecks_, "list the checks with their levels and stop");
    command_->add_flag("--count-breaks", countBreaks_, "count <R> when comparing a translation's tags with its source's");
    command_->add_flag("--check-source", checkSource_,
                       "check each source as well, as a translation is checked (its markup, characters and fit)");
    command_->footer("Exit status: 0 when no error was found, 1 when one was, 2 for a bad command line or an unreadable script.");
}

int CheckCommand::Run(const std::string& version) {
    render::CheckedOutput out(STDOUT_FILENO, "to standard output", false);
    if (listChecks_) {
        for (const script::CheckInfo& check : script::AllChecks()) {
            out.Stream() << check.name << " (" << script::LevelName(check.level) << "): " << check.summary << '\n';
        }
        out.Finish();
        return 0;
    }
    const auto named = [](const std::vector<std::string>& names) {
        std::set<script::Check> checks;
        for (const std::string& name : names) {
            const std::optional<script::Check> check = script::CheckNamed(name);
            if (!check) throw render::UsageError("no check is named '" + name + "'; see --list-checks");
            checks.insert(*check);
        }
        return checks;
    };
    const std::set<script::Check> only = named(only_);
    const std::set<script::Check> silenced = named(silenced_);
    script::SettingsResolver resolver(config_.Choice(*command_));
    // One archive per path, however many scripts share it.
    std::map<std::string, std::unique_ptr<script::OpenedArchive>> archives;

    std::vector<script::FileFindings> results;
    bool empty = false;
    int32_t messages = 0;
    for (const std::string& path : script_.files) {
        // Each script reads the settings in force for it.
        const script::ProjectSettings project = resolver.For(path);
        ScriptOptions options = script_;
        ApplySettings(project, options);
        ApplyArchive(project, options.archive);
        script::CheckSettings settings;
        settings.only = only;
        settings.silenced = silenced;
        for (const auto& [name, level] : project.levels) {
            const script::Check check = *script::CheckNamed(name);
            if (level.value == "off") settings.silenced.insert(check);
            else settings.levels[check] = level.value == "note" ? script::Level::kNote
                                          : level.value == "warning" ? script::Level::kWarning
                                                                     : script::Level::kError;
        }
        settings.window = options.Window();
        settings.resetBetweenMessages = options.reset;
        settings.warningsAsErrors = warningsAsErrors_;
        settings.keepAccepted = showAccepted_;
        settings.pairs.countBreaks = countBreaks_;
        settings.pairs.checkSource = checkSource_;
        if (!options.archive.empty()) {
            auto& archive = archives[options.archive];
            if (!archive) archive = std::make_unique<script::OpenedArchive>(options.archive);
            settings.pictures = archive->Pictures();
        }
        settings.afterMessage = [&](int32_t number) { messages = number; };
        const script::ScriptFile file = options.Open(path);
        messages = 0;
        results.push_back(script::CheckScript(file, settings));
        // Nothing checked is no pass: most likely the wrong file, form or
        // column.
        if (messages == 0) {
            std::cerr << path << ": error: " << NoMessageText(options) << '\n';
            empty = true;
        }
    }
    if (!writeBaseline_.empty()) {
        const script::Baseline baseline = script::Baseline::Of(results, writeBaseline_);
        WriteBaselineFile(writeBaseline_, baseline);
        std::cerr << writeBaseline_ << ": " << baseline.entries.size() << " baseline entries written\n";
        return empty ? 1 : 0;
    }
    if (!baseline_.empty()) return CompareAndReport(out, results, version, empty);
    const script::ReportFormat format = format_ == "json" ? script::ReportFormat::kJson
                                        : format_ == "sarif" ? script::ReportFormat::kSarif
                                                             : script::ReportFormat::kText;
    script::WriteReport(out.Stream(), format, results, version);
    out.Finish();
    return script::HasErrors(results) || empty ? 1 : 0;
}

}  // namespace quenta::tool
