// The server driven through the protocol, method by method, on the
// worked example and small fixtures.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CheckCatalogue.h"
#include "LspClient.h"
#include "MessageFraming.h"
#include "ScriptChecker.h"

namespace quenta::lsp::testing {
namespace {

const std::string kScene = QUENTA_SOURCE_DIR "/examples/scripts/scene.txt";
const std::string kUri = "file://" + kScene;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

const json kWindow = {{"window", "480x96"}, {"maxLines", 2}};

struct Opened : ::testing::Test {
    LspClient client;
    std::string text = ReadAll(kScene);
    void SetUp() override {
        client.Initialize(kWindow);
        client.Open(kUri, text);
    }
    json Actions(const json& range) {
        return client.Request("textDocument/codeAction",
                              {{"textDocument", {{"uri", kUri}}}, {"range", range}, {"context", {{"diagnostics", json::array()}}}})["result"];
    }
};

TEST(LspSession, ErrorsOfTheProtocol) {
    LspClient client;
    EXPECT_EQ(client.Request("textDocument/hover", json::object())["error"]["code"], -32002);  // before initialize
    client.Initialize(json::object());
    EXPECT_EQ(client.Request("no/such/method", json::object())["error"]["code"], -32601);
    EXPECT_EQ(client.Request("textDocument/hover", {{"textDocument", {{"uri", "file:///none.txt"}}}})["error"]["code"], -32602);
    EXPECT_EQ(client.Request("textDocument/hover", {{"textDocument", 5}})["error"]["code"], -32602);
    EXPECT_EQ(client.Request("initialize", json::object())["error"]["code"], -32600);
    const struct {
        const char* body;
        int code;
    } bad[] = {{"{\"jsonrpc\":\"2.0\",\"id\":7,", -32700}, {"\"\xff\xfe\"", -32700}, {"[1,2]", -32600}, {"{\"id\":{}}", -32600}};
    for (const auto& b : bad) {
        const size_t before = client.Sent().size();
        client.Raw(b.body);
        ASSERT_EQ(client.Sent().size(), before + 1) << b.body;
        EXPECT_EQ(client.Sent().back()["error"]["code"], b.code) << b.body;
    }
    // Still serving after all of that.
    client.Open("file:///a.txt", "<r>");
    EXPECT_EQ(client.Diagnostics("file:///a.txt").size(), 1u);
}

TEST(LspSession, ExitStatusTellsWhetherShutdownCameFirst) {
    LspClient polite;
    polite.Initialize(json::object());
    EXPECT_TRUE(polite.Request("shutdown", nullptr)["result"].is_null());
    EXPECT_EQ(polite.Request("textDocument/hover", json::object())["error"]["code"], -32600);
    EXPECT_FALSE(polite.Server().Handle(R"({"jsonrpc":"2.0","method":"exit"})"));
    EXPECT_EQ(polite.Server().ExitStatus(), 0);
    LspClient abrupt;
    abrupt.Initialize(json::object());
    EXPECT_FALSE(abrupt.Server().Handle(R"({"jsonrpc":"2.0","method":"exit"})"));
    EXPECT_EQ(abrupt.Server().ExitStatus(), 1);
}

TEST(LspSession, NegotiatesUtf8WhereOfferedAndCountsInIt) {
    const std::string text = "\xF0\x9F\x98\x80<r>";  // an emoji: two UTF-16 units, four bytes
    for (const bool utf8 : {false, true}) {
        LspClient client;
        const json offered = utf8 ? json{{"general", {{"positionEncodings", {"utf-8", "utf-16"}}}}} : json::object();
        EXPECT_EQ(client.Initialize(json::object(), offered)["result"]["capabilities"]["positionEncoding"],
                  utf8 ? "utf-8" : "utf-16");
        client.Open("file:///e.txt", text);
        json unknown;
        for (const json& d : client.Diagnostics("file:///e.txt")) {
            if (d["code"] == "unknown-tag") unknown = d;
        }
        ASSERT_FALSE(unknown.is_null());
        EXPECT_EQ(unknown["range"]["start"]["character"], utf8 ? 4 : 2);
    }
}

TEST_F(Opened, DiagnosticsAreWhatTheCheckerFinds) {
    script::ScriptFile file;
    file.path = kScene;
    file.bytes = text;
    script::CheckSettings settings;
    settings.window.width = 480;
    settings.window.height = 96;
    settings.window.maxLines = 2;
    const script::FileFindings expected = script::CheckScript(file, settings);
    const json diagnostics = client.Diagnostics(kUri);
    ASSERT_EQ(diagnostics.size(), expected.findings.size());
    ASSERT_EQ(diagnostics.size(), 5u);  // the worked example's five mistakes
    for (size_t i = 0; i < diagnostics.size(); ++i) {
        const script::Finding& f = expected.findings[i];
        EXPECT_EQ(diagnostics[i]["code"], std::string(script::CheckName(f.check)));
        EXPECT_EQ(diagnostics[i]["message"], f.text);
        EXPECT_EQ(diagnostics[i]["severity"], f.level == script::Level::kError ? 1 : 2);
        EXPECT_EQ(diagnostics[i]["range"]["start"]["line"], f.place.line - 1);
        EXPECT_EQ(diagnostics[i]["range"]["start"]["character"], f.place.column - 1);
    }
    // Pulled, the same.
    const json pulled = client.Request("textDocument/diagnostic", {{"textDocument", {{"uri", kUri}}}})["result"];
    EXPECT_EQ(pulled["kind"], "full");
    EXPECT_EQ(pulled["items"], diagnostics);
}

TEST_F(Opened, EachQuickFixMendsItsFinding) {
    const struct {
        const char* check;
        const char* title;
        int line;
        const char* mended;  // the line after the fix
    } fixes[] = {
        {"malformed-tag", "Write <S32> for <S 32>", 2, "Ren: Not really. <S32>The storm</S> kept me up all night long."},
        {"empty-close", "Remove '</S>'", 2, "Ren: Not really. <S 32>The storm kept me up all night long."},
        {"unknown-tag", "Write <R> for <r>", 4, "Aya: Look <R>at this — the letter came."},
        {"unclosed-style", "Close with </B>", 6, "<B>Ren: Then we leave tonight.</B>"},
    };
    const json actions = Actions({{"start", At(0, 0)}, {"end", At(7, 0)}});
    for (const auto& fix : fixes) {
        SCOPED_TRACE(fix.check);
        json action;
        for (const json& a : actions) {
            if (a["title"] == fix.title) action = a;
        }
        ASSERT_FALSE(action.is_null());
        EXPECT_EQ(action["kind"], "quickfix");
        const std::string mended = Apply(text, action["edit"]["changes"][kUri]);
        std::istringstream lines(mended);
        std::string line;
        for (int i = 0; i <= fix.line; ++i) std::getline(lines, line);
        EXPECT_EQ(line, fix.mended);
        LspClient again;
        again.Initialize(kWindow);
        again.Open(kUri, mended);
        for (const json& d : again.Diagnostics(kUri)) EXPECT_NE(d["code"], fix.check) << d["message"];
    }
}

TEST(LspFixes, ColourAndCharacterFixes) {
    LspClient client;
    client.Initialize(json::object());
    const struct {
        const char* text;
        const char* fixed;
    } cases[] = {
        {"<C#ff0000>red</C>", "<C255,0,0>red</C>"},
        {"<EC #00ff80>x</EC>", "<EC0,255,128>x</EC>"},
        {"a < b", "a << b"},
        {"\xE2\x80\x94 \xE2\x80\xA2 dash", nullptr},  // fine in code page 932: nothing to fix
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        client.Open("file:///f.txt", c.text);
        const json actions = client.Request("textDocument/codeAction", {{"textDocument", {{"uri", "file:///f.txt"}}},
                                                                        {"range", Span(0, 0, 40)}})["result"];
        if (!c.fixed) {
            EXPECT_TRUE(actions.empty());
            continue;
        }
        ASSERT_FALSE(actions.empty());
        EXPECT_EQ(Apply(c.text, actions[0]["edit"]["changes"]["file:///f.txt"]), c.fixed);
    }
}

TEST(LspFixes, UnencodableCharacterTakesTheSuggestion) {
    LspClient client;
    client.Initialize(json::object());
    const std::string text = "caf\xC3\xA9 \xE2\x91\xA0";  // é has none; ① is in code page 932
    client.Open("file:///u.txt", text);
    const json diagnostics = client.Diagnostics("file:///u.txt");
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_EQ(diagnostics[0]["code"], "unencodable");
    const json actions = client.Request("textDocument/codeAction", {{"textDocument", {{"uri", "file:///u.txt"}}},
                                                                    {"range", Span(0, 3, 4)}})["result"];
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(Apply(text, actions[0]["edit"]["changes"]["file:///u.txt"]), "cafe \xE2\x91\xA0");
}

TEST_F(Opened, WrapsTheMessageAndTheDocument) {
    const json actions = Actions(Span(2, 0, 0));
    json message, document;
    for (const json& a : actions) {
        if (a["title"] == "Wrap message 2 to the window") message = a;
        if (a["kind"] == "source.fixAll.quenta") document = a;
    }
    ASSERT_FALSE(message.is_null());
    EXPECT_EQ(message["kind"], "quickfix");  // it is too wide
    const std::string wrapped = Apply(text, message["edit"]["changes"][kUri]);
    EXPECT_NE(wrapped.find("<S 32>The storm</S><R>kept me up all night long."), std::string::npos);
    ASSERT_FALSE(document.is_null());
    EXPECT_EQ(Apply(text, document["edit"]["changes"][kUri]), wrapped);  // only message 2 overflows
    // Formatting is opt-in.
    EXPECT_TRUE(client.Request("textDocument/formatting", {{"textDocument", {{"uri", kUri}}}})["result"].empty());
    client.Notify("workspace/didChangeConfiguration", {{"settings", {{"quenta", {{"formatting", true}}}}}});
    const json edits = client.Request("textDocument/formatting", {{"textDocument", {{"uri", kUri}}}})["result"];
    EXPECT_EQ(Apply(text, edits), wrapped);
}

TEST_F(Opened, HoverTellsTagsAndTheStyleInForce) {
    const auto hover = [&](int line, int character) {
        return client.Request("textDocument/hover", {{"textDocument", {{"uri", kUri}}}, {"position", At(line, character)}})["result"];
    };
    const std::string colour = hover(0, 3)["contents"]["value"];
    EXPECT_NE(colour.find("`<C255,200,0>`"), std::string::npos) << colour;
    EXPECT_NE(colour.find("After it: size 24, colour 255,200,0"), std::string::npos) << colour;
    const std::string malformed = hover(2, 19)["contents"]["value"];
    EXPECT_NE(malformed.find("malformed"), std::string::npos) << malformed;
    const std::string inColour = hover(0, 13)["contents"]["value"];  // the "A" of "Aya", in colour
    EXPECT_NE(inColour.find("Style in force: size 24, colour 255,200,0"), std::string::npos) << inColour;
    EXPECT_NE(inColour.find("Line 1: 456/480 px"), std::string::npos) << inColour;
    const std::string wide = hover(2, 50)["contents"]["value"];
    EXPECT_NE(wide.find("768/480 px, 288 px too wide"), std::string::npos) << wide;
    const std::string bold = hover(6, 10)["contents"]["value"];
    EXPECT_NE(bold.find(", bold"), std::string::npos) << bold;
    EXPECT_TRUE(hover(1, 0).is_null());  // the blank line between messages
}

TEST_F(Opened, CompletionOffersTagsAndClosesWhatIsOpen) {
    client.Replace(kUri, Span(6, 30, 30), " <", 2);
    const json result = client.Request("textDocument/completion", {{"textDocument", {{"uri", kUri}}}, {"position", At(6, 32)}})["result"];
    std::vector<std::string> labels;
    for (const json& item : result["items"]) labels.push_back(item["label"]);
    EXPECT_NE(std::find(labels.begin(), labels.end(), "</B>"), labels.end());
    EXPECT_EQ(std::find(labels.begin(), labels.end(), "</S>"), labels.end());
    EXPECT_NE(std::find(labels.begin(), labels.end(), "<Sn>"), labels.end());
    for (const json& item : result["items"]) {
        if (item["label"] == "<Sn>") {
            EXPECT_EQ(item["textEdit"]["newText"], "S${1:32}>");
            EXPECT_EQ(item["textEdit"]["range"], Span(6, 32, 32));
        }
    }
    // Outside a tag: nothing.
    EXPECT_TRUE(client.Request("textDocument/completion", {{"textDocument", {{"uri", kUri}}}, {"position", At(0, 30)}})["result"].empty());
}

TEST_F(Opened, InlayHintsGiveEachLinesWidth) {
    const json hints = client.Request("textDocument/inlayHint", {{"textDocument", {{"uri", kUri}}}, {"range", {{"start", At(0, 0)}, {"end", At(7, 0)}}}})["result"];
    std::vector<std::pair<int, std::string>> got;
    for (const json& h : hints) got.emplace_back(h["position"]["line"].get<int>(), h["label"].get<std::string>());
    const std::vector<std::pair<int, std::string>> expected = {
        {0, "456/480 px"}, {2, "768/480 px"}, {4, "480/480 px"}, {6, "324/480 px"}};
    EXPECT_EQ(got, expected);
    EXPECT_EQ(hints[1]["position"]["character"], 63);  // the end of the line
    // Near only: the lines at 90% of the window or over.
    client.Notify("workspace/didChangeConfiguration", {{"settings", {{"quenta", {{"inlayHints", "near"}}}}}});
    const json near = client.Request("textDocument/inlayHint", {{"textDocument", {{"uri", kUri}}}, {"range", {{"start", At(0, 0)}, {"end", At(7, 0)}}}})["result"];
    ASSERT_EQ(near.size(), 3u);
    EXPECT_EQ(near[0]["position"]["line"], 0);
}

TEST(LspColours, SwatchesAndThePickerWritesTheTag) {
    LspClient client;
    client.Initialize(json::object());
    const std::string text = "<C255,0,0>a</C> <KC0,0,255>b <C0,255,0,0,0,255>g";
    client.Open("file:///c.txt", text);
    const json colours = client.Request("textDocument/documentColor", {{"textDocument", {{"uri", "file:///c.txt"}}}})["result"];
    ASSERT_EQ(colours.size(), 3u);
    EXPECT_EQ(colours[0]["range"], Span(0, 0, 10));
    EXPECT_EQ(colours[0]["color"]["red"], 1.0);
    EXPECT_EQ(colours[1]["color"]["blue"], 1.0);
    const json picked = client.Request("textDocument/colorPresentation",
                                       {{"textDocument", {{"uri", "file:///c.txt"}}},
                                        {"color", {{"red", 0.0}, {"green", 0.5}, {"blue", 1.0}, {"alpha", 1.0}}},
                                        {"range", colours[2]["range"]}})["result"];
    EXPECT_EQ(picked[0]["label"], "<C0,128,255,0,0,255>");  // the gradient keeps its bottom colour
    const json edge = client.Request("textDocument/colorPresentation",
                                     {{"textDocument", {{"uri", "file:///c.txt"}}},
                                      {"color", {{"red", 1.0}, {"green", 1.0}, {"blue", 1.0}, {"alpha", 1.0}}},
                                      {"range", colours[1]["range"]}})["result"];
    EXPECT_EQ(edge[0]["textEdit"]["newText"], "<KC255,255,255>");
}

TEST_F(Opened, SymbolsListTheMessages) {
    const json symbols = client.Request("textDocument/documentSymbol", {{"textDocument", {{"uri", kUri}}}})["result"];
    ASSERT_EQ(symbols.size(), 4u);
    EXPECT_EQ(symbols[0]["name"], "1: Aya: Good morning! Did you sleep well?");
    EXPECT_EQ(symbols[3]["name"], "4: Ren: Then we leave tonight.");
    EXPECT_EQ(symbols[2]["range"]["start"]["line"], 4);
}

TEST_F(Opened, AnEditRenumbersWhatFollowsAndMendsWhatItFixes) {
    client.Replace(kUri, Span(2, 17, 23), "<S32>", 2);
    json diagnostics = client.Diagnostics(kUri);
    for (const json& d : diagnostics) EXPECT_NE(d["code"], "malformed-tag");
    // A message put in front: every later finding names its message anew.
    client.Replace(kUri, Span(0, 0, 0), "Prologue.\n\n", 3);
    diagnostics = client.Diagnostics(kUri);
    ASSERT_FALSE(diagnostics.empty());
    EXPECT_EQ(diagnostics.back()["code"], "unclosed-style");
    EXPECT_EQ(diagnostics.back()["range"]["start"]["line"], 8);
    EXPECT_EQ(diagnostics.back()["message"].get<std::string>().rfind("message 5: ", 0), 0u);
    EXPECT_EQ(client.Sent().back()["params"]["version"], 3);
}

TEST(LspForms, PoAndCsvPointIntoTheirFiles) {
    const struct {
        const char* file;
        json options;
        int line, character;
    } forms[] = {
        {"scene.po", kWindow, 11, 25},
        {"scene.csv", {{"window", "480x96"}, {"column", "text"}}, 2, 24},
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(form.file);
        LspClient client;
        client.Initialize(form.options);
        const std::string uri = std::string("file://" QUENTA_SOURCE_DIR "/examples/scripts/") + form.file;
        client.Open(uri, ReadAll(QUENTA_SOURCE_DIR "/examples/scripts/" + std::string(form.file)));
        const json diagnostics = client.Diagnostics(uri);
        ASSERT_FALSE(diagnostics.empty());
        EXPECT_EQ(diagnostics[0]["code"], "malformed-tag");
        EXPECT_EQ(diagnostics[0]["range"]["start"], At(form.line, form.character));
    }
}

TEST(LspForms, AScriptThatCannotBeReadIsOneDiagnostic) {
    LspClient client;
    client.Initialize({{"form", "csv"}});
    client.Open("file:///two.csv", "a,b\n1,2\n");  // two columns and no column named
    const json diagnostics = client.Diagnostics("file:///two.csv");
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_EQ(diagnostics[0]["severity"], 1);
    EXPECT_NE(diagnostics[0]["message"].get<std::string>().find("column"), std::string::npos);
}

TEST(LspFraming, StreamsEndCleanly) {
    const auto frame = [](const std::string& body) { return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body; };
    const std::string init = frame(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}})");
    const struct {
        std::string input;
        int status;
        size_t answers;
    } streams[] = {
        {init + frame(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})") + frame(R"({"jsonrpc":"2.0","method":"exit"})"), 0, 2},
        {init, 1, 1},                                        // the client went away
        {init + "Content-Length: 50\r\n\r\n{\"jsonrpc\"", 1, 1},  // ... mid-message
        {init + "Content-Type: x\r\n\r\n{}", 1, 1},          // no length
        {init + "Content-Length: 12x\r\n\r\n", 1, 1},
        {init + std::string(10000, 'x'), 1, 1},              // a header line without end
    };
    for (const auto& s : streams) {
        std::istringstream in(s.input);
        std::ostringstream out, log;
        EXPECT_EQ(Serve(in, out, "test", log), s.status);
        size_t answers = 0;
        for (size_t at = out.str().find("Content-Length"); at != std::string::npos; at = out.str().find("Content-Length", at + 1)) {
            ++answers;
        }
        EXPECT_EQ(answers, s.answers);
    }
}

