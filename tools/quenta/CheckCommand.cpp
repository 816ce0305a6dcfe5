#include "CheckCommand.h"

#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>

#include <unistd.h>

#include "CheckedOutput.h"
#include "OpenedArchive.h"
#include "CheckCatalogue.h"
#include "FindingReport.h"
#include "ScriptChecker.h"
#include "ToolError.h"

namespace quenta::tool {

CheckCommand::CheckCommand(CLI::App& app) {
    command_ = app.add_subcommand("check", "Check scripts for markup mistakes, characters Shift-JIS lacks and lines that overflow the window.");
    script_.AddTo(*command_, false);
    command_->add_option("--format", format_, "text (file:line:column: level: text [check]), json or sarif")
        ->check(CLI::IsMember({"text", "json", "sarif"}));
    command_->add_option("--only", only_, "run only these checks (names, comma-separated)")->delimiter(',');
    command_->add_option("--silence", silenced_, "do not run these checks (names, comma-separated)")->delimiter(',');
    command_->add_flag("-W,--warnings-as-errors", warningsAsErrors_, "count warnings as errors for the exit status");
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
    script::CheckSettings settings;
    const auto named = [](const std::vector<std::string>& names) {
        std::set<script::Check> checks;
        for (const std::string& name : names) {
            const std::optional<script::Check> check = script::CheckNamed(name);
            if (!check) throw render::UsageError("no check is named '" + name + "'; see --list-checks");
            checks.insert(*check);
        }
        return checks;
    };
    settings.only = named(only_);
    settings.silenced = named(silenced_);
    settings.window = script_.Window();
    settings.resetBetweenMessages = script_.reset;
    settings.warningsAsErrors = warningsAsErrors_;
    settings.pairs.countBreaks = countBreaks_;
    settings.pairs.checkSource = checkSource_;
    std::unique_ptr<script::OpenedArchive> archive;
    if (!script_.archive.empty()) archive = std::make_unique<script::OpenedArchive>(script_.archive);
    settings.pictures = archive ? archive->Pictures() : nullptr;

    std::vector<script::FileFindings> results;
    bool empty = false;
    int32_t messages = 0;
    settings.afterMessage = [&](int32_t number) { messages = number; };
    for (const std::string& path : script_.files) {
        const script::ScriptFile file = script_.Open(path);
        messages = 0;
        results.push_back(script::CheckScript(file, settings));
        // Nothing checked is no pass: most likely the wrong file, form or
        // column.
        if (messages == 0) {
            std::cerr << path << ": error: " << NoMessageText(script_) << '\n';
            empty = true;
        }
    }
    const script::ReportFormat format = format_ == "json" ? script::ReportFormat::kJson
                                        : format_ == "sarif" ? script::ReportFormat::kSarif
                                                             : script::ReportFormat::kText;
    script::WriteReport(out.Stream(), format, results, version);
    out.Finish();
    return script::HasErrors(results) || empty ? 1 : 0;
}

}  // namespace quenta::tool
