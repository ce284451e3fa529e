// The help file's sources: every view has a page of its own in the project, and no link of
// the pages, the contents or the index leads to a page that is not there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "ui/mainwindow/help_topics.h"
#include "ui/mainwindow/view_catalogue.h"

namespace glmx::ui {
namespace {

namespace fs = std::filesystem;

const fs::path kHelpFolder = fs::path(__FILE__).parent_path().parent_path().parent_path() / "help";

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The files the compiler takes into glmx.chm: the [FILES] section of the project.
std::set<std::string> ProjectFiles() {
    std::istringstream project(ReadAll(kHelpFolder / "glmx.hhp"));
    std::set<std::string> files;
    bool inFiles = false;
    for (std::string line; std::getline(project, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inFiles = line == "[FILES]";
        } else if (inFiles && !line.empty()) {
            files.insert(line);
        }
    }
    return files;
}

// Link targets inside the help file: href and src attributes of the pages, Local entries of
// the contents and the index; addresses on the Internet and bare anchors are left out.
std::vector<std::string> LocalLinks(const std::string& text) {
    static const std::regex link(R"re((?:href|src)\s*=\s*"([^"]*)"|"Local"\s+value="([^"]*)")re",
                                 std::regex::icase);
    std::vector<std::string> links;
    for (auto match = std::sregex_iterator(text.begin(), text.end(), link);
         match != std::sregex_iterator(); ++match) {
        std::string target = (*match)[1].matched ? (*match)[1].str() : (*match)[2].str();
        target = target.substr(0, target.find('#'));
        if (target.empty() || target.find(':') != std::string::npos) continue;
        links.push_back(target);
    }
    return links;
}

TEST(HelpTest, EachViewOpensAPageOfItsOwnThatTheHelpFileHolds) {
    const std::set<std::string> files = ProjectFiles();
    std::set<std::string_view> pages;
    for (const ViewInfo& view : AllViews()) {
        const std::string_view page = HelpPageOf(view.kind);
        EXPECT_TRUE(pages.insert(page).second) << page << " serves two views";
        EXPECT_TRUE(files.contains(std::string(page))) << page;
    }
    EXPECT_EQ(pages.size(), 12u);
    EXPECT_EQ(HelpViewerArgument("C:\\Program Files\\Glimmerbox\\glmx.chm", vkRegistry),
              "\"C:\\Program Files\\Glimmerbox\\glmx.chm::/view_registry.htm\"");
}

TEST(HelpTest, NoLinkLeadsNowhereAndEveryPageIsInTheContents) {
    const std::set<std::string> files = ProjectFiles();
    ASSERT_FALSE(files.empty());
    std::set<std::string> inContents;
    for (const auto& entry : fs::directory_iterator(kHelpFolder)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".htm" && extension != ".hhc" && extension != ".hhk") continue;
        const std::string name = entry.path().filename().string();
        if (extension == ".htm") EXPECT_TRUE(files.contains(name)) << name << " is not compiled";
        for (const std::string& target : LocalLinks(ReadAll(entry.path()))) {
            EXPECT_TRUE(fs::is_regular_file(kHelpFolder / target))
                << name << " links to the missing " << target;
            EXPECT_TRUE(files.contains(target)) << name << " links to the uncompiled " << target;
            if (extension == ".hhc") inContents.insert(target);
        }
    }
    for (const std::string& file : files)
        if (file.ends_with(".htm")) EXPECT_TRUE(inContents.contains(file)) << file;
}

}  // namespace
}  // namespace glmx::ui
