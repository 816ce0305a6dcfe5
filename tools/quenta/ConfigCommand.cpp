#include "ConfigCommand.h"

#include <unistd.h>

#include "CheckedOutput.h"
#include "ProjectSettings.h"

namespace quenta::tool {

ConfigCommand::ConfigCommand(CLI::App& app) {
    command_ = app.add_subcommand("config", "Show every setting in force for a script and where it came from.");
    // The settings' own options, so that what the command line would give shows too.
    input_.AddTo(*command_, {.cp932 = true, .width = true});
    drawing_.AddTo(*command_);
    config_.AddTo(*command_);
    command_->add_option("script", script_, "the script whose settings to show; by default the working directory's");
    command_->footer("Each line is key = value and where it came from: default, file:line:column, or the command line.");
}

int ConfigCommand::Run() {
    script::SettingsResolver resolver(config_.Choice(*command_));
    const script::ProjectSettings settings = resolver.For(script_);
    render::CheckedOutput out(STDOUT_FILENO, "to standard output", false);
    out.Stream() << script::DescribeSettings(settings);
    out.Finish();
    return 0;
}

}  // namespace quenta::tool
