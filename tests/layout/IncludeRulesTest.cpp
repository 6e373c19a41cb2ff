// Includes run downward only. The layer targets catch a wrong-way call at link time, but not a
// header-only one, so every #include of the tree is read here and held to the rules:
// - platform/ includes only platform/, and is the only folder that includes Qt or QScintilla or
//   any header outside the standard library;
// - widgets/ and services/ include platform/, widgets/ and services/;
// - editor/, the shell, includes those and editor/;
// - tags/, generators/, site/ and publish/ include those and each other;
// - app/ includes every folder;
// - the tests include anything but Qt, which none of them needs.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> SourceFolders = {
    "app", "editor", "tags", "generators", "site", "publish", "widgets", "services", "platform"};

// The folders of ours that each folder may include.
const std::map<std::string, std::set<std::string>> AllowedFolders = {
    {"platform", {"platform"}},
    {"widgets", {"platform", "widgets", "services"}},
    {"services", {"platform", "widgets", "services"}},
    {"editor", {"platform", "widgets", "services", "editor"}},
    {"tags",
     {"platform", "widgets", "services", "editor", "tags", "generators", "site", "publish"}},
    {"generators",
     {"platform", "widgets", "services", "editor", "tags", "generators", "site", "publish"}},
    {"site",
     {"platform", "widgets", "services", "editor", "tags", "generators", "site", "publish"}},
    {"publish",
     {"platform", "widgets", "services", "editor", "tags", "generators", "site", "publish"}},
    {"app",
     {"app", "platform", "widgets", "services", "editor", "tags", "generators", "site", "publish"}},
};

bool IsSourceFolder(const std::string& name) {
    return std::find(SourceFolders.begin(), SourceFolders.end(), name) != SourceFolders.end();
}

// What an include names: a unit of one of our folders, a Qt or QScintilla header, a header of the
// C++ standard library, or any other header (the system's, GoogleTest's).
struct TTarget {
    enum TKind { Own, Qt, Standard, Other } Kind;
    std::string Folder; // for Own
};

bool IsQtHeader(const std::string& name) {
    return name.starts_with("Q") || (name.starts_with("q") && name.ends_with(".h"));
}

bool IsStandardHeader(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// include: as written after #include, delimiters and all. A quoted name without a folder is a
// unit of the including file's own folder.
TTarget TargetOf(const std::string& folder, const std::string& include) {
    const std::string name = include.substr(1, include.size() - 2);
    if (include.front() == '"') {
        const size_t slash = name.find('/');
        if (slash == std::string::npos)
            return {TTarget::Own, folder};
        if (IsSourceFolder(name.substr(0, slash)))
            return {TTarget::Own, name.substr(0, slash)};
    }
    if (IsQtHeader(name))
        return {TTarget::Qt, ""};
    return {IsStandardHeader(name) ? TTarget::Standard : TTarget::Other, ""};
}

// Why the include breaks the rules of the folder it stands in ("tests" for the tests); empty
// when it keeps them.
std::string IncludeFault(const std::string& folder, const std::string& include) {
    const bool tests = folder == "tests";
    const TTarget target = TargetOf(folder, include);
    switch (target.Kind) {
    case TTarget::Own:
        if (tests || AllowedFolders.at(folder).contains(target.Folder))
            return "";
        return folder + "/ may not include " + target.Folder + "/";
    case TTarget::Qt:
        return folder == "platform" ? "" : "only platform/ includes Qt or QScintilla";
    case TTarget::Standard:
        return "";
    case TTarget::Other:
        return folder == "platform" || tests ? ""
                                             : "only platform/ includes headers outside the "
                                               "standard library";
    }
    return "";
}

struct TInclude {
    std::string File; // relative to the source folder
    int Line;
    std::string Text;
};

std::vector<TInclude> IncludesOf(const fs::path& root, const fs::path& file) {
    static const std::regex Directive(R"(^\s*#\s*include\s*([<"][^>"]+[>"]))");
    std::vector<TInclude> includes;
    std::ifstream in(file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::smatch match;
        if (std::regex_search(line, match, Directive))
            includes.push_back({fs::relative(file, root).generic_string(), number, match[1]});
    }
    return includes;
}

