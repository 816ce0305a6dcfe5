// quenta wrap: a table of Japanese and English messages and their wrapped
// forms; the file given back byte for byte outside the messages, in each
// form and in place; a second wrap changes nothing.
#include <gtest/gtest.h>

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

TEST(Wrap, EachFormGivenBackByteForByteOutsideTheMessages) {
    std::vector<std::string> messages, wrapped;
    for (const Case& c : kCases) {
        if (c.width != 48) continue;
        messages.push_back(c.message);
        wrapped.push_back(c.wrapped);
    }
    for (const ScriptForm form : {ScriptForm::kPlain, ScriptForm::kCsv, ScriptForm::kTsv, ScriptForm::kPo}) {
        SCOPED_TRACE(FormName(form));
        EXPECT_EQ(Wrapped(form, messages, 48), WriteScript(form, wrapped).file.bytes);
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
        EXPECT_EQ(ReadBytes(path), WriteScript(form, wrapped).file.bytes);
        EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
        // Again: nothing changes.
        EXPECT_EQ(RunTool(args).status, 0);
        EXPECT_EQ(ReadBytes(path), WriteScript(form, wrapped).file.bytes);
    }
}

}  // namespace
}  // namespace quenta::testing
