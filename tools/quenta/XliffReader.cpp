// XLIFF 1.1 and 1.2 (<trans-unit>) and 2.x (<unit> of <segment>s), read by
// libxml2, which judges the file well formed and gives each unit's id,
// state, notes and text. libxml2 tells no byte offsets, so XliffMarkup walks
// the same bytes in the same order to place each <source> and <target>, and
// its text is used when it agrees with libxml2's. A unit without a target,
// or with an empty one, is no message; nor is one marked translate="no".
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "MessageOriginal.h"
#include "ScriptReader.h"
#include "ScriptError.h"
#include "XliffMarkup.h"

namespace quenta::script {

namespace {

struct XmlFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
    void operator()(xmlChar* text) const { xmlFree(text); }
};

std::string Name(const xmlNode* node) { return reinterpret_cast<const char*>(node->name); }

std::string Attribute(const xmlNode* node, const char* name) {
    std::unique_ptr<xmlChar, XmlFree> value(xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)));
    return value ? reinterpret_cast<const char*>(value.get()) : "";
}

std::string Content(const xmlNode* node) {
    std::unique_ptr<xmlChar, XmlFree> value(xmlNodeGetContent(node));
    return value ? reinterpret_cast<const char*>(value.get()) : "";
}

bool IsElement(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

// A line end is a line break of the message, as in the other forms.
SourceText WithBreakTags(const SourceText& text) {
    SourceText out;
    for (size_t i = 0; i < text.bytes.size(); ++i) {
        if (text.bytes[i] == '\n') out.AppendLineBreak(text.origin[i]);
        else out.Append(text.bytes[i], text.origin[i]);
    }
    out.end = text.end;
    return out;
}

UnitState StateOf(const std::string& state) {
    if (state == "new" || state == "initial") return UnitState::kNew;
    if (state == "needs-translation" || state == "needs-adaptation" || state == "needs-l10n") {
        return UnitState::kNeedsTranslation;
    }
    if (state.rfind("needs-review-", 0) == 0 || state == "translated" || state == "signed-off" || state == "reviewed") {
        return UnitState::kTranslated;
    }
    if (state == "final") return UnitState::kFinal;
    return UnitState::kUnstated;
}

void AddLine(std::string& to, const std::string& line) {
    if (line.empty()) return;
    if (!to.empty()) to += '\n';
    to += line;
}

class XliffWalk {
public:
    XliffWalk(const ScriptFile& file, const MessageSink& sink) : file_(file), sink_(sink), markup_(file.bytes) {}

    void Element(const xmlNode* element) {
        const std::string name = Name(element);
        const bool unitLevel = name == "trans-unit" || name == "segment" || name == "ignorable";
        if (!unitLevel) {
            for (const xmlNode* child = element->children; child; child = child->next) {
                if (child->type == XML_ELEMENT_NODE) Element(child);
            }
            return;
        }
        Pending pending;
        for (const xmlNode* child = element->children; child; child = child->next) {
            if (child->type != XML_ELEMENT_NODE) continue;
            const std::string childName = Name(child);
            if (childName != "source" && childName != "target") {
                Element(child);
                continue;
            }
            XliffElementText located;
            if (!markup_.Next(located) || located.target != (childName == "target")) {
                // Out of step with libxml2: the rest is placed at the element.
                located = {};
                located.target = childName == "target";
                markedOut_ = true;
            }
            Side& side = located.target ? pending.target : pending.source;
            side.present = true;
            side.node = child;
            const std::string content = Content(child);
            if (!markedOut_ && located.text.bytes == content) {
                side.text = WithBreakTags(located.text);
            } else {
                side.text.Clear();
                const uint32_t at = markedOut_ ? 0 : located.element;
                for (const char c : content) {
                    if (c == '\n') side.text.AppendLineBreak(at);
                    else side.text.Append(c, at);
                }
                side.text.end = at;
            }
        }
        if (name != "ignorable") Emit(element, name == "segment", pending);
    }

private:
    struct Side {
        bool present = false;
        const xmlNode* node = nullptr;
        SourceText text;
    };
    struct Pending {
        Side source;
        Side target;
    };

    void Emit(const xmlNode* element, bool segment, Pending& pending) {
        if (!pending.target.present || pending.target.text.bytes.empty()) return;
        original_.Clear();
        if (segment) {
            const xmlNode* unit = element->parent;
            original_.id = unit ? Attribute(unit, "id") : "";
            const std::string segmentId = Attribute(element, "id");
            if (!segmentId.empty()) original_.id += (original_.id.empty() ? "" : "/") + segmentId;
            original_.state = StateOf(Attribute(element, "state"));
            for (const xmlNode* notes = unit ? unit->children : nullptr; notes; notes = notes->next) {
                if (!IsElement(notes, "notes")) continue;
                for (const xmlNode* note = notes->children; note; note = note->next) {
                    if (IsElement(note, "note")) AddLine(original_.comments, Content(note));
                }
            }
        } else {
            // Not to be translated, or the PO header that po2xliff keeps.
            if (Attribute(element, "translate") == "no" || Attribute(element, "restype") == "x-gettext-domain-header") return;
            original_.id = Attribute(element, "id");
            original_.state = StateOf(Attribute(pending.target.node, "state"));
            for (const xmlNode* child = element->children; child; child = child->next) {
                if (IsElement(child, "note")) AddLine(original_.comments, Content(child));
                if (!IsElement(child, "context-group")) continue;
                for (const xmlNode* context = child->children; context; context = context->next) {
                    if (IsElement(context, "context")) AddLine(original_.context, Content(context));
                }
            }
        }
        if (!file_.states.empty() && !file_.states.count(original_.state)) return;
        original_.text = pending.source.present ? std::move(pending.source.text) : SourceText{};
        pending.target.text.original = pending.source.present ? &original_ : nullptr;
        pending.target.text.key = original_.id;  // the unit's identity, for baselines
        sink_(pending.target.text);
    }

    const ScriptFile& file_;
    const MessageSink& sink_;
    XliffMarkup markup_;
    bool markedOut_ = false;
    MessageOriginal original_;
};

// The first error is the one to tell: later ones follow from it.
struct FirstError {
    bool seen = false;
    int line = 0;
    int column = 0;
    std::string message;
};

void KeepFirstError(void* context, xmlErrorPtr error) {
    auto* first = static_cast<FirstError*>(static_cast<xmlParserCtxt*>(context)->_private);
    if (!first || first->seen || !error || error->level < XML_ERR_ERROR) return;
    first->seen = true;
    first->line = error->line;
    first->column = error->int2;
    first->message = error->message ? error->message : "";
}

std::string Trimmed(const char* message) {
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace

void ReadXliffMessages(const ScriptFile& file, const MessageSink& sink) {
    if (file.bytes.size() > static_cast<size_t>(INT32_MAX)) throw BadInput(file.path + ": too large to read as XLIFF");
    const std::unique_ptr<xmlParserCtxt, XmlFree> context(xmlNewParserCtxt());
    if (!context) throw MissingResource("libxml2 cannot start to read '" + file.path + "'");
    // No network, no DTD loaded, and no errors printed: the first one is
    // kept (the parser's context is handed to the handler) and thrown with
    // the file's name.
    FirstError first;
    context->_private = &first;
    context->sax->serror = KeepFirstError;
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    const std::unique_ptr<xmlDoc, XmlFree> doc(xmlCtxtReadMemory(context.get(), file.bytes.data(),
                                                                 static_cast<int>(file.bytes.size()), nullptr, nullptr,
                                                                 options));
    context->_private = nullptr;
    if (!doc || !context->wellFormed) {
        if (!first.seen) throw BadInput(file.path + ": not well-formed XML");
        throw BadInput(file.path + ":" + std::to_string(first.line) + ":" + std::to_string(first.column) +
                                 ": not well-formed XML: " + Trimmed(first.message.c_str()));
    }
    if (doc->encoding && xmlStrcasecmp(doc->encoding, reinterpret_cast<const xmlChar*>("UTF-8")) != 0) {
        throw BadInput(file.path + ": the file declares the encoding '" +
                                 reinterpret_cast<const char*>(doc->encoding) + "'; XLIFF is read as UTF-8");
    }
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!root || Name(root) != "xliff") {
        throw BadInput(file.path + ": not an XLIFF file: its root element is <" +
                                 (root ? Name(root) : std::string()) + ">, not <xliff>");
    }
    XliffWalk(file, sink).Element(root);
}

}  // namespace quenta::script
