#include "framework/media_search.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using RenderLib::FindMediaFile;
using RenderLib::GetSdkMediaPath;
using RenderLib::kFileNotFound;

// Runs each case in a fresh temporary tree:
//   <root>/work/a/b     the current directory
//   <root>/app/bin      the program's folder (module <root>/app/bin/quorvane.exe)
//   <root>/sdk          the SDK samples folder, when the case sets it
// and restores the current directory and QUORVANE_MEDIA_DIR afterwards.
class MediaSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedDirectory = fs::current_path();
        if (const char* value = std::getenv(RenderLib::kSdkMediaVariable)) {
            savedVariable = value;
        }
        ::unsetenv(RenderLib::kSdkMediaVariable);
        std::string pattern = (fs::temp_directory_path() / "quorvane_media_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = fs::canonical(pattern).string();
        work = root + "/work/a/b";
        bin = root + "/app/bin";
        module = bin + "/quorvane.exe";
        fs::create_directories(work);
        fs::create_directories(bin);
        fs::current_path(work);
    }

    void TearDown() override {
        fs::current_path(savedDirectory);
        if (savedVariable) {
            ::setenv(RenderLib::kSdkMediaVariable, savedVariable->c_str(), 1);
        } else {
            ::unsetenv(RenderLib::kSdkMediaVariable);
        }
        fs::remove_all(root);
    }

    void UseSdk() { ::setenv(RenderLib::kSdkMediaVariable, (root + "/sdk").c_str(), 1); }

    // Creates an empty file, with its folders; relative paths from work.
    static void Touch(const std::string& path) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path).put('x');
    }

    // Runs the search with the test's module path; out starts filled with '#'.
    HRESULT Find(const char* name, std::int32_t capacity = RenderLib::kMaxMediaPath) {
        out.assign(static_cast<std::size_t>(capacity) + 1, '#');
        return FindMediaFile(out.data(), capacity, name, module.c_str());
    }
    std::string Out() const { return std::string(out.data()); }

    fs::path savedDirectory;
    std::optional<std::string> savedVariable;
    std::string root, work, bin, module;
    std::vector<char> out;
};

TEST_F(MediaSearchTest, CandidatesAreTriedInTheirFixedOrder) {
    UseSdk();
    const std::vector<std::string> candidates = {
        work + "/sub/leaf.x",
        "../leaf.x",
        "../../leaf.x",
        bin + "/leaf.x",
        bin + "/Data/Models/leaf.x",
        bin + "/Data/Textures/leaf.x",
        bin + "/Data/Startup/leaf.x",
        bin + "/Data/Generated/leaf.x",
        bin + "/Data/leaf.x",
        bin + "/../Data/Models/leaf.x",
        bin + "/../Data/Textures/leaf.x",
        bin + "/../Data/Startup/leaf.x",
        bin + "/../Data/Generated/leaf.x",
        bin + "/../Data/leaf.x",
        bin + "/../../leaf.x",
        bin + "/../quorvane/leaf.x",  // the program's name without its extension
        root + "/sdk/Media/leaf.x",
    };
    for (const std::string& candidate : candidates) {
        Touch(candidate);
    }
    for (const std::string& candidate : candidates) {
        ASSERT_EQ(Find("sub\\leaf.x"), S_OK) << candidate;
        EXPECT_EQ(Out(), candidate);
        fs::remove(candidate);
    }
    EXPECT_EQ(Find("sub\\leaf.x"), kFileNotFound);
    EXPECT_EQ(Out(), "sub\\leaf.x");
}

TEST_F(MediaSearchTest, BackslashNamesAndDirectoriesAreFound) {
    Touch(work + "/Data/Models/blackbass.x");
    EXPECT_EQ(Find("Data\\Models\\blackbass.x"), S_OK);
    EXPECT_EQ(Out(), work + "/Data/Models/blackbass.x");
    EXPECT_EQ(Find("./Data/../Data/Models\\blackbass.x"), S_OK);
    EXPECT_EQ(Out(), work + "/Data/Models/blackbass.x");

    fs::create_directories(bin + "/Data/Textures/SkyBox");
    EXPECT_EQ(Find("SkyBox"), S_OK);
    EXPECT_EQ(Out(), bin + "/Data/Textures/SkyBox");
}

TEST_F(MediaSearchTest, WithoutTheSdkFolderAFailedSearchFailsWithNothingWritten) {
    EXPECT_EQ(Find("Data\\Models\\missing.x"), E_FAIL);
    EXPECT_EQ(Out(), "");
    ::setenv(RenderLib::kSdkMediaVariable, "", 1);
    EXPECT_EQ(Find("Data\\Models\\missing.x"), E_FAIL);
    EXPECT_EQ(Out(), "");
    // The SDK folder is only asked for once everything else has failed.
    Touch(bin + "/Data/Models/present.x");
    EXPECT_EQ(Find("Data\\Models\\present.x"), S_OK);
}

