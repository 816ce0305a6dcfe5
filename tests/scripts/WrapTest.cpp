// quenta wrap: a table of Japanese and English messages and their wrapped
// forms; the file given back byte for byte outside the messages, in each
// form and in place; a second wrap changes nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FakePictureSizes.h"
#include "FileBytes.h"
#include "RunTool.h"
#include "ScriptForms.h"
#include "ScriptWrapper.h"

namespace quenta::testing {
namespace {

using script::ScriptForm;

struct Case {
    const char* name;
    const char* message;
    int32_t width;
    const char* wrapped;
};

const Case kCases[] = {
    {"words, the blank at each break dropped", "This line is too long", 120, "This line<R>is too<R>long"},
    {"a line that fits is left alone", "Short", 60, "Short"},
    {"a word longer than a line", "Supercalifragilistic", 60, "Super<R>calif<R>ragil<R>istic"},
    {"no line begins with the full stop", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6\x96\x87\xE7\xAB\xA0\xE3\x81\xA7\xE3\x81\x99\xE3\x80\x82",
     96, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE<R>\xE6\x96\x87\xE7\xAB\xA0\xE3\x81\xA7<R>\xE3\x81\x99\xE3\x80\x82"},
    {"nor with a small kana or a closing bracket", "\xE3\x80\x8C\xE3\x81\x8B\xE3\x81\xA3\xE3\x81\x93\xE3\x80\x8D\xE3\x81\xA7\xE3\x81\x99",
     96, "\xE3\x80\x8C\xE3\x81\x8B\xE3\x81\xA3<R>\xE3\x81\x93\xE3\x80\x8D\xE3\x81\xA7\xE3\x81\x99"},
    {"nor with the prolonged sound mark", "\xE3\x83\xA9\xE3\x83\xBC\xE3\x83\xA1\xE3\x83\xB3\xE3\x83\xA9\xE3\x83\xBC", 48,
     "\xE3\x83\xA9\xE3\x83\xBC<R>\xE3\x83\xA1\xE3\x83\xB3<R>\xE3\x83\xA9\xE3\x83\xBC"},
    {"no line ends with an opening bracket", "\xE3\x81\x82\xE3\x81\x84\xE3\x80\x8C\xE3\x81\x86\xE3\x80\x8D", 72,
     "\xE3\x81\x82\xE3\x81\x84<R>\xE3\x80\x8C\xE3\x81\x86\xE3\x80\x8D"},
    {"never inside a tag", "ABC<C255,0,0>DEF</C>", 48, "ABC<C255,0,0>D<R>EF</C>"},
    {"a picture is never split", "AB<G1>CD", 64, "AB<G1><R>CD"},
    {"breaks already there are kept", "ABCDEF<R>GH", 48, "ABCD<R>EF<R>GH"},
    {"a '<' drawn as text keeps what follows", "aaaa<r>", 48, "aaaa<R><r>"},
    {"sizes count", "<S48>AB</S> CD", 60, "<S48>AB</S><R>CD"},
};

// Japanese at the pixel: a full-width character is 24 pixels wide, a
// half-width one 12. Each case names the break that a looser rule makes.
const Case kJapanese[] = {
    {"no line begins with a small hiragana (not あいうえおが<R>っこう)", "あいうえおがっこう", 144, "あいうえお<R>がっこう"},
    {"nor with a small katakana (not キャ<R>ラ...)", "ラキャラ", 48, "ラ<R>キャ<R>ラ"},
    {"nor with the prolonged sound mark (not キャラクタ<R>ー)", "キャラクター", 120, "キャラク<R>ター"},
    {"nor with ゎ, ヮ, ヵ or ヶ", "あいうゎヮヵヶえ", 144, "あい<R>うゎヮヵヶえ"},
    {"nor with half-width small kana or ｰ (not ｷ<R>ｬ)", "ｷｬﾗｸﾀｰ", 60, "ｷｬﾗｸ<R>ﾀｰ"},
    {"nor with a closing bracket", "あいうえ」お", 96, "あいう<R>え」お"},
    {"nor with a closing double bracket or parenthesis", "あいうえ』）お", 96, "あいう<R>え』）お"},
    {"nor with 。", "あいうえ。お", 96, "あいう<R>え。お"},
    {"nor with 、", "あいうえ、お", 96, "あいう<R>え、お"},
    {"nor with ！", "あいうえ！お", 96, "あいう<R>え！お"},
    {"nor with ？", "あいうえ？お", 96, "あいう<R>え？お"},
    {"nor with ・ or 々", "あいう人々", 96, "あいう<R>人々"},
    {"no line ends with an opening bracket", "あいう「え」", 96, "あいう<R>「え」"},
    {"nor with an opening parenthesis", "あいう（え）", 96, "あいう<R>（え）"},
    {"Latin words among Japanese break at their blanks", "日本語 and English", 168, "日本語 and<R>English"},
    {"a malformed tag stays whole (not <S<R>32>)", "ab<S 32>cd", 120, "ab<R><S 32><R>cd"},
    {"an unknown tag drawn as written stays whole", "ab<Outline>cd", 96, "ab<R><Outline><R>cd"},
    {"a lower-case tag too", "abcdefg<br>h", 96, "abcdefg<R><br>h"},
};

std::string Wrapped(ScriptForm form, const std::vector<std::string>& messages, int32_t width,
                    script::FileFindings* unfitting = nullptr) {
    static FakePictureSizes pictures({{1, {40, 30}}});
    script::CheckSettings settings;
    settings.pictures = &pictures;
    settings.window.width = width;
    script::WrapResult result = script::WrapScript(WriteScript(form, messages).file, settings);
    if (unfitting) *unfitting = result.unfitting;
    return result.bytes;
}

TEST(Wrap, TableOfMessages) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        script::FileFindings unfitting;
        const std::string once = Wrapped(ScriptForm::kPlain, {c.message}, c.width, &unfitting);
        EXPECT_EQ(once, WriteScript(ScriptForm::kPlain, {c.wrapped}).file.bytes);
        EXPECT_TRUE(unfitting.findings.empty());
        EXPECT_EQ(Wrapped(ScriptForm::kPlain, {c.wrapped}, c.width), once) << "a second wrap changed it";
    }
}

TEST(Wrap, JapaneseAtThePixel) {
    for (const Case& c : kJapanese) {
        SCOPED_TRACE(c.name);
        script::FileFindings unfitting;
        const std::string once = Wrapped(ScriptForm::kPlain, {c.message}, c.width, &unfitting);
        EXPECT_EQ(once, WriteScript(ScriptForm::kPlain, {c.wrapped}).file.bytes);
        EXPECT_EQ(Wrapped(ScriptForm::kPlain, {c.wrapped}, c.width), once) << "a second wrap changed it";
    }
}

// A PO entry flagged c-format keeps its printf placeholders whole; the
// same text unflagged is only text. An ASCII character is 12 pixels wide.
TEST(Wrap, PlaceholdersOfCFormatEntriesStayWhole) {
    const struct {
        const char* name;
        const char* message;
        int32_t width;
        const char* flagged;  // wrapped as a c-format entry
        const char* plain;    // wrapped as plain text
    } cases[] = {
        {"a positional placeholder", "aaaaaaaa%1$sbb", 120, "aaaaaaaa<R>%1$sbb", "aaaaaaaa%1<R>$sbb"},
        {"width, precision and length", "aaaaaaa%-10.3lfb", 120, "aaaaaaa<R>%-10.3lfb", "aaaaaaa%-1<R>0.3lfb"},
        {"an ISO C 99 macro", "aaaaaaa%<PRIuMAX>b", 120, "aaaaaaa<R>%<PRIuMAX><R>b", "aaaaaaa%<R><PRIuMAX>b"},
        {"a star with its argument", "aaaaaaaa%*2$db", 120, "aaaaaaaa<R>%*2$db", "aaaaaaaa%*<R>2$db"},
        {"a percent sign", "aaaaaaaaa%%b", 120, "aaaaaaaaa<R>%%b", "aaaaaaaaa%<R>%b"},
    };
    auto po = [](const std::string& text, bool flagged) {
        return std::string("msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n") +
               (flagged ? "#, c-format\n" : "") + "msgid \"m\"\nmsgstr \"" + text + "\"\n";
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool flagged : {true, false}) {
            script::ScriptFile file;
            file.path = "format.po";
            file.form = ScriptForm::kPo;
            file.bytes = po(c.message, flagged);
            script::CheckSettings settings;
            settings.window.width = c.width;
            EXPECT_EQ(script::WrapScript(file, settings).bytes, po(flagged ? c.flagged : c.plain, flagged)) << flagged;
        }
    }
}

