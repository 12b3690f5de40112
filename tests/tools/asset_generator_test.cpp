// The generated data files as the program finds them in the build's
// bin/Data: present, reproducible, loadable by the model importer the
// program uses, and a sky box whose faces meet without seams.

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>
#include <stb_image.h>
#include <assimp/Importer.hpp>

#include "tools/asset_generator/asset_generator.h"
#include "tools/asset_generator/sky_box_painter.h"
#include "tools/asset_generator/swim_animation.h"

namespace assets {
namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = QUORVANE_DATA_DIR;

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A decoded picture, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<unsigned char> pixels;

    const unsigned char* At(int x, int y) const {
        return &pixels[(static_cast<std::size_t>(y) * width + x) * channels];
    }
};

Picture Decode(const fs::path& path) {
    Picture picture;
    unsigned char* data =
        stbi_load(path.string().c_str(), &picture.width, &picture.height, &picture.channels, 0);
    if (data != nullptr) {
        picture.pixels.assign(data, data + static_cast<std::size_t>(picture.width) *
                                               picture.height * picture.channels);
        stbi_image_free(data);
    }
    return picture;
}

TEST(GeneratedFiles, AllArePresentInTheBuildsDataFolder) {
    for (const std::string& file : AssetGenerator::OutputFiles()) {
        const fs::path path = kDataDir / file;
        ASSERT_TRUE(fs::is_regular_file(path)) << path;
        EXPECT_GT(fs::file_size(path), 1000u) << path;
    }
    EXPECT_EQ(AssetGenerator::OutputFiles().size(), 16u);
}

TEST(GeneratedFiles, ARunReproducesTheBuildsFilesByteForByte) {
    const fs::path scratch =
        fs::temp_directory_path() / ("quorvane-assets-test-" + std::to_string(getpid()));
    AssetGenerator generator(scratch);
    ASSERT_TRUE(generator.Run()) << generator.Error();
    for (const std::string& file : AssetGenerator::OutputFiles()) {
        // Compared as a whole, so a failure names the file without dumping it.
        const std::string fresh = ReadBytes(scratch / file);
        const std::string built = ReadBytes(kDataDir / file);
        EXPECT_TRUE(fresh == built) << file << ": " << fresh.size() << " bytes now, "
                                    << built.size() << " bytes in the build";
    }
    fs::remove_all(scratch);
}

TEST(GeneratedFiles, AnUnwritableFolderIsReportedNotIgnored) {
    const fs::path blocker =
        fs::temp_directory_path() / ("quorvane-assets-blocker-" + std::to_string(getpid()));
    std::ofstream(blocker) << "a file where the data folder should go";
    AssetGenerator generator(blocker);
    EXPECT_FALSE(generator.Run());
    EXPECT_NE(generator.Error().find("cannot write"), std::string::npos);
    fs::remove(blocker);
}

class ModelFileTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        // Undo the importer's conversion to right-handed data, as the
        // program's loader does, so everything compares as stored.
        scene = importer.ReadFile((kDataDir / "Models" / (species.stem + ".x")).string(),
                                  aiProcess_ConvertToLeftHanded);
        ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    }

    FishSpecies species = AllSpecies()[GetParam()];
    FishModel model = AssetGenerator::BuildFishModel(species);
    Assimp::Importer importer;
    const aiScene* scene = nullptr;
};

TEST_P(ModelFileTest, StartsWithTheTextHeader) {
    const std::string text = ReadBytes(kDataDir / "Models" / (species.stem + ".x"));
    EXPECT_EQ(text.rfind("xof 0303txt 0032\n", 0), 0u);
}

TEST_P(ModelFileTest, ImportsAsOneSkinnedTexturedMesh) {
    ASSERT_EQ(scene->mNumMeshes, 1u);
    const aiMesh* mesh = scene->mMeshes[0];
    EXPECT_EQ(mesh->mNumFaces, model.mesh.triangles.size());
    EXPECT_EQ(mesh->mNumBones, model.bones.size());
    EXPECT_TRUE(mesh->HasNormals());
    EXPECT_TRUE(mesh->HasTextureCoords(0));
    aiString texture;
    ASSERT_EQ(
        scene->mMaterials[mesh->mMaterialIndex]->GetTexture(aiTextureType_DIFFUSE, 0, &texture),
        aiReturn_SUCCESS);
    EXPECT_EQ(std::string(texture.C_Str()), "Data\\Models\\" + species.stem + "_skin.png");
    for (unsigned b = 0; b < mesh->mNumBones; ++b) {
        EXPECT_NE(scene->mRootNode->FindNode(mesh->mBones[b]->mName), nullptr)
            << "bone without a frame: " << mesh->mBones[b]->mName.C_Str();
    }
}

