// Which help a request goes to, and that every help context the program's windows carry has a
// page of the manual that says it serves that context.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "app/EnvironmentForm.h"
#include "shell/HelpTopics.h"

namespace ovx {
namespace {

namespace fs = std::filesystem;

TEST(HelpTopics, ARequestGoesToTheHelpFileTheManualPageOrTheMissingMessage) {
  struct TCase {
    const char* name;
    std::set<std::string> present;
    int context;
    THelpRequest::TKind kind;
    std::string path;
  };
  const std::string hlp = "C:\\P\\OVX.HLP", help = "C:\\P\\help\\";
  const TCase cases[] = {
      {"help file beside the program wins", {hlp, help + "index.html"}, hcSearch, THelpRequest::hkHelpFile, hlp},
      {"contents page", {help + "index.html"}, hcContents, THelpRequest::hkManualPage, help + "index.html"},
      {"page of a dialog", {help + "search.html"}, hcReplace, THelpRequest::hkManualPage, help + "search.html"},
      {"page of an options page", {help + "keys.html"}, hcOptionKey, THelpRequest::hkManualPage, help + "keys.html"},
      {"unknown context: contents", {help + "index.html"}, 4242, THelpRequest::hkManualPage, help + "index.html"},
      {"manual missing", {}, hcFiler, THelpRequest::hkMissing, help + "filer.html"},
      {"another page only", {help + "index.html"}, hcFiler, THelpRequest::hkMissing, help + "filer.html"},
  };
  for (const TCase& c : cases) {
    const THelpRequest r = ResolveHelp("C:\\P\\", c.context, [&](const std::string& p) { return c.present.count(p) > 0; });
    EXPECT_EQ(r.kind, c.kind) << c.name;
    EXPECT_EQ(r.path, c.path) << c.name;
    EXPECT_EQ(r.context, c.context) << c.name;
  }
  EXPECT_EQ(HelpMissingText("C:\\P\\help\\index.html"), "C:\\P\\help\\index.html が見付かりません.");
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The contexts each page of the manual says it serves (<meta name="ovx-help-context" content="...">).
std::map<int, std::string> ContextsThePagesServe() {
  std::map<int, std::string> served;
  const std::regex meta(R"re(<meta name="ovx-help-context" content="([0-9 ]*)">)re");
  for (const auto& entry : fs::directory_iterator(fs::path(OVX_SOURCE_DIR) / "help")) {
    if (entry.path().extension() != ".html") continue;
    const std::string text = ReadText(entry.path());
    std::smatch m;
    if (!std::regex_search(text, m, meta)) continue;
    std::istringstream numbers(m[1].str());
    for (int n; numbers >> n;) {
      EXPECT_EQ(served.count(n), 0u) << n << " served by " << served[n] << " and " << entry.path().filename();
      served[n] = entry.path().filename().string();
    }
  }
  return served;
}

TEST(HelpTopics, EveryContextHasThePageThatSaysItServesIt) {
  const std::map<int, std::string> served = ContextsThePagesServe();
  std::set<int> table;
  for (const THelpTopic& topic : HelpTopics()) {
    table.insert(topic.context);
    EXPECT_TRUE(fs::exists(fs::path(OVX_SOURCE_DIR) / "help" / topic.page)) << topic.page;
    const auto page = served.find(topic.context);
    ASSERT_NE(page, served.end()) << "no page says it serves " << topic.context;
    EXPECT_EQ(page->second, topic.page) << topic.context;
  }
  for (const auto& [context, page] : served) EXPECT_EQ(table.count(context), 1u) << page << " serves " << context;
}

// Every page and picture a page points to is in the manual, and every picture of help/img is shown
// on some page (scripts/package ships the folder as it is).
TEST(HelpTopics, EveryLinkAndPictureOfAPageIsThereAndEveryPictureIsShown) {
  const fs::path manual = fs::path(OVX_SOURCE_DIR) / "help";
  const std::regex target(R"re((?:href|src)="([^":#]+)")re");
  std::set<std::string> shown;
  for (const auto& entry : fs::directory_iterator(manual)) {
    if (entry.path().extension() != ".html") continue;
    const std::string text = ReadText(entry.path());
    for (std::sregex_iterator it(text.begin(), text.end(), target), end; it != end; ++it) {
      const std::string name = (*it)[1];
      EXPECT_TRUE(fs::exists(manual / name)) << entry.path().filename() << " points to " << name;
      shown.insert(name);
    }
  }
  int pictures = 0;
  for (const auto& entry : fs::directory_iterator(manual / "img")) {
    ++pictures;
    EXPECT_EQ(shown.count("img/" + entry.path().filename().string()), 1u) << entry.path().filename() << " is on no page";
  }
  EXPECT_GE(pictures, 6);
}

// Help contexts written as numbers where the code makes a dialog: a caption, then the context,
// then the designed size (L"検索", 18, {…}), or one of two (bytes ? 154 : 153).
std::set<int> LiteralContextsInTheCode() {
  std::set<int> found;
  const std::regex call(R"re(L"[^"]*",\s*([0-9]+),\s*\{)re");
  const std::regex choice(R"re(L"[^"]*",\s*\w+\s*\?\s*([0-9]+)\s*:\s*([0-9]+),\s*\{)re");
  for (const char* floor : {"app", "editor", "filer"})
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(OVX_SOURCE_DIR) / floor)) {
      if (entry.path().extension() != ".cpp") continue;
      const std::string text = ReadText(entry.path());
      for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it) found.insert(std::stoi((*it)[1]));
      for (std::sregex_iterator it(text.begin(), text.end(), choice), end; it != end; ++it) {
        found.insert(std::stoi((*it)[1]));
        found.insert(std::stoi((*it)[2]));
      }
    }
  return found;
}

TEST(HelpTopics, EveryContextTheCodeUsesIsInTheTable) {
  std::set<int> table;
  for (const THelpTopic& topic : HelpTopics()) table.insert(topic.context);
  std::set<int> used = LiteralContextsInTheCode();
  for (int page = 0; page < OptionPageCount; ++page) used.insert(OptionPages[page].helpContext);
  EXPECT_GE(used.size(), 6u);  // the options pages at least: the scan found the code
  for (int context : used) EXPECT_EQ(table.count(context), 1u) << "help context " << context << " has no page";
}

}  // namespace
}  // namespace ovx
