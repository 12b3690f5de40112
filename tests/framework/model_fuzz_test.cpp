#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/hierarchy_allocator.h"
#include "framework/hierarchy_model.h"
#include "model_test_support.h"
#include "platform/d3dx/d3dx_hierarchy_loader.h"

// Damaged model files: every test file and every generated fish model, cut
// short and with bytes flipped, goes through the loader and, when it still
// loads, through a whole model's life. Nothing may crash or read out of
// range (run it in the sanitizer build), and every refusal says why.

namespace {

namespace fs = std::filesystem;
using RenderLib::CHierarchyAllocator;
using RenderLib::CHierarchyModel;

std::vector<fs::path> ModelFiles() {
    std::vector<fs::path> files;
    for (const char* folder : {QUORVANE_TEST_DATA_DIR, QUORVANE_GENERATED_MODELS_DIR}) {
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
            if (entry.path().extension() == ".x") {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A small deterministic generator, so that a failure can be replayed.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed) : state_(seed) {}
    std::uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }

private:
    std::uint32_t state_;
};

// Cuts and flips per file: 400 of each for the small hand-written files,
// fewer for large ones, so that the sanitizer build stays quick.
std::size_t Budget(std::size_t size) {
    return std::clamp<std::size_t>(20'000'000 / std::max<std::size_t>(size, 1), 60, 400);
}

// Lengths to cut at, spread over the file, and the last 40 of them.
std::vector<std::size_t> CutLengths(std::size_t size) {
    std::vector<std::size_t> lengths;
    const std::size_t step = std::max<std::size_t>(1, size / Budget(size));
    for (std::size_t length = 0; length < size; length += step) {
        lengths.push_back(length);
    }
    for (std::size_t back = 1; back <= std::min<std::size_t>(size, 40); ++back) {
        lengths.push_back(size - back);
    }
    return lengths;
}

std::vector<std::vector<std::uint8_t>> Damaged(const std::vector<std::uint8_t>& whole,
                                               std::uint32_t seed) {
    std::vector<std::vector<std::uint8_t>> inputs;
    for (std::size_t length : CutLengths(whole.size())) {
        inputs.emplace_back(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    }
    Lcg random(seed);
    const std::uint8_t interesting[] = {'0', '9', ';', ',', '{', '}', '-', '.', 0x00, 0xFF};
    const int flips = static_cast<int>(Budget(whole.size()));
    for (int flip = 0; flip < flips && !whole.empty(); ++flip) {
        std::vector<std::uint8_t> copy = whole;
        const std::size_t at = random.Next() % copy.size();
        // Half plain bit flips, half characters the grammar cares about.
        copy[at] = flip % 2 == 0 ? static_cast<std::uint8_t>(copy[at] ^ (1u << (flip / 2 % 8)))
                                 : interesting[random.Next() % sizeof interesting];
        inputs.push_back(std::move(copy));
    }
    return inputs;
}

// The loader with the model's own allocator; a refusal must say why.
bool LoadsInMemory(IDirect3DDevice9* device, const std::vector<std::uint8_t>& bytes) {
    CHierarchyModel owner;
    CHierarchyAllocator allocator(owner);
    D3DXFRAME* root = nullptr;
    ID3DXAnimationController* controller = nullptr;
    model_test::StderrCapture errors;
    const HRESULT result =
        D3DXLoadMeshHierarchyFromXInMemory(bytes.data(), bytes.size(), D3DXMESH_MANAGED, device,
                                           &allocator, nullptr, &root, &controller);
    const std::vector<std::string> lines = errors.Lines();
    if (FAILED(result)) {
        EXPECT_EQ(root, nullptr);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [](const std::string& line) {
                                    return line.rfind("D3DXLoadMeshHierarchyFromXA: (memory): ",
                                                      0) == 0;
                                }))
            << "result " << std::hex << result;
        return false;
    }
    D3DXFrameDestroy(root, &allocator);
    SafeRelease(controller);
    return true;
}

// A whole model's life on a damaged file that still loads.
void LiveThrough(IDirect3DDevice9* device, const fs::path& path,
                 const std::vector<std::uint8_t>& bytes) {
    {
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    CHierarchyModel model;
    model_test::StderrCapture quiet;
    if (SUCCEEDED(model.Load(device, path.string().c_str()))) {
        float box[6];
        model.GetBounds(box);
        model.Animate(device, 0.37f);
        model.Render(device, 0, 0);
        model.Animate(device, 12.5f);
        model.Render(device, 0, 0);
    }
}

TEST(ModelFuzzTest, DamagedModelFilesNeverCrashTheLoaderOrTheModel) {
    const std::vector<fs::path> files = ModelFiles();
    ASSERT_GE(files.size(), 8u);  // the hand-written files at least
    model_test::ScratchFolder folder("model_fuzz");
    model_test::DeviceHolder holder;
    std::uint32_t seed = 1;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        const std::vector<std::uint8_t> whole = ReadBytes(file);
        ASSERT_FALSE(whole.empty());
        int loaded = 0;
        for (const std::vector<std::uint8_t>& damaged : Damaged(whole, seed++)) {
            if (LoadsInMemory(holder.device, damaged)) {
                ++loaded;
                if (loaded % 8 == 1) {
                    LiveThrough(holder.device, folder.Path() / "damaged.x", damaged);
                }
            }
            holder.log->Clear();
        }
        EXPECT_TRUE(LoadsInMemory(holder.device, whole));
        RecordProperty(file.filename().string(), loaded);
    }
}

}  // namespace
