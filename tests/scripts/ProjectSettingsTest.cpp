// quenta.toml: which file is in force for a script, how its values, its
// [[files]] sections and the command line lie over each other, the errors
// with their places, and `quenta config` showing where each value came from.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ProjectSettings.h"
#include "RunTool.h"

namespace quenta::testing {
namespace {

namespace fs = std::filesystem;
using script::ProjectSettings;
using script::SettingOrigin;
using script::SettingsChoice;
using script::SettingsResolver;

class ProjectSettingsTest : public ::testing::Test {
protected:
    // One folder per test: ctest runs them at once.
    const fs::path root_ = fs::path(QUENTA_WORK_DIR) / "settings" / ::testing::UnitTest::GetInstance()->current_test_info()->name();

    void SetUp() override {
        fs::remove_all(root_);
        fs::create_directories(root_);
    }

    std::string Write(const std::string& relative, const std::string& bytes) {
        const fs::path path = root_ / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    static SettingsChoice Config(const std::string& file) {
        SettingsChoice choice;
        choice.configFile = file;
        return choice;
    }

    ProjectSettings For(const std::string& relative, SettingsChoice choice = {}) {
        return SettingsResolver(std::move(choice)).For((root_ / relative).string());
    }
};

TEST_F(ProjectSettingsTest, NearestFileGoingUpIsInForce) {
    Write("quenta.toml", "window = \"480x96\"\nmax-lines = 2\n");
    Write("chapter2/quenta.toml", "window = \"592x138\"\n");
    Write("chapter1/deep/scene.txt", "Hello\n");
    Write("chapter2/deep/scene.txt", "Hello\n");

    const ProjectSettings one = For("chapter1/deep/scene.txt");
    EXPECT_EQ(one.window.value, "480x96");
    EXPECT_EQ(one.maxLines.value, 2);
    EXPECT_EQ(one.window.origin.kind, SettingOrigin::Kind::kFile);
    EXPECT_EQ(one.window.origin.line, 1);
    EXPECT_EQ(one.maxLines.origin.line, 2);
    EXPECT_EQ(fs::absolute(one.file).lexically_normal(), (root_ / "quenta.toml").lexically_normal());

    // The nearest file alone: the parent's max-lines does not reach here.
    const ProjectSettings two = For("chapter2/deep/scene.txt");
    EXPECT_EQ(two.window.value, "592x138");
    EXPECT_EQ(two.maxLines.value, 0);
    EXPECT_FALSE(two.maxLines.Given());
}

TEST_F(ProjectSettingsTest, ConfigNamesOneAndNoConfigUsesNone) {
    Write("quenta.toml", "window = \"480x96\"\n");
    const std::string other = Write("elsewhere/other.toml", "window = \"100x50\"\n");
    Write("scene.txt", "Hello\n");

    EXPECT_EQ(For("scene.txt", Config(other)).window.value, "100x50");
    SettingsChoice noConfig;
    noConfig.noConfig = true;
    const ProjectSettings none = For("scene.txt", noConfig);
    EXPECT_EQ(none.window.value, "");
    EXPECT_TRUE(none.file.empty());
}

TEST_F(ProjectSettingsTest, CommandLineWinsOverFileAndSections) {
    Write("quenta.toml",
          "window = \"480x96\"\nmax-lines = 2\n[checks]\nunclosed-style = \"off\"\n"
          "[[files]]\nglob = \"*.po\"\nmax-lines = 3\n");
    Write("scene.po", "");
    SettingsChoice choice;
    choice.commandLine.push_back(script::CommandLineValue("window", "200x40"));
    const ProjectSettings s = For("scene.po", choice);
    EXPECT_EQ(s.window.value, "200x40");
    EXPECT_EQ(s.window.origin.kind, SettingOrigin::Kind::kCommandLine);
    EXPECT_EQ(s.maxLines.value, 3);  // the section, over the top level
    EXPECT_EQ(s.maxLines.origin.line, 7);
    ASSERT_EQ(s.levels.count("unclosed-style"), 1u);
    EXPECT_EQ(s.levels.at("unclosed-style").value, "off");
}

// Globs are relative to the file's folder; later sections win.
TEST_F(ProjectSettingsTest, GlobSectionsMatchInOrder) {
    Write("quenta.toml",
          "window = \"480x96\"\n"
          "[[files]]\nglob = \"chapter2/*.txt\"\nwindow = \"592x138\"\n"
          "[[files]]\nglob = \"**/battle/*.txt\"\nwindow = \"300x60\"\n"
          "[[files]]\nglob = \"credits.*\"\ncolumn = 3\n");
    const struct {
        const char* script;
        const char* window;
        const char* column;
    } cases[] = {
        {"chapter1/scene.txt", "480x96", ""},
        {"chapter2/scene.txt", "592x138", ""},
        {"chapter2/sub/scene.txt", "480x96", ""},  // * stays in its folder
        {"chapter2/battle/scene.txt", "300x60", ""},
        {"battle/scene.txt", "300x60", ""},        // ** may be no folder
        {"a/b/c/battle/scene.txt", "300x60", ""},
        {"deep/credits.csv", "480x96", "3"},       // a name alone matches in any folder
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        const ProjectSettings s = For(c.script);
        EXPECT_EQ(s.window.value, c.window);
        EXPECT_EQ(s.column.value, c.column);
    }
}

TEST_F(ProjectSettingsTest, PathsAreRelativeToTheFileThatNamesThem) {
    Write("game/quenta.toml", "archive = \"pictures\"\nbackground-image = \"../art/window.png\"\n");
    Write("game/text/scene.txt", "Hello\n");
    const ProjectSettings s = For("game/text/scene.txt");
    EXPECT_EQ(fs::absolute(s.archive.value).lexically_normal(), (root_ / "game/pictures").lexically_normal());
    EXPECT_EQ(fs::absolute(s.backgroundImage.value).lexically_normal(), (root_ / "art/window.png").lexically_normal());
}

// A misspelt key or a bad value is never passed over: the error names the
// file, line and column.
TEST_F(ProjectSettingsTest, ErrorsNameTheirPlace) {
    Write("scene.txt", "Hello\n");
    const struct {
        const char* toml;
        const char* place;  // line:column
        const char* said;
    } cases[] = {
        {"windw = \"480x96\"\n", ":1:1: error: ", "unknown key 'windw'; did you mean 'window'?"},
        {"\nwindow = \"480 by 96\"\n", ":2:10: error: ", "bad value for 'window': expected WxH"},
        {"max-lines = \"two\"\n", ":1:13: error: ", "expected a whole number"},
        {"max-lines = 0\n", ":1:13: error: ", "from 1"},
        {"reset-between-messages = 1\n", ":1:26: error: ", "expected true or false"},
        {"form = \"xml\"\n", ":1:8: error: ", "expected text, csv, tsv or po"},
        {"background = \"red\"\n", ":1:14: error: ", "RRGGBB"},
        {"[checks]\nline-to-wide = \"off\"\n", ":2:1: error: ", "no check is named 'line-to-wide'"},
        {"[checks]\nline-too-wide = \"loud\"\n", ":2:17: error: ", "bad level for 'line-too-wide'"},
        {"[[files]]\nwindow = \"1x1\"\n", ":1:1: error: ", "needs a glob"},
        {"[[files]]\nglob = \"*.po\"\ncolum = 2\n", ":3:1: error: ", "unknown key 'colum'; did you mean 'column'?"},
        {"window = \n", ":1:10: error: ", ""},  // not TOML at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.toml);
        const std::string file = Write("case.toml", c.toml);
        try {
            For("scene.txt", Config(file));
            ADD_FAILURE() << "no error";
        } catch (const script::SettingsError& error) {
            const std::string what = error.what();
            EXPECT_EQ(what.rfind(file + c.place, 0), 0u) << what;
            EXPECT_NE(what.find(c.said), std::string::npos) << what;
        }
    }
}

// The program: quenta check reads the file's window and levels, the
// command line overrides it, and a bad file exits 2 with its place.
TEST_F(ProjectSettingsTest, CheckReadsTheNearestFile) {
    Write("quenta.toml", "window = \"100x96\"\n[checks]\nunclosed-style = \"off\"\nempty-close = \"note\"\n");
    const std::string script = Write("text/scene.txt", "A line that is far too wide for it\n\n<B>bold</S>\n");

    const ToolRun run = RunTool({"check", script});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.out.find("[line-too-wide]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("note: message 2: '</S>' closes nothing"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("[unclosed-style]"), std::string::npos) << run.out;

    const ToolRun wide = RunTool({"check", "--window", "2000x96", script});
    EXPECT_EQ(wide.status, 0) << wide.out << wide.err;
    EXPECT_EQ(wide.out.find("[line-too-wide]"), std::string::npos) << wide.out;

    const ToolRun none = RunTool({"check", "--no-config", script});
    EXPECT_NE(none.out.find("[unclosed-style]"), std::string::npos) << none.out;

    Write("quenta.toml", "[checks]\nunclosed-styles = \"off\"\n");
    const ToolRun bad = RunTool({"check", script});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("quenta.toml:2:1: error: no check is named 'unclosed-styles'"), std::string::npos) << bad.err;
}

// The columns of a translated CSV come from the file: the translation is
// then compared with its source.
TEST_F(ProjectSettingsTest, SourceColumnComesFromTheFile) {
    Write("quenta.toml", "[[files]]\nglob = \"*.csv\"\ncolumn = \"en\"\nsource-column = \"ja\"\n");
    const std::string script = Write("lines.csv", "ja,en\n<B>\xE5\xA4\xAA\xE3\x81\x84</B>,bold\n");

    const ToolRun run = RunTool({"check", script});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.out.find("[tag-mismatch]"), std::string::npos) << run.out;

    const ToolRun alone = RunTool({"check", "--source-column", "", script});
    EXPECT_EQ(alone.out.find("[tag-mismatch]"), std::string::npos) << alone.out;
}

TEST_F(ProjectSettingsTest, ConfigShowsEverySettingAndWhereItCameFrom) {
    Write("quenta.toml", "window = \"480x96\"\n\n[[files]]\nglob = \"*.csv\"\ncolumn = \"text\"\n[files.checks]\nlone-angle-bracket = \"off\"\n");
    const std::string script = Write("scene.csv", "text\nHello\n");
    const ToolRun run = RunTool({"config", "--max-lines", "2", script}, "", root_.string());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = {
        "# settings file: quenta.toml\n",
        "window = \"480x96\"                        # quenta.toml:1:1\n",
        "column = \"text\"                          # quenta.toml:5:1\n",
        "max-lines = 2                            # command line\n",
        "form = \"\"                                # default\n",
        "lone-angle-bracket = \"off\"               # quenta.toml:7:1\n",
        "malformed-tag = \"error\"                  # default\n",
    };
    for (const std::string& line : lines) EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
}

}  // namespace
}  // namespace quenta::testing