#ifdef QUENTA_MSGFMT
// What a translator runs before committing: msgfmt -c accepts the wrapped
// catalogue at every width, placeholders, plural forms and final line
// breaks included.
TEST(Wrap, WrappedCataloguesStayValidForMsgfmt) {
    const std::string catalogue =
        "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
        "\"Plural-Forms: nplurals=1; plural=0;\\n\"\n\n"
        "#, c-format\nmsgid \"cannot open %s: %s\"\nmsgstr \"ファイル%sを開けませんでした。理由は%sです。\"\n\n"
        "#, c-format\nmsgid \"%1$s of %2$s\"\nmsgstr \"%2$sのうちの%1$sを処理しています。しばらくお待ちください\"\n\n"
        "#, c-format\nmsgid \"a %<PRIuMAX> byte buffer\"\nmsgstr \"%<PRIuMAX>バイトの標準入出力バッファの割り当てに失敗しました\"\n\n"
        "#, c-format\nmsgid \"%d file\"\nmsgid_plural \"%d files\"\nmsgstr[0] \"%d個のファイルが見つかりました。\"\n\n"
        "#, c-format\nmsgid \"%-10.3lf seconds\"\nmsgstr \"所要時間は%-10.3lf秒でした。\"\n\n"
        "#, c-format\nmsgid \"read %*d characters\\n\"\nmsgstr \"行の終わりまで%*d文字を読みました。\\n\"\n";
    const std::string folder = std::string(QUENTA_WORK_DIR) + "/msgfmt";
    std::filesystem::create_directories(folder);
    auto accepted = [](const std::string& path) {
        return std::system((std::string(QUENTA_MSGFMT) + " -c -o /dev/null " + path + " 2>/dev/null").c_str()) == 0;
    };
    const std::string original = folder + "/original.po";
    std::ofstream(original, std::ios::binary) << catalogue;
    ASSERT_TRUE(accepted(original)) << "the catalogue itself is not valid";
    for (const int32_t width : {24, 48, 72, 96, 120, 240}) {
        SCOPED_TRACE(width);
        script::ScriptFile file;
        file.path = "catalogue.po";
        file.form = ScriptForm::kPo;
        file.bytes = catalogue;
        script::CheckSettings settings;
        settings.window.width = width;
        const script::WrapResult result = script::WrapScript(file, settings);
        EXPECT_GT(result.breaksAdded, 0);
        const std::string path = folder + "/wrapped-" + std::to_string(width) + ".po";
        std::ofstream(path, std::ios::binary) << result.bytes;
        EXPECT_TRUE(accepted(path)) << result.bytes;
    }
}
#endif