TEST_P(ModelFileTest, FacesIndexExistingVerticesWhoseWeightsSumToOne) {
    const aiMesh* mesh = scene->mMeshes[0];
    std::vector<double> sums(mesh->mNumVertices, 0.0);
    for (unsigned b = 0; b < mesh->mNumBones; ++b) {
        for (unsigned w = 0; w < mesh->mBones[b]->mNumWeights; ++w) {
            const aiVertexWeight& weight = mesh->mBones[b]->mWeights[w];
            ASSERT_LT(weight.mVertexId, mesh->mNumVertices);
            sums[weight.mVertexId] += weight.mWeight;
        }
    }
    for (double sum : sums) {
        ASSERT_NEAR(sum, 1.0, 1e-5);
    }
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        ASSERT_EQ(mesh->mFaces[f].mNumIndices, 3u);
        for (unsigned i = 0; i < 3; ++i) {
            ASSERT_LT(mesh->mFaces[f].mIndices[i], mesh->mNumVertices);
        }
    }
}

TEST_P(ModelFileTest, PositionsWindingAndTextureCoordinatesArriveAsStored) {
    const aiMesh* mesh = scene->mMeshes[0];
    for (unsigned f = 0; f < mesh->mNumFaces; f += 97) {
        const Triangle& stored = model.mesh.triangles[f];
        const int storedCorner[3] = {stored.a, stored.b, stored.c};
        for (unsigned i = 0; i < 3; ++i) {
            const unsigned index = mesh->mFaces[f].mIndices[i];
            const MeshVertex& expected = model.mesh.vertices[storedCorner[i]];
            const aiVector3D& p = mesh->mVertices[index];
            EXPECT_NEAR(p.x, expected.position.x, 1e-5);
            EXPECT_NEAR(p.y, expected.position.y, 1e-5);
            EXPECT_NEAR(p.z, expected.position.z, 1e-5);
            EXPECT_NEAR(mesh->mTextureCoords[0][index].x, expected.u, 1e-5);
            EXPECT_NEAR(mesh->mTextureCoords[0][index].y, expected.v, 1e-5);
        }
    }
}

