// Finding control classes by name: manifests on the search path, the direct library folder,
// and the errors for bad manifests, missing libraries and libraries without entry points.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "platform/com/Library.h"

namespace fs = std::filesystem;
using namespace ctl;

namespace {

// Sets (or clears, with null) an environment variable for the guard's lifetime.
struct EnvGuard {
    std::string name;
    std::string old;
    bool had;
    EnvGuard(const char* n, const char* value) : name(n) {
        const char* o = std::getenv(n);
        had = o != nullptr;
        if (had) old = o;
        if (value)
            setenv(n, value, 1);
        else
            unsetenv(n);
    }
    ~EnvGuard() {
        if (had)
            setenv(name.c_str(), old.c_str(), 1);
        else
            unsetenv(name.c_str());
    }
};

struct ManifestFolder {
    fs::path dir;
    explicit ManifestFolder(const std::string& name) {
        dir = fs::path(::testing::TempDir()) / ("ctl_manifests_" + name);
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~ManifestFolder() { fs::remove_all(dir); }
    std::string write(const std::string& file, const std::string& text) const {
        std::ofstream((dir / file).string()) << text;
        return (dir / file).string();
    }
};

std::string RuntimeFolder() {
    return ControlSearchPath().front();
}

std::string LookUpError(const std::string& progId) {
    std::string text;
    EXPECT_EQ(ErrorOf([&] { LookUpControlClass(progId); }, &text), 429) << progId;
    return text;
}

}  // namespace

TEST(Library, FindsBothControlClassesThroughTheManifestsBesideTheRuntime) {
    EnvGuard direct("CTL_LIBRARY_PATH", nullptr);
    EnvGuard extra("CTL_CONTROL_PATH", nullptr);
    std::vector<std::string> problems;
    auto manifests = FindManifests(&problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    std::vector<std::string> names;
    for (const auto& m : manifests) {
        EXPECT_EQ(m.version, "1.0");
        EXPECT_TRUE(fs::exists(m.file)) << m.file;
        names.insert(names.end(), m.classes.begin(), m.classes.end());
    }
    EXPECT_NE(std::find(names.begin(), names.end(), "Karvex.ucKarvex"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Quorlin.ucvQuorlin"), names.end());

    EXPECT_STREQ(LookUpControlClass("Karvex.ucKarvex").progId, "Karvex.ucKarvex");
    EXPECT_STREQ(LookUpControlClass("quorlin.UCVQUORLIN").progId, "Quorlin.ucvQuorlin");
    BasicSite site;
    auto control = CreateControl("Quorlin.ucvQuorlin", site);
    ASSERT_TRUE(control);
    EXPECT_EQ(control->typeInfo()->progId, "Quorlin.ucvQuorlin");
}

TEST(Library, SearchPathIsTheRuntimeFolderThenTheVariableWithoutRepeats) {
    EnvGuard extra("CTL_CONTROL_PATH", "/opt/a/:/opt/b::/opt/a");
    auto path = ControlSearchPath();
    ASSERT_EQ(path.size(), 4u);
    EXPECT_EQ(path[1], path[0] + "/ctlcontrols");
    EXPECT_EQ(path[2], "/opt/a");
    EXPECT_EQ(path[3], "/opt/b");
}

TEST(Library, ClassNamesThatCannotNameALibraryAreRefused) {
    for (const char* bad : {"Karvex", ".ucKarvex", "Karvex.", "../x.y", "a/b.c", ""})
        EXPECT_NE(LookUpError(bad).find("Invalid class name"), std::string::npos) << bad;
}

TEST(Library, UnknownClassSaysWhereItLooked) {
    EnvGuard direct("CTL_LIBRARY_PATH", nullptr);
    std::string text = LookUpError("Nothing.Here");
    EXPECT_NE(text.find("No control library offers the class Nothing.Here"), std::string::npos);
    EXPECT_NE(text.find(RuntimeFolder()), std::string::npos) << text;
}

TEST(Library, BadManifestsAreNamedWithWhatIsWrong) {
    ManifestFolder f("bad");
    struct Case {
        const char* text;
        const char* why;
    } cases[] = {
        {"{not json", "not JSON"},
        {"[1, 2]", "expected a JSON object"},
        {R"({"file": "libx.so", "version": "1", "classes": ["X.y"]})", "\"library\""},
        {R"({"library": "X", "file": "", "version": "1", "classes": ["X.y"]})", "\"file\""},
        {R"({"library": "X", "file": "libx.so", "classes": ["X.y"]})", "\"version\""},
        {R"({"library": "X", "file": "libx.so", "version": "1", "classes": []})", "\"classes\""},
        {R"({"library": "X", "file": "libx.so", "version": "1", "classes": "X.y"})", "\"classes\""},
        {R"({"library": "X", "file": "libx.so", "version": "1", "classes": ["X"]})", "class name"},
        {R"({"library": "X", "file": "libx.so", "version": "1", "classes": [7]})", "class name"},
    };
    int i = 0;
    for (const Case& c : cases) {
        std::string path = f.write("m" + std::to_string(i++) + ".ctl.json", c.text);
        std::string text;
        EXPECT_EQ(ErrorOf([&] { ReadManifest(path); }, &text), 429) << c.text;
        EXPECT_NE(text.find(path), std::string::npos) << text;
        EXPECT_NE(text.find(c.why), std::string::npos) << text;
    }
    std::string text;
    EXPECT_EQ(ErrorOf([&] { ReadManifest((f.dir / "absent.ctl.json").string()); }, &text), 429);
    EXPECT_NE(text.find("cannot be read"), std::string::npos);
    std::string big = f.write("big.ctl.json", std::string(100000, ' ') + "{}");
    EXPECT_EQ(ErrorOf([&] { ReadManifest(big); }, &text), 429);

    // On the search path: the good classes are still found, and a class nobody offers names
    // every manifest that could not be read.
    EnvGuard extra("CTL_CONTROL_PATH", f.dir.c_str());
    EnvGuard direct("CTL_LIBRARY_PATH", nullptr);
    EXPECT_STREQ(LookUpControlClass("Karvex.ucKarvex").progId, "Karvex.ucKarvex");
    text = LookUpError("Broken.Thing");
    EXPECT_NE(text.find((f.dir / "m0.ctl.json").string()), std::string::npos) << text;
    EXPECT_NE(text.find("not JSON"), std::string::npos);
}

TEST(Library, ManifestFileIsResolvedAgainstItsFolderAndWrittenBackRelative) {
    ManifestFolder f("relative");
    std::string path = f.write(
        "x.ctl.json",
        R"({"library": "X", "file": "libx.so", "version": "2.1", "classes": ["X.a", "X.b"]})");
    LibraryManifest m = ReadManifest(path);
    EXPECT_EQ(m.file, (f.dir / "libx.so").string());
    EXPECT_TRUE(m.offers("x.B"));
    EXPECT_FALSE(m.offers("X.c"));
    EXPECT_EQ(m.toJson(),
              R"({"library":"X","file":"libx.so","version":"2.1","classes":["X.a","X.b"]})");
}

TEST(Library, MissingUnloadableAndEntryLessLibrariesGiveClearErrors) {
    ManifestFolder f("libs");
    std::ofstream((f.dir / "libjunk.so").string()) << "not a shared object";
    const std::string runtime = RuntimeFolder() + "/libctlplatform.so";
    const std::string chart = RuntimeFolder() + "/libkarvex.so";
    f.write(
        "gone.ctl.json",
        R"({"library": "Gone", "file": "libgone.so", "version": "1", "classes": ["Gone.ucGone"]})");
    f.write(
        "junk.ctl.json",
        R"({"library": "Junk", "file": "libjunk.so", "version": "1", "classes": ["Junk.ucJunk"]})");
    f.write("plain.ctl.json", R"({"library": "Plain", "file": ")" + runtime +
                                  R"(", "version": "1", "classes": ["Plain.ucPlain"]})");
    f.write("liar.ctl.json", R"({"library": "Karvex", "file": ")" + chart +
                                 R"(", "version": "1", "classes": ["Karvex.ucOther"]})");
    EnvGuard extra("CTL_CONTROL_PATH", f.dir.c_str());
    EnvGuard direct("CTL_LIBRARY_PATH", nullptr);