TEST_F(MediaSearchTest, AnSdkFolderTooLongForTheWorkBufferFailsTheSearch) {
    ::setenv(RenderLib::kSdkMediaVariable, std::string(255, 'm').c_str(), 1);
    EXPECT_EQ(Find("missing.x"), E_INVALIDARG);
    EXPECT_EQ(Out(), "");
}

TEST_F(MediaSearchTest, CapacityBelowTenIsRejectedBeforeAnythingIsWritten) {
    Touch(work + "/found.x");
    EXPECT_EQ(Find("found.x", 9), E_INVALIDARG);
    EXPECT_EQ(std::string(out.begin(), out.end()), std::string(10, '#'));
    EXPECT_EQ(FindMediaFile(nullptr, 260, "found.x", module.c_str()), E_INVALIDARG);
    EXPECT_EQ(Find(nullptr), E_INVALIDARG);
    EXPECT_EQ(out[0], '#');

    EXPECT_EQ(Find("found.x", 10), S_OK);
    EXPECT_EQ(Out(), work.substr(0, 9));
    EXPECT_EQ(out[10], '#') << "nothing past the capacity";
}

TEST_F(MediaSearchTest, NameCopiedBackWhenNothingExistsIsCutToTheCapacity) {
    UseSdk();
    EXPECT_EQ(Find("Data\\Models\\missing.x", 10), kFileNotFound);
    EXPECT_EQ(Out(), "Data\\Mode");
    EXPECT_EQ(Find("", 10), E_FAIL);
    EXPECT_EQ(Out(), "");
}

TEST_F(MediaSearchTest, FullPathMustStayBelowTheWorkBufferSize) {
    UseSdk();
    const std::size_t room = 259 - (work.size() + 1);  // the full path's 259 characters
    const std::string fits(room, 'f');
    EXPECT_EQ(Find(fits.c_str()), kFileNotFound);
    const std::string tooLong(room + 1, 'f');
    EXPECT_EQ(Find(tooLong.c_str()), E_FAIL);
    EXPECT_EQ(Out(), "");
}

TEST_F(MediaSearchTest, LongCandidatesAreTruncatedAndTestedAsTruncated) {
    // A program folder so deep that "<folder>/<leaf>" passes 259 characters.
    std::string deep = root + "/app";
    while (deep.size() < 200) {
        deep += "/" + std::string(40, 'd');
    }
    module = deep + "/quorvane";
    const std::string leaf(100, 'L');
    const std::string truncated = (deep + "/" + leaf).substr(0, 259);
    Touch(truncated);
    EXPECT_EQ(Find(leaf.c_str()), S_OK);
    EXPECT_EQ(Out(), truncated);
}

TEST_F(MediaSearchTest, TheRunningProgramsFolderComesFromProcSelfExe) {
    const fs::path self = fs::read_symlink("/proc/self/exe");
    std::vector<char> found(RenderLib::kMaxMediaPath);
    EXPECT_EQ(
        FindMediaFile(found.data(), RenderLib::kMaxMediaPath, self.filename().string().c_str()),
        S_OK);
    EXPECT_EQ(std::string(found.data()), self.string());
}

class SdkMediaPathTest : public MediaSearchTest {};

TEST_F(SdkMediaPathTest, IsTheVariablesFolderWithMediaAppended) {
    ::setenv(RenderLib::kSdkMediaVariable, "/opt/sdk", 1);
    char path[16];
    EXPECT_EQ(GetSdkMediaPath(path, 16), S_OK);
    EXPECT_STREQ(path, "/opt/sdk/Media/");
}

TEST_F(SdkMediaPathTest, EveryFailureHasItsOwnResultAndLeavesOutEmpty) {
    char path[32];
    EXPECT_EQ(GetSdkMediaPath(path, 32), E_FAIL);  // unset
    EXPECT_STREQ(path, "");
    EXPECT_EQ(GetSdkMediaPath(nullptr, 32), E_INVALIDARG);
    std::memset(path, '#', sizeof path);
    EXPECT_EQ(GetSdkMediaPath(path, 0), E_INVALIDARG);
    EXPECT_EQ(path[0], '#');

    ::setenv(RenderLib::kSdkMediaVariable, "/opt/sdk", 1);  // 8 characters
    EXPECT_EQ(GetSdkMediaPath(path, 15), E_INVALIDARG);     // 8 + 7 does not fit
    EXPECT_STREQ(path, "");
    EXPECT_EQ(GetSdkMediaPath(path, 9), E_INVALIDARG);  // the value fits, "/Media/" not
    EXPECT_EQ(GetSdkMediaPath(path, 8), E_FAIL);        // not even the value
    EXPECT_STREQ(path, "");
}

}  // namespace
