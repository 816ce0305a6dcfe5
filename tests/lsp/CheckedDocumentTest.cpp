// The check after an edit: the same findings as a check from scratch, and
// only the messages the edit reaches laid out again.
#include <gtest/gtest.h>

#include <random>

#include "CheckCatalogue.h"
#include "CheckedDocument.h"

namespace quenta::lsp {
namespace {

std::string Script(int messages) {
    std::string text;
    const char* lines[] = {"Aya: <S32>Big</S> and small.", "Ren: <C255,0,0>red", "</C>back <B>bold", "</B>plain words here",
                           "<r> <S 40>x"};
    for (int i = 0; i < messages; ++i) text += std::string(lines[i % 5]) + "\n\n";
    return text;
}

std::vector<std::string> Lines(const std::vector<MessageRecord>& messages) {
    std::vector<std::string> out;
    for (const MessageRecord& m : messages) {
        for (const script::Finding& f : m.findings) {
            out.push_back(std::to_string(f.offset) + " " + std::string(script::CheckName(f.check)) + " " + f.text);
        }
    }
    return out;
}

std::vector<std::string> Lines(const script::FileFindings& findings) {
    std::vector<std::string> out;
    for (const script::Finding& f : findings.findings) {
        out.push_back(std::to_string(f.offset) + " " + std::string(script::CheckName(f.check)) + " " + f.text);
    }
    return out;
}

TEST(CheckedDocument, EditsGiveWhatACheckFromScratchGives) {
    script::CheckSettings settings;
    settings.window.width = 200;
    script::ScriptFile file;
    file.path = "edited.txt";
    file.bytes = Script(40);
    CheckedDocument document;
    document.Check(file, settings);
    EXPECT_EQ(document.Laid(), 40);
    std::mt19937 random(7);
    const std::string pieces[] = {"<B>", "</B>", "<S 3", "\n\n", "x", "<C1,2,3>", "", "</S>"};
    for (int edit = 0; edit < 300; ++edit) {
        const size_t at = random() % (file.bytes.size() + 1);
        const size_t cut = std::min<size_t>(random() % 4, file.bytes.size() - at);
        file.bytes.replace(at, cut, pieces[random() % 8]);
        document.Check(file, settings);
        ASSERT_EQ(Lines(document.Messages()), Lines(script::CheckScript(file, settings))) << "after edit " << edit;
    }
}

TEST(CheckedDocument, AnEditThatKeepsTheStyleLaysOutOneMessage) {
    script::CheckSettings settings;
    script::ScriptFile file;
    file.path = "long.txt";
    file.bytes = Script(1000);
    CheckedDocument document;
    document.Check(file, settings);
    const size_t at = file.bytes.find("plain words", file.bytes.size() / 2);
    file.bytes.insert(at, "y");
    document.Check(file, settings);
    EXPECT_EQ(document.Laid(), 1);
    // A bold left open changes the style every later message starts in, up
    // to the one that turns bold on itself ("</C>back <B>bold", the fourth
    // after it): from there on the style carried is what it was.
    file.bytes.insert(at, "<B>");
    document.Check(file, settings);
    EXPECT_EQ(document.Laid(), 5);
    EXPECT_EQ(Lines(document.Messages()), Lines(script::CheckScript(file, settings)));
}

}  // namespace
}  // namespace quenta::lsp
