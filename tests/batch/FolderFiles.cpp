#include "FolderFiles.h"

#include <gtest/gtest.h>
#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace quenta::testing {

namespace fs = std::filesystem;

std::string FreshFolder(const std::string& name) {
    const fs::path folder = fs::path(QUENTA_WORK_DIR) / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    ASSERT_TRUE(file.flush()) << path;
}

std::map<std::string, std::string> FolderContents(const std::string& folder) {
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::directory_iterator(folder)) {
        contents[entry.path().filename().string()] = ReadBytes(entry.path().string());
    }
    return contents;
}

std::map<std::string, ino_t> PictureInodes(const std::string& folder) {
    std::map<std::string, ino_t> inodes;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".png") continue;
        struct stat info {};
        EXPECT_EQ(stat(entry.path().c_str(), &info), 0);
        inodes[entry.path().filename().string()] = info.st_ino;
    }
    return inodes;
}

namespace {

std::string Text(xmlNodePtr node) {
    if (!node) return "";
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return text;
}

std::string Attribute(xmlNodePtr node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

// The nodes `path` selects under `context`.
std::vector<xmlNodePtr> Select(xmlXPathContextPtr xpath, xmlNodePtr context, const char* path) {
    std::vector<xmlNodePtr> nodes;
    xmlXPathObjectPtr result = xmlXPathNodeEval(context, reinterpret_cast<const xmlChar*>(path), xpath);
    if (result && result->nodesetval) {
        for (int i = 0; i < result->nodesetval->nodeNr; ++i) nodes.push_back(result->nodesetval->nodeTab[i]);
    }
    xmlXPathFreeObject(result);
    return nodes;
}

xmlNodePtr First(xmlXPathContextPtr xpath, xmlNodePtr context, const char* path) {
    const auto nodes = Select(xpath, context, path);
    return nodes.empty() ? nullptr : nodes.front();
}

}  // namespace

std::vector<ShownMessage> ReadReviewPage(const std::string& path) {
    std::vector<ShownMessage> shown;
    const std::string bytes = ReadBytes(path);
    htmlDocPtr document = htmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), path.c_str(), "UTF-8",
                                         HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    EXPECT_NE(document, nullptr) << path << " is not HTML";
    if (!document) return shown;
    xmlXPathContextPtr xpath = xmlXPathNewContext(document);
    for (xmlNodePtr article : Select(xpath, xmlDocGetRootElement(document), "//article[contains(@class, 'message')]")) {
        ShownMessage message;
        message.number = std::stoi(Attribute(article, "data-number"));
        if (xmlNodePtr img = First(xpath, article, ".//figure/img")) {
            const std::string src = Attribute(img, "src");
            message.picture = src.substr(0, src.find('?'));
        }
        message.failure = Text(First(xpath, article, ".//p[@class='failed']"));
        message.place = Text(First(xpath, article, ".//h2/span[@class='place']"));
        message.source = Text(First(xpath, article, ".//pre[@class='source']"));
        for (xmlNodePtr item : Select(xpath, article, ".//ul[@class='findings']/li")) {
            message.findings.push_back({Attribute(item, "class"), Attribute(item, "data-check"),
                                        Text(First(xpath, item, "span[@class='place']")),
                                        Text(First(xpath, item, "span[@class='text']"))});
        }
        shown.push_back(std::move(message));
    }
    xmlXPathFreeContext(xpath);
    xmlFreeDoc(document);
    return shown;
}

}  // namespace quenta::testing
