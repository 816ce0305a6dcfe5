#include "CheckCommand.h"

#include <iostream>
#include <map>
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
#include "SettingsOptions.h"
#include "ToolError.h"

namespace quenta::tool {

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
    command_->add_flag("--list-checks", listChecks_, "list the checks with their levels and stop");
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
        if (!options.archive.empty()) {
            auto& archive = archives[options.archive];
            if (!archive) archive = std::make_unique<script::OpenedArchive>(options.archive);
            settings.pictures = archive->Pictures();
        }
        settings.afterMessage = [&](int32_t number) { messages = number; };
        script::ScriptFile file = script::OpenScript(path, options.form, options.cp932, options.column, options.includeFuzzy);
        file.flagsColumn = options.flagsColumn;
        file.keyColumn = options.keyColumn;
        messages = 0;
        results.push_back(script::CheckScript(file, settings));
        // Nothing checked is no pass: most likely the wrong file, form or
        // column.
        if (messages == 0) {
            std::cerr << path << ": error: " << NoMessageText(options) << '\n';
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