TEST(LspFraming, AMessageOverTheLimitIsReadPast) {
    const std::string input = "Content-Length: 20\r\n\r\n" + std::string(20, 'z') + "Content-Length: 2\r\n\r\n{}";
    std::istringstream in(input);
    FrameReader reader(in, 10);
    EXPECT_EQ(reader.Next().status, FrameStatus::kTooLarge);
    const Frame next = reader.Next();
    EXPECT_EQ(next.status, FrameStatus::kMessage);
    EXPECT_EQ(next.body, "{}");
    EXPECT_EQ(reader.Next().status, FrameStatus::kEnd);
}

}  // namespace
}  // namespace quenta::lsp::testing

namespace quenta::lsp::testing {
namespace {

TEST(LspProject, SettingsComeFromTheQuentaTomlThatApplies) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("quenta-lsp-project-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "chapter");
    const auto write = [&](const std::string& text) {
        std::ofstream(folder / "quenta.toml", std::ios::binary | std::ios::trunc) << text;
    };
    write("window = \"200x64\"\n[checks]\nunclosed-style = \"off\"\n");
    const std::string uri = "file://" + (folder / "chapter" / "a.txt").string();
    LspClient client;
    client.Initialize(json::object());
    client.Open(uri, "<B>A line that is longer than two hundred pixels.");
    const auto codes = [&] {
        std::vector<std::string> out;
        for (const json& d : client.Diagnostics(uri)) out.push_back(d["code"]);
        return out;
    };
    EXPECT_EQ(codes(), std::vector<std::string>{"line-too-wide"});
    // The file changes: the next check reads it again.
    write("window = \"2000x64\"\n");
    client.Replace(uri, Span(0, 0, 0), "", 2);
    EXPECT_EQ(codes(), std::vector<std::string>{"unclosed-style"});
    // The client's settings go over the project's.
    client.Notify("workspace/didChangeConfiguration", {{"settings", {{"quenta", {{"silence", {"unclosed-style"}}}}}}});
    EXPECT_TRUE(codes().empty());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quenta::lsp::testing