// Every .h and .cpp below the folder.
std::vector<fs::path> SourcesBelow(const fs::path& folder) {
    std::vector<fs::path> files;
    if (!fs::exists(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const fs::path& path = entry.path();
        if (entry.is_regular_file() && (path.extension() == ".h" || path.extension() == ".cpp"))
            files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TEST(IncludeRules, EachRuleLetsItsFoldersThroughAndStopsTheOthers) {
    struct TRuleCase {
        const char* Folder;
        const char* Include;
        bool Allowed;
    };
    const TRuleCase cases[] = {
        {"platform", "\"platform/Peer.h\"", true},
        {"platform", "<QWidget>", true},
        {"platform", "<Qsci/qsciscintilla.h>", true},
        {"platform", "<unistd.h>", true},
        {"platform", "\"widgets/QmToolbars.h\"", false},
        {"platform", "\"services/MRULiss.h\"", false},
        {"widgets", "\"services/MRULiss.h\"", true},
        {"widgets", "\"editor/CorvaletForm.h\"", false},
        {"services", "\"widgets/FBrowse.h\"", true},
        {"services", "\"tags/HTMLGlobal.h\"", false},
        {"editor", "\"services/ProgramSettings.h\"", true},
        {"editor", "\"HelpPointer.h\"", true},
        {"editor", "\"tags/HTMLGlobal.h\"", false},
        {"editor", "\"publish/HTMLSelDir.h\"", false},
        {"editor", "\"app/Startup.h\"", false},
        {"tags", "\"editor/CorvaletForm.h\"", true},
        {"tags", "\"publish/HTMLSelDir.h\"", true},
        {"tags", "\"app/Startup.h\"", false},
        {"generators", "\"tags/HTMLGlobal.h\"", true},
        {"generators", "\"app/HandOver.h\"", false},
        {"site", "\"generators/HTMLTable.h\"", true},
        {"site", "\"app/Startup.h\"", false},
        {"publish", "\"site/HTMLDownload.h\"", true},
        {"publish", "\"app/Startup.h\"", false},
        {"app", "\"publish/Ferrydock95Main.h\"", true},
        {"app", "<vector>", true},
        {"app", "<QApplication>", false},
        {"app", "<unistd.h>", false},
        {"editor", "<qglobal.h>", false},
        {"widgets", "\"Qsci/qsciscintilla.h\"", false},
        {"services", "<cstdint>", true},
        {"tests", "\"app/Startup.h\"", true},
        {"tests", "<gtest/gtest.h>", true},
        {"tests", "<unistd.h>", true},
        {"tests", "<QApplication>", false},
    };
    for (const TRuleCase& c : cases)
        EXPECT_EQ(IncludeFault(c.Folder, c.Include).empty(), c.Allowed)
            << c.Folder << ": " << c.Include;
}

TEST(IncludeRules, EveryIncludeOfTheTreeKeepsThem) {
    const fs::path root = QM_SOURCE_DIR;
    std::vector<std::pair<std::string, fs::path>> folders;
    for (const std::string& folder : SourceFolders)
        folders.emplace_back(folder, root / folder);
    folders.emplace_back("tests", root / "tests");

    int read = 0;
    for (const auto& [folder, path] : folders) {
        for (const fs::path& file : SourcesBelow(path)) {
            for (const TInclude& include : IncludesOf(root, file)) {
                ++read;
                const std::string fault = IncludeFault(folder, include.Text);
                if (!fault.empty())
                    ADD_FAILURE() << include.File << ":" << include.Line << ": #include "
                                  << include.Text << ": " << fault;
            }
        }
    }
    // The tree is there: the platform alone has hundreds of includes.
    EXPECT_GT(read, 200);
}
