#include "ReviewPage.h"

#include "CheckCatalogue.h"
#include "PairChecks.h"

#include <fstream>
#include <stdexcept>

namespace quenta::script {

namespace {

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string Place(const std::string& path, const SourcePlace& place) {
    return path + ":" + std::to_string(place.line) + ":" + std::to_string(place.column);
}

std::string Plural(size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

constexpr char kStyle[] = R"(
:root { color-scheme: light dark; --ink: #1d1d1f; --paper: #f5f5f7; --card: #fff; --line: #d2d2d7;
        --error: #c62828; --warning: #b26a00; --note: #1565c0; }
@media (prefers-color-scheme: dark) {
  :root { --ink: #e8e8ed; --paper: #161617; --card: #232326; --line: #3a3a3d;
          --error: #ff6b6b; --warning: #ffb74d; --note: #64b5f6; } }
* { box-sizing: border-box; }
body { margin: 0; font: 14px/1.45 system-ui, sans-serif; color: var(--ink); background: var(--paper); }
header { position: sticky; top: 0; z-index: 1; padding: 12px 24px; background: var(--card);
         border-bottom: 1px solid var(--line); display: flex; flex-wrap: wrap; gap: 8px 24px; align-items: baseline; }
header h1 { font-size: 18px; margin: 0; }
.summary { margin: 0; }
.summary .error, .summary .warning, .summary .note { font-weight: 600; }
main { padding: 16px 24px; display: grid; gap: 12px; }
.message { display: grid; grid-template-columns: minmax(0, max-content) minmax(280px, 1fr); gap: 16px;
           padding: 12px; background: var(--card); border: 1px solid var(--line); border-radius: 8px; }
.message.has-error { border-left: 4px solid var(--error); }
.message.has-warning:not(.has-error) { border-left: 4px solid var(--warning); }
figure { margin: 0; }
figure img { display: block; max-width: 100%; height: auto; image-rendering: pixelated; background: #000; }
.failed { color: var(--error); font-weight: 600; max-width: 480px; }
h2 { font-size: 14px; margin: 0 0 6px; }
h2 a { color: inherit; }
.place { font-family: ui-monospace, monospace; font-weight: normal; opacity: .75; }
pre.source { margin: 0 0 8px; padding: 6px 8px; white-space: pre-wrap; overflow-wrap: anywhere;
             font: 13px/1.5 ui-monospace, monospace; background: var(--paper); border-radius: 4px; }
ul.findings { margin: 0; padding: 0; list-style: none; }
ul.findings li { margin: 2px 0; }
.level { display: inline-block; min-width: 5.5em; font-weight: 600; text-transform: uppercase; font-size: 11px; }
li.error .level, .summary .error { color: var(--error); }
li.warning .level, .summary .warning { color: var(--warning); }
li.note .level, .summary .note { color: var(--note); }
.check { opacity: .7; font-family: ui-monospace, monospace; }
body.only-findings .message:not(.has-findings) { display: none; }
body.only-comparison .message:not(.has-comparison) { display: none; }
.original { margin: 0 0 8px; }
.original h3 { font-size: 11px; margin: 0 0 2px; text-transform: uppercase; opacity: .7; }
.original pre { margin: 0 0 4px; padding: 6px 8px; white-space: pre-wrap; overflow-wrap: anywhere;
                font: 13px/1.5 ui-monospace, monospace; border: 1px dashed var(--line); border-radius: 4px; }
.original .about-source { margin: 0; font-size: 12px; opacity: .8; white-space: pre-wrap; }
.original + h3 { font-size: 11px; margin: 0 0 2px; text-transform: uppercase; opacity: .7; }
@media (max-width: 900px) { .message { grid-template-columns: 1fr; } }
)";

constexpr char kScript[] = R"(
for (const name of ['only-findings', 'only-comparison']) {
  const box = document.getElementById(name);
  if (!box) continue;
  const apply = () => document.body.classList.toggle(name, box.checked);
  box.addEventListener('change', apply);
  apply();
}
)";

}  // namespace

ReviewPage::ReviewPage(std::filesystem::path path, std::string scriptPath, WindowSettings window)
    : path_(std::move(path)),
      scriptPath_(std::move(scriptPath)),
      window_(window),
      messages_(path_.string() + ".messages") {}

void ReviewPage::Add(const PlannedPicture& picture, const PictureState& state, const std::vector<Finding>& findings,
                     const ReviewedOriginal* original) {
    ++count_;
    drawn_ += state.drawn ? 1 : 0;
    originals_ += original ? 1 : 0;
    bool error = false, warning = false, comparison = false;
    for (const Finding& f : findings) {
        ++byLevel_[static_cast<size_t>(f.level)];
        error |= f.level == Level::kError;
        warning |= f.level == Level::kWarning;
        comparison |= ComparesWithSource(f.check);
    }
    std::ostream& out = messages_.Out();
    const std::string id = "m" + std::to_string(picture.number);
    out << "<article class=\"message" << (findings.empty() ? "" : " has-findings") << (error ? " has-error" : "")
        << (warning ? " has-warning" : "") << (comparison ? " has-comparison" : "") << "\" id=\"" << id << "\" data-number=\"" << picture.number << "\">\n";
    if (state.drawn) {
        // The key in the query makes a browser fetch a redrawn picture.
        out << "<figure><img src=\"" << Escape(picture.name) << "?" << picture.key.substr(0, 12) << "\" alt=\"message "
            << picture.number << "\" loading=\"lazy\"></figure>\n";
    } else {
        out << "<p class=\"failed\">Not drawn: " << Escape(state.reason) << "</p>\n";
    }
    out << "<div class=\"about\">\n<h2><a href=\"#" << id << "\">Message " << picture.number
        << "</a> <span class=\"place\">" << Escape(Place(scriptPath_, picture.place)) << "</span></h2>\n";
    if (original) {
        out << "<div class=\"original\">\n<h3>Source</h3>\n<pre class=\"original-text\">" << Escape(original->text) << "</pre>\n";
        const auto about = [&](const char* kind, const std::string& text) {
            if (!text.empty()) out << "<p class=\"about-source " << kind << "\">" << kind << ": " << Escape(text) << "</p>\n";
        };
        about("id", original->id);
        about("context", original->context);
        about("comments", original->comments);
        out << "</div>\n<h3>Translation</h3>\n";
    }
    out << "<pre class=\"source\">" << Escape(picture.source) << "</pre>\n";
    if (!findings.empty()) {
        out << "<ul class=\"findings\">\n";
        const std::string prefix = "message " + std::to_string(picture.number) + ": ";
        for (const Finding& finding : findings) {
            std::string_view text = finding.text;
            if (text.substr(0, prefix.size()) == prefix) text.remove_prefix(prefix.size());
            out << "<li class=\"" << LevelName(finding.level) << "\" data-check=\"" << Escape(std::string(CheckName(finding.check)))
                << "\"><span class=\"level\">" << LevelName(finding.level) << "</span> <span class=\"place\">"
                << finding.place.line << ":" << finding.place.column << "</span> <span class=\"text\">"
                << Escape(text) << "</span> <span class=\"check\">[" << Escape(std::string(CheckName(finding.check))) << "]</span></li>\n";
        }
        out << "</ul>\n";
    }
    out << "</div>\n</article>\n";
}

void ReviewPage::Finish() {
    messages_.Flush();
    StagedFile page(path_);
    std::ostream& out = page.Out();
    const std::string title = scriptPath_ + ": " + Plural(count_, "message", "messages");
    out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        << "<title>" << Escape(title) << "</title>\n<style>" << kStyle << "</style>\n</head>\n<body>\n";
    out << "<header>\n<h1>" << Escape(scriptPath_) << "</h1>\n<p class=\"summary\">"
        << Plural(count_, "message", "messages") << ", " << Plural(drawn_, "picture", "pictures");
    if (drawn_ < count_) out << ", <span class=\"error\">" << count_ - drawn_ << " not drawn</span>";
    out << "; <span class=\"error\">" << Plural(byLevel_[2], "error", "errors") << "</span>, <span class=\"warning\">"
        << Plural(byLevel_[1], "warning", "warnings") << "</span>, <span class=\"note\">"
        << Plural(byLevel_[0], "note", "notes") << "</span>";
    if (window_.width || window_.height) {
        out << "; window " << (window_.width ? std::to_string(*window_.width) : "any") << "x"
            << (window_.height ? std::to_string(*window_.height) : "any");
    }
    out << "</p>\n<label><input type=\"checkbox\" id=\"only-findings\"> only messages with findings</label>\n";
    if (originals_ > 0) {
        out << "<label><input type=\"checkbox\" id=\"only-comparison\"> only messages whose comparison with the source "
               "found something</label>\n";
    }
    out << "</header>\n<main>\n";
    std::ifstream messages(messages_.Temporary(), std::ios::binary);
    if (count_ > 0) out << messages.rdbuf();  // copying nothing would mark the page failed
    out << "</main>\n<script>" << kScript << "</script>\n</body>\n</html>\n";
    page.Commit();
}

}  // namespace quenta::script
