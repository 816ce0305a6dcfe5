// The readers as a translator meets them: PO catalogues in the charset
// their header names, UTF-16 files, fuzzy entries, a wrong --column, and
// files that are no script at all.
#include <gtest/gtest.h>

#include <iconv.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "RunTool.h"
#include "ScriptChecker.h"
#include "ScriptFile.h"
#include "ScriptReader.h"

namespace quenta::testing {
namespace {

std::string Recoded(const std::string& text, const char* to, const char* from = "UTF-8") {
    iconv_t cd = iconv_open(to, from);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << to;
    std::string out(text.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* dest = out.data();
    size_t outLeft = out.size();
    EXPECT_NE(iconv(cd, &in, &inLeft, &dest, &outLeft), static_cast<size_t>(-1)) << to;
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

std::string Write(const std::string& name, const std::string& bytes) {
    const std::string folder = std::string(QUENTA_WORK_DIR) + "/readers";
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The messages as UTF-8, whatever the file is stored in.
std::vector<std::string> Messages(const script::ScriptFile& file) {
    std::vector<std::string> out;
    script::ReadMessages(file, [&](const script::SourceText& source) {
        out.push_back(file.encoding == script::ScriptEncoding::kCp932 ? Recoded(source.bytes, "UTF-8", "CP932")
                                                                      : source.bytes);
    });
    return out;
}

std::string Catalogue(const std::string& charset) {
    return "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=" + charset +
           "\\n\"\n\n"
           "msgid \"Hello\"\nmsgstr \"こんにちは、世界\"\n\n"
           "#, fuzzy\nmsgid \"Draft\"\nmsgstr \"下書き\"\n\n"
           "msgid \"Quote\"\nmsgstr \"\\\"先輩！\\\"\"\n";
}

TEST(ScriptReader, PoCataloguesAreReadInTheCharsetTheirHeaderNames) {
    for (const char* charset : {"EUC-JP", "Shift_JIS", "UTF-8"}) {
        SCOPED_TRACE(charset);
        const std::string bytes = Recoded(Catalogue(charset), charset);
        const std::string path = Write(std::string("header-") + charset + ".po", bytes);
        const script::ScriptFile file = script::OpenScript(path, "", false, "");
        EXPECT_EQ(Messages(file), (std::vector<std::string>{"こんにちは、世界", "\"先輩！\""}));
        // Read right, nothing is unencodable or broken (the ASCII quotes
        // are another matter).
        script::CheckSettings settings;
        settings.silenced = {script::Check::kAsciiQuote};
        EXPECT_TRUE(script::CheckScript(file, settings).findings.empty());
    }
}

TEST(ScriptReader, WrapWritesACatalogueBackInItsCharset) {
    for (const char* charset : {"EUC-JP", "Shift_JIS"}) {
        SCOPED_TRACE(charset);
        const std::string path = Write(std::string("wrap-") + charset + ".po", Recoded(Catalogue(charset), charset));
        const ToolRun run = RunTool({"wrap", "-i", "--width", "96", path});
        EXPECT_EQ(run.status, 0) << run.err;
        std::string expected = Catalogue(charset);
        expected.replace(expected.find("こんにちは、世界"), std::string("こんにちは、世界").size(), "こんにち<R>は、世界");
        EXPECT_EQ(ReadBytes(path), Recoded(expected, charset));
    }
}

TEST(ScriptReader, FuzzyEntriesAreLeftOutUnlessAskedFor) {
    const std::string path = Write("fuzzy.po", Catalogue("UTF-8"));
    EXPECT_EQ(Messages(script::OpenScript(path, "", false, "")).size(), 2u);
    EXPECT_EQ(Messages(script::OpenScript(path, "", false, "", true)),
              (std::vector<std::string>{"こんにちは、世界", "下書き", "\"先輩！\""}));
    // Wrapped or not, the fuzzy entry stays as it is.
    const ToolRun run = RunTool({"wrap", "--width", "24", path});
    EXPECT_NE(run.out.find("msgstr \"下書き\""), std::string::npos) << run.out;
    EXPECT_NE(RunTool({"wrap", "--include-fuzzy", "--width", "24", path}).out.find("msgstr \"下<R>書<R>き\""),
              std::string::npos);
}

TEST(ScriptReader, Utf16ScriptsAreReadAndWrittenBackAsUtf16) {
    const std::string text = "日本語の文章です。\n\nThis line is too long\n";
    for (const bool little : {true, false}) {
        SCOPED_TRACE(little ? "UTF-16LE" : "UTF-16BE");
        const std::string bom = little ? "\xFF\xFE" : "\xFE\xFF";
        const char* charset = little ? "UTF-16LE" : "UTF-16BE";
        const std::string path = Write(std::string("utf16-") + charset + ".txt", bom + Recoded(text, charset));
        const ToolRun check = RunTool({"check", path});
        EXPECT_EQ(check.status, 0) << check.out << check.err;
        EXPECT_EQ(check.out, "");
        const ToolRun wrap = RunTool({"wrap", "-i", "--width", "120", path});
        EXPECT_EQ(wrap.status, 0) << wrap.err;
        EXPECT_EQ(ReadBytes(path), bom + Recoded("日本語の文<R>章です。\n\nThis line<R>is too<R>long\n", charset));
    }
}

TEST(ScriptReader, WrongColumnsAreErrorsThatListTheColumns) {
    const std::string csv = Write("scene.csv", "id,speaker,text,note\n1,Yu,Hello,\n2,Mia,Goodbye,x\n");
    const struct {
        const char* name;
        const char* column;
        const char* says;
    } cases[] = {
        {"a column no row has", "9", "has no column 9: no row has more than 4; its columns are 1 'id', 2 'speaker', 3 'text', 4 'note'"},
        {"a name not in the first row", "line", "has no column named 'line' in its first row; its columns are 1 'id', 2 'speaker'"},
        {"no --column on a file of several", "", "has 4 columns: say which holds the messages with --column NAME"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            Messages(script::OpenScript(csv, "", false, c.column));
            ADD_FAILURE() << "read without an error";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos) << error.what();
        }
        std::vector<std::string> args = {"check", csv};
        if (*c.column) args.insert(args.begin() + 1, {"--column", c.column});
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("--help"), std::string::npos) << "an input error is no usage error";
    }
    EXPECT_EQ(Messages(script::OpenScript(csv, "", false, "text")), (std::vector<std::string>{"Hello", "Goodbye"}));
    // A file of one column needs no --column: every row is a message.
    const std::string single = Write("single.csv", "Hello\nGoodbye\n");
    EXPECT_EQ(Messages(script::OpenScript(single, "", false, "")), (std::vector<std::string>{"Hello", "Goodbye"}));
}

TEST(ScriptReader, FilesThatAreNoScriptSayWhatIsWrongWithWhichFile) {
    const std::string mo = Write("compiled.po", std::string("\xDE\x12\x04\x95\0\0\0\0\x05\0\0\0", 12));
    const std::string long_ = Write("long.txt", "ok\n\n" + std::string(300 * 1024, 'a') + "\n");
    const std::string badEuc = Write("bad-euc.po", "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=EUC-JP\\n\"\n\nmsgid \"a\"\nmsgstr \"\xFF\xFF\"\n");
    const std::string empty = Write("empty.po", "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\nmsgid \"a\"\nmsgstr \"\"\n");
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string says;
    } cases[] = {
        {"a binary file named .po", {"check", mo}, 2, "cannot read '" + mo + "' as a PO file: it is binary"},
        {"bytes that are not what the header says", {"check", badEuc}, 2, badEuc + ":6:9: not euc-jp, as the header says"},
        {"a message past the limit", {"check", long_}, 2,
         long_ + ":3: message 2 is 307200 bytes long; a message may hold at most 262144 (256 KiB)"},
        {"the limit in wrap", {"wrap", "--width", "100", long_}, 2, "at most 262144"},
        {"the limit in render", {"render", "-o", "-", long_}, 2, "at most 262144"},
        {"no message to check", {"check", empty}, 1, empty + ": error: no message found"},
        {"no message to wrap", {"wrap", "--width", "100", empty}, 0, empty + ": warning: no message found"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("--help"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace quenta::testing