    std::string text = LookUpError("Gone.ucGone");
    EXPECT_NE(text.find("is missing: " + (f.dir / "libgone.so").string()), std::string::npos)
        << text;
    text = LookUpError("Junk.ucJunk");
    EXPECT_NE(text.find("cannot be loaded"), std::string::npos) << text;
    text = LookUpError("Plain.ucPlain");
    EXPECT_NE(text.find("is not a control library"), std::string::npos) << text;
    text = LookUpError("Karvex.ucOther");
    EXPECT_NE(text.find("does not offer the class Karvex.ucOther"), std::string::npos) << text;
}

TEST(Library, TheLibraryFolderVariableStillWorksAndFallsBackToManifests) {
    EnvGuard extra("CTL_CONTROL_PATH", nullptr);
    {
        EnvGuard direct("CTL_LIBRARY_PATH", RuntimeFolder().c_str());
        EXPECT_STREQ(LookUpControlClass("Karvex.ucKarvex").progId, "Karvex.ucKarvex");
    }
    ManifestFolder empty("empty");
    EnvGuard direct("CTL_LIBRARY_PATH", empty.dir.c_str());
    EXPECT_STREQ(LookUpControlClass("Quorlin.ucvQuorlin").progId, "Quorlin.ucvQuorlin");
    // A file there that is no control library is an error, not a silent fall-back.
    std::ofstream((empty.dir / "libquorlin.so").string()) << "junk";
    EXPECT_NE(LookUpError("Quorlin.ucvQuorlin").find("cannot be loaded"), std::string::npos);
}
