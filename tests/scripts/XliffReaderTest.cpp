// The XLIFF reader: units of 1.2 and 2.0 with their ids, states, notes and
// places; inline markup and references; what is no message; malformed
// files; and `quenta wrap` writing a file back byte for byte outside the
// targets.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "MessageOriginal.h"
#include "ScriptChecker.h"
#include "ScriptReader.h"
#include "ScriptWrapper.h"
#include "SourcePlaces.h"

namespace quenta::testing {
namespace {

using script::UnitState;

struct Read {
    std::string text;
    std::string source;
    std::string id;
    std::string comments;
    std::string context;
    UnitState state = UnitState::kUnstated;
    script::SourcePlace first;  // of the text's first byte
};

std::vector<Read> ReadAll(const std::string& bytes, std::set<UnitState> states = {}) {
    script::ScriptFile file;
    file.path = "scene.xlf";
    file.form = script::ScriptForm::kXliff;
    file.bytes = bytes;
    file.states = std::move(states);
    script::SourcePlaces places(file.bytes, file.encoding);
    std::vector<Read> out;
    script::ReadMessages(file, [&](const script::SourceText& t) {
        Read r;
        r.text = t.bytes;
        r.first = places.At(t.origin.front());
        if (t.original) {
            r.source = t.original->text.bytes;
            r.id = t.original->id;
            r.comments = t.original->comments;
            r.context = t.original->context;
            r.state = t.original->state;
        }
        out.push_back(r);
    });
    return out;
}

const char kXliff12[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">\n"
    " <file original=\"scene.po\" source-language=\"ja\" target-language=\"en\" datatype=\"po\">\n"
    "  <body>\n"
    "   <trans-unit id=\"h\" restype=\"x-gettext-domain-header\"><source>Content-Type: x</source>"
    "<target>Content-Type: x</target></trans-unit>\n"
    "   <trans-unit id=\"1\" approved=\"yes\">\n"
    "    <source>&lt;C255,0,0&gt;赤&lt;/C&gt;い</source>\n"
    "    <target state=\"final\">a &lt;C255,0,0&gt;red&lt;/C&gt; <g id=\"b\">one</g><x id=\"2\"/>!</target>\n"
    "    <alt-trans><source>古い</source><target>old</target></alt-trans>\n"
    "    <context-group name=\"po-entry\"><context context-type=\"x-po-msgctxt\">scene1</context></context-group>\n"
    "    <note from=\"developer\">speaker: Yui</note>\n"
    "   </trans-unit>\n"
    "   <trans-unit id=\"2\"><source>未訳</source><target state=\"new\"></target></trans-unit>\n"
    "   <trans-unit id=\"3\" translate=\"no\"><source>名前</source><target>Name</target></trans-unit>\n"
    "   <trans-unit id=\"4\"><source>二行\n目</source><!-- a comment -->\n"
    "    <target state=\"needs-review-translation\">two\r\nlines &amp; <![CDATA[<B>bold]]>&#x3042;</target></trans-unit>\n"
    "  </body>\n"
    " </file>\n"
    "</xliff>\n";

const char kXliff20[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xliff xmlns=\"urn:oasis:names:tc:xliff:document:2.0\" version=\"2.0\" srcLang=\"ja\" trgLang=\"en\">\n"
    " <file id=\"f\">\n"
    "  <unit id=\"u1\">\n"
    "   <notes><note>speaker: Ren</note></notes>\n"
    "   <segment id=\"s1\" state=\"reviewed\"><source>やあ</source><target>Hi <pc id=\"1\">there</pc><ph id=\"2\"/></target></segment>\n"
    "   <ignorable><source> </source><target> </target></ignorable>\n"
    "   <segment state=\"initial\"><source>まだ</source></segment>\n"
    "   <segment state=\"final\"><source>終わり</source><target>The end</target></segment>\n"
    "  </unit>\n"
    " </file>\n"
    "</xliff>\n";

TEST(XliffReader, Version12UnitsWithTheirPlaces) {
    const std::vector<Read> read = ReadAll(kXliff12);
    ASSERT_EQ(read.size(), 2u);
    // Inline elements are transparent, references decoded, alt-trans and the
    // header, an empty target and translate="no" are no messages.
    EXPECT_EQ(read[0].text, "a <C255,0,0>red</C> one!");
    EXPECT_EQ(read[0].source, "<C255,0,0>\xE8\xB5\xA4</C>\xE3\x81\x84");
    EXPECT_EQ(read[0].id, "1");
    EXPECT_EQ(read[0].state, UnitState::kFinal);
    EXPECT_EQ(read[0].comments, "speaker: Yui");
    EXPECT_EQ(read[0].context, "scene1");
    EXPECT_EQ(read[0].first.line, 8);
    EXPECT_EQ(read[0].first.column, 27);
    // A line end is <R> ("\r\n" as one), CDATA is text as written, and a
    // character reference is its character.
    EXPECT_EQ(read[1].text, "two<R>lines & <B>bold\xE3\x81\x82");
    EXPECT_EQ(read[1].source, "\xE4\xBA\x8C\xE8\xA1\x8C<R>\xE7\x9B\xAE");
    EXPECT_EQ(read[1].state, UnitState::kTranslated);
    EXPECT_EQ(read[1].first.line, 17);
    EXPECT_EQ(read[1].first.column, 46);
}

TEST(XliffReader, PlacesOfReferencesAndInlineText) {
    script::ScriptFile file;
    file.path = "scene.xlf";
    file.form = script::ScriptForm::kXliff;
    file.bytes = kXliff12;
    script::SourcePlaces places(file.bytes, file.encoding);
    std::vector<std::pair<int32_t, int32_t>> first;
    script::ReadMessages(file, [&](const script::SourceText& t) {
        if (!first.empty()) return;
        // "<" of "<C255" stands at its "&lt;"; "o" of "one" inside <g>.
        const auto lt = t.bytes.find('<');
        const auto one = t.bytes.find("one");
        for (const size_t at : {lt, one}) {
            const script::SourcePlace p = places.At(t.origin[at]);
            first.emplace_back(p.line, p.column);
        }
    });
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0], std::make_pair(8, 29));
    EXPECT_EQ(first[1], std::make_pair(8, 69));
}

TEST(XliffReader, Version20SegmentsAndStates) {
    const std::vector<Read> read = ReadAll(kXliff20);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].text, "Hi there");
    EXPECT_EQ(read[0].source, "\xE3\x82\x84\xE3\x81\x82");
    EXPECT_EQ(read[0].id, "u1/s1");
    EXPECT_EQ(read[0].state, UnitState::kTranslated);
    EXPECT_EQ(read[0].comments, "speaker: Ren");
    EXPECT_EQ(read[0].first.line, 6);
    EXPECT_EQ(read[0].first.column, 65);
    EXPECT_EQ(read[1].text, "The end");
    EXPECT_EQ(read[1].state, UnitState::kFinal);
    // The states select what is read.
    const std::vector<Read> final = ReadAll(kXliff20, {UnitState::kFinal});
    ASSERT_EQ(final.size(), 1u);
    EXPECT_EQ(final[0].text, "The end");
}

