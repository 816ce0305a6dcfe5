#include "ManPages.h"

#include <set>

namespace quenta::tool {

namespace {

// roff takes a leading '.' or '\'' as a request and '\' as an escape.
std::string Roff(const std::string& text) {
    std::string out;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\'')) out += "\\&";
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
        lineStart = c == '\n';
    }
    return out;
}

// "-o, --output FILE": the names as typed, then the value's kind.
std::string OptionHeading(const CLI::Option& option) {
    std::string heading;
    for (const std::string& name : option.get_snames()) heading += (heading.empty() ? "-" : ", -") + name;
    for (const std::string& name : option.get_lnames()) heading += (heading.empty() ? "--" : ", --") + name;
    if (heading.empty()) return option.get_name(true);  // a positional argument
    if (option.get_type_size_max() > 0) heading += " " + option.get_type_name();
    return heading;
}

bool Hidden(const CLI::Option& option) { return option.get_group().empty(); }

void AddOptions(std::string& page, const CLI::App& command, const std::set<std::string>& only,
                const std::string& onlyNote) {
    for (const CLI::Option* option : command.get_options()) {
        // An option group's own help flag is its command's.
        if (Hidden(*option) || (command.get_name().empty() && option == command.get_help_ptr())) continue;
        page += ".TP\n.B " + Roff(OptionHeading(*option)) + "\n" + Roff(option->get_description());
        if (only.count(option->get_name())) page += " (" + Roff(onlyNote) + ")";
        page += "\n";
    }
    // Option groups are nameless subcommands of their own.
    for (const CLI::App* group : command.get_subcommands({})) {
        if (!group->get_name().empty()) continue;
        page += ".SS " + Roff(group->get_group()) + "\n";
        if (!group->get_description().empty()) page += Roff(group->get_description()) + "\n";
        AddOptions(page, *group, only, onlyNote);
    }
}

std::vector<const CLI::App*> Commands(const CLI::App& app) {
    std::vector<const CLI::App*> commands;
    for (const CLI::App* command : app.get_subcommands({})) {
        if (!command->get_name().empty() && !command->get_group().empty()) commands.push_back(command);
    }
    return commands;
}

std::string Header(const std::string& name, const std::string& version, const std::string& summary) {
    return ".TH " + Roff([&] {
               std::string upper;
               for (char c : name) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
               return upper;
           }()) +
           " 1 \"\" \"Quenta " + version + "\" \"Quenta\"\n.SH NAME\n" + Roff(name) + " \\- " + Roff(summary) + "\n";
}

std::string Footer(const CLI::App& command, const std::string& seeAlso) {
    std::string page;
    if (!command.get_footer().empty()) page += ".SH NOTES\n" + Roff(command.get_footer()) + "\n";
    page += ".SH EXIT STATUS\n0 on success, 1 for findings or a failure, 2 for a bad command line or unreadable input.\n";
    page += ".SH SEE ALSO\n" + seeAlso + "\n";
    return page;
}

// The options of `command` that `other` lacks, by name.
std::set<std::string> Missing(const CLI::App& command, const CLI::App& other) {
    std::set<std::string> theirs, missing;
    const auto collect = [](const CLI::App& app, std::set<std::string>& names, auto& self) -> void {
        for (const CLI::Option* option : app.get_options()) names.insert(option->get_name());
        for (const CLI::App* group : app.get_subcommands({})) {
            if (group->get_name().empty()) self(*group, names, self);
        }
    };
    collect(other, theirs, collect);
    std::set<std::string> ours;
    collect(command, ours, collect);
    for (const std::string& name : ours) {
        if (!theirs.count(name)) missing.insert(name);
    }
    return missing;
}

}  // namespace

std::vector<ManPage> ManPages(const CLI::App& quenta, const CLI::App& quentaRender, const std::string& version) {
    std::vector<ManPage> pages;
    std::string seeAlso;
    for (const CLI::App* command : Commands(quenta)) {
        const std::string name = command->get_name() == "render" ? "quenta-render" : "quenta-" + command->get_name();
        seeAlso += (seeAlso.empty() ? ".BR " : ",\n.BR ") + Roff(name) + " (1)";
    }

    std::string page = Header("quenta", version, quenta.get_description());
    page += ".SH SYNOPSIS\n.B quenta\n.I command\n[\\fIoptions\\fR]\n.SH DESCRIPTION\n" + Roff(quenta.get_description()) +
            "\n.SH COMMANDS\n";
    for (const CLI::App* command : Commands(quenta)) {
        const std::string name = command->get_name() == "render" ? "quenta-render" : "quenta-" + command->get_name();
        page += ".TP\n.B " + Roff(command->get_name()) + "\n" + Roff(command->get_description()) + " See\n.BR " +
                Roff(name) + " (1).\n";
    }
    page += ".SH OPTIONS\n";
    AddOptions(page, quenta, {}, "");
    pages.push_back({"quenta", page + Footer(quenta, seeAlso)});

    for (const CLI::App* command : Commands(quenta)) {
        if (command->get_name() == "render") continue;  // quenta-render(1)
        const std::string name = "quenta-" + command->get_name();
        page = Header(name, version, command->get_description());
        page += ".SH SYNOPSIS\n.B quenta " + Roff(command->get_name()) + "\n[\\fIoptions\\fR]\n.SH DESCRIPTION\n" +
                Roff(command->get_description()) + "\n.SH OPTIONS\n";
        AddOptions(page, *command, {}, "");
        pages.push_back({name, page + Footer(*command, ".BR quenta (1)")});
    }

    // quenta-render and `quenta render` read the same drawing options; the
    // subcommand's own ones are marked.
    const CLI::App* render = nullptr;
    for (const CLI::App* command : Commands(quenta)) {
        if (command->get_name() == "render") render = command;
    }
    page = Header("quenta-render", version, quentaRender.get_description());
    page += ".SH SYNOPSIS\n.B quenta\\-render\n[\\fIoptions\\fR] [\\fIfile\\fR]\n.br\n.B quenta render\n"
            "[\\fIoptions\\fR] [\\fIfile\\fR]\n.SH DESCRIPTION\n" +
            Roff(quentaRender.get_description()) + "\n.SH OPTIONS\n";
    if (render) {
        AddOptions(page, *render, Missing(*render, quentaRender), "quenta render only");
        const std::set<std::string> toolOnly = Missing(quentaRender, *render);
        for (const CLI::Option* option : quentaRender.get_options()) {
            if (Hidden(*option) || !toolOnly.count(option->get_name())) continue;
            page += ".TP\n.B " + Roff(OptionHeading(*option)) + "\n" + Roff(option->get_description()) + "\n";
        }
    } else {
        AddOptions(page, quentaRender, {}, "");
    }
    pages.push_back({"quenta-render", page + Footer(quentaRender, ".BR quenta (1)")});
    return pages;
}

}  // namespace quenta::tool