TEST(Wrap, EachFormGivenBackByteForByteOutsideTheMessages) {
    std::vector<std::string> messages, wrapped;
    for (const Case& c : kCases) {
        if (c.width != 48) continue;
        messages.push_back(c.message);
        wrapped.push_back(c.wrapped);
    }
    for (const ScriptForm form : {ScriptForm::kPlain, ScriptForm::kCsv, ScriptForm::kTsv, ScriptForm::kPo}) {
        SCOPED_TRACE(FormName(form));
        EXPECT_EQ(Wrapped(form, messages, 48), WriteScript(form, wrapped, &messages).file.bytes);
    }
}

TEST(Wrap, AMessageThatStillDoesNotFitIsReported) {
    static FakePictureSizes pictures({{1, {40, 30}}});
    script::CheckSettings settings;
    settings.pictures = &pictures;
    settings.window.width = 48;
    settings.window.maxLines = 2;
    const script::WrapResult result =
        script::WrapScript(WriteScript(ScriptForm::kPlain, {"fits", "ABCDEFGHIJKL"}).file, settings);
    ASSERT_EQ(result.unfitting.findings.size(), 1u);
    EXPECT_EQ(result.unfitting.findings[0].check, script::Check::kWrapDoesNotFit);
    EXPECT_EQ(result.unfitting.findings[0].message, 2);
    EXPECT_NE(result.unfitting.findings[0].text.find("3 lines, 2 allowed"), std::string::npos);
}

TEST(Wrap, InPlaceOnEachForm) {
    const std::string folder = std::string(QUENTA_WORK_DIR) + "/in-place";
    std::filesystem::create_directories(folder);
    const std::vector<std::string> messages = {"This line is too long", "Short"};
    const std::vector<std::string> wrapped = {"This line<R>is too<R>long", "Short"};
    for (const ScriptForm form : {ScriptForm::kPlain, ScriptForm::kCsv, ScriptForm::kTsv, ScriptForm::kPo}) {
        SCOPED_TRACE(FormName(form));
        const WrittenScript script = WriteScript(form, messages);
        const std::string path = folder + "/script." + (form == ScriptForm::kPlain ? "txt" : FormName(form));
        std::ofstream(path, std::ios::binary) << script.file.bytes;
        std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                               std::filesystem::perms::group_read);
        std::vector<std::string> args = {"wrap", "-i", "--width", "120", path};
        if (form == ScriptForm::kCsv || form == ScriptForm::kTsv) args.insert(args.begin() + 1, {"--column", "text"});
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadBytes(path), WriteScript(form, wrapped, &messages).file.bytes);
        EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
        // Again: nothing changes.
        EXPECT_EQ(RunTool(args).status, 0);
        EXPECT_EQ(ReadBytes(path), WriteScript(form, wrapped, &messages).file.bytes);
    }
}

}  // namespace
}  // namespace quenta::testing