TEST(XliffReader, MalformedFilesAreErrorsNamingFileAndLine) {
    struct Bad {
        const char* bytes;
        const char* says;
    };
    const Bad kBad[] = {
        {"<?xml version=\"1.0\"?>\n<xliff version=\"1.2\">\n<file><body>\n<trans-unit id=\"1\"><target>a</source>\n",
         "scene.xlf:4:"},
        {"<?xml version=\"1.0\"?>\n<xliff>\n<target>a & b</target></xliff>\n", "scene.xlf:3:"},
        {"", "scene.xlf"},
        {"<?xml version=\"1.0\"?>\n<html><body/></html>\n", "scene.xlf: not an XLIFF file: its root element is <html>"},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<xliff/>\n", "declares the encoding 'ISO-8859-1'"},
    };
    for (const Bad& bad : kBad) {
        SCOPED_TRACE(bad.bytes);
        try {
            ReadAll(bad.bytes);
            ADD_FAILURE() << "read without an error";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(bad.says), std::string::npos) << error.what();
        }
    }
}

// Wrapping writes "&lt;R&gt;" into the targets (and "<R>" inside CDATA), and
// every other byte as it was: sources, notes, comments, the declaration.
TEST(XliffReader, WrapWritesBackByteForByteOutsideTargets) {
    const std::string head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- kept -->\r\n"
        "<xliff version=\"1.2\"><file><body>\r\n"
        "<trans-unit id=\"1\"><source>AAAA AAAA AAAA AAAA</source>\r\n<target state=\"translated\">";
    const std::string middle = "</target>\r\n<note>BBBB BBBB BBBB BBBB</note></trans-unit>\r\n"
                               "<trans-unit id=\"2\"><source>x</source><target><![CDATA[";
    const std::string tail = "]]></target></trans-unit>\r\n</body></file></xliff>\r\n";
    script::ScriptFile file;
    file.path = "scene.xlf";
    file.form = script::ScriptForm::kXliff;
    file.bytes = head + "AAAA &amp; AAAA" + middle + "AAAA AAAA" + tail;
    script::CheckSettings settings;
    settings.window.width = 60;  // "AAAA " is 40 pixels at the default size 16
    const script::WrapResult wrapped = script::WrapScript(file, settings);
    EXPECT_EQ(wrapped.bytes, head + "AAAA&lt;R&gt;&amp;&lt;R&gt;AAAA" + middle + "AAAA<R>AAAA" + tail);
    // The file read again holds the breaks, and wrapping again changes nothing.
    file.bytes = wrapped.bytes;
    EXPECT_EQ(ReadAll(file.bytes)[0].text, "AAAA<R>&<R>AAAA");
    EXPECT_EQ(script::WrapScript(file, settings).bytes, file.bytes);
}

}  // namespace
}  // namespace quenta::testing