TEST_P(ModelFileTest, SwimAnimationLoopsOverOneBeat) {
    ASSERT_EQ(scene->mNumAnimations, 1u);
    const aiAnimation* swim = scene->mAnimations[0];
    EXPECT_EQ(std::string(swim->mName.C_Str()), "Swim");
    EXPECT_DOUBLE_EQ(swim->mTicksPerSecond, 4800.0);
    EXPECT_DOUBLE_EQ(swim->mDuration, species.swimPeriodTicks);
    ASSERT_EQ(swim->mNumChannels, model.bones.size());
    for (unsigned c = 0; c < swim->mNumChannels; ++c) {
        const aiNodeAnim* channel = swim->mChannels[c];
        EXPECT_NE(scene->mRootNode->FindNode(channel->mNodeName), nullptr);
        ASSERT_EQ(channel->mNumRotationKeys, static_cast<unsigned>(kSwimKeysPerBeat + 1));
        const aiQuaternion& first = channel->mRotationKeys[0].mValue;
        const aiQuaternion& last = channel->mRotationKeys[kSwimKeysPerBeat].mValue;
        EXPECT_EQ(first, last);
        EXPECT_EQ(channel->mNumPositionKeys, channel->mNumRotationKeys);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFish, ModelFileTest, ::testing::Values(0, 1, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return AllSpecies()[info.param].stem;
                         });

// Where a point of the cube's surface falls in another face's picture.
bool PixelOnFace(SkyFace face, const Vec3& point, int size, int* x, int* y) {
    const Vec3 origin = SkyBoxPainter::CubePoint(face, 0, 0);
    const Vec3 right = SkyBoxPainter::CubePoint(face, 1, 0) - origin;
    const Vec3 down = SkyBoxPainter::CubePoint(face, 0, 1) - origin;
    const Vec3 offset = point - origin;
    const double u = Dot(offset, right) / Dot(right, right);
    const double v = Dot(offset, down) / Dot(down, down);
    if (Length(offset - right * u - down * v) > 1e-6 || u < -1e-9 || u > 1 + 1e-9 || v < -1e-9 ||
        v > 1 + 1e-9) {
        return false;
    }
    *x = std::min(size - 1, static_cast<int>(u * size));
    *y = std::min(size - 1, static_cast<int>(v * size));
    return true;
}

TEST(SkyBoxFiles, NeighbouringFacesMatchAlongEverySharedEdge) {
    std::vector<Picture> faces;
    for (int f = 0; f < SkyBoxPainter::kFaceCount; ++f) {
        const SkyFace face = static_cast<SkyFace>(f);
        faces.push_back(Decode(kDataDir / "Textures" /
                               (std::string("SkyBox_") + SkyBoxPainter::FaceName(face) + ".jpg")));
        ASSERT_EQ(faces.back().width, SkyBoxPainter::kSize);
        ASSERT_EQ(faces.back().height, SkyBoxPainter::kSize);
    }
    const int n = SkyBoxPainter::kSize;
    for (int f = 0; f < SkyBoxPainter::kFaceCount; ++f) {
        // The four edges as (u, v) of a pixel centre along them.
        for (int edge = 0; edge < 4; ++edge) {
            double total = 0.0;
            int compared = 0;
            for (int i = 2; i < n - 2; ++i) {
                const double along = (i + 0.5) / n;
                const double u = edge == 0 ? along : (edge == 1 ? along : (edge == 2 ? 0.0 : 1.0));
                const double v = edge == 0 ? 0.0 : (edge == 1 ? 1.0 : along);
                const Vec3 point = SkyBoxPainter::CubePoint(static_cast<SkyFace>(f), u, v);
                for (int g = 0; g < SkyBoxPainter::kFaceCount; ++g) {
                    int x = 0;
                    int y = 0;
                    if (g == f || !PixelOnFace(static_cast<SkyFace>(g), point, n, &x, &y)) {
                        continue;
                    }
                    const unsigned char* mine =
                        faces[f].At(std::min(n - 1, static_cast<int>(u * n)),
                                    std::min(n - 1, static_cast<int>(v * n)));
                    const unsigned char* theirs = faces[g].At(x, y);
                    for (int c = 0; c < 3; ++c) {
                        total += std::abs(mine[c] - theirs[c]);
                    }
                    ++compared;
                }
            }
            ASSERT_EQ(compared, n - 4) << "face " << f << " edge " << edge;
            EXPECT_LT(total / (3.0 * compared), 3.0)
                << SkyBoxPainter::FaceName(static_cast<SkyFace>(f)) << " edge " << edge;
        }
    }
}

TEST(SkyBoxFiles, TopIsBrightAndBottomDark) {
    auto mean = [](const Picture& p) {
        double sum = 0.0;
        for (unsigned char byte : p.pixels) {
            sum += byte;
        }
        return sum / p.pixels.size();
    };
    const double top = mean(Decode(kDataDir / "Textures" / "SkyBox_Top.jpg"));
    const double front = mean(Decode(kDataDir / "Textures" / "SkyBox_Front.jpg"));
    const double bottom = mean(Decode(kDataDir / "Textures" / "SkyBox_Bottom.jpg"));
    EXPECT_GT(top, front);
    EXPECT_GT(front, bottom);
    EXPECT_LT(bottom, 30.0);
}

TEST(IconFile, IsAnOpaqueBadgeOnATransparentSquare) {
    const Picture icon = Decode(kDataDir / "icon.png");
    ASSERT_EQ(icon.channels, 4);
    ASSERT_EQ(icon.width, icon.height);
    EXPECT_GE(icon.width, 64);
    EXPECT_EQ(icon.At(0, 0)[3], 0);
    EXPECT_EQ(icon.At(icon.width - 1, icon.height - 1)[3], 0);
    EXPECT_EQ(icon.At(icon.width / 2, icon.height / 2)[3], 255);
}

TEST(FishTextureFiles, AreTheSizeTheLayoutExpects) {
    for (const FishSpecies& species : AllSpecies()) {
        const Picture skin = Decode(kDataDir / "Models" / (species.stem + "_skin.png"));
        EXPECT_EQ(skin.width, 512) << species.stem;
        EXPECT_EQ(skin.height, 256) << species.stem;
    }
}

}  // namespace
}  // namespace assets
