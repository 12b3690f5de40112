#include "tools/asset_generator/asset_generator.h"

#include <system_error>

#include "tools/asset_generator/body_lofter.h"
#include "tools/asset_generator/body_shape.h"
#include "tools/asset_generator/fish_texture_painter.h"
#include "tools/asset_generator/icon_painter.h"
#include "tools/asset_generator/skin_weights.h"
#include "tools/asset_generator/sky_box_painter.h"
#include "tools/asset_generator/swim_animation.h"
#include "tools/asset_generator/x_file_writer.h"

namespace assets {

namespace {

constexpr int kJpegQuality = 92;

}  // namespace

AssetGenerator::AssetGenerator(std::filesystem::path dataDir) : dataDir_(std::move(dataDir)) {}

bool AssetGenerator::Run() {
    std::error_code ignored;
    std::filesystem::create_directories(dataDir_ / "Models", ignored);
    std::filesystem::create_directories(dataDir_ / "Textures", ignored);
    for (const FishSpecies& species : AllSpecies()) {
        if (!WriteFish(species)) {
            return false;
        }
    }
    if (!WriteSkyBox()) {
        return false;
    }
    const std::filesystem::path icon = dataDir_ / "icon.png";
    return IconPainter::Paint().WritePng(icon.string()) || Fail(icon);
}

std::vector<std::string> AssetGenerator::OutputFiles() {
    std::vector<std::string> files;
    for (const FishSpecies& species : AllSpecies()) {
        files.push_back("Models/" + species.stem + ".x");
        files.push_back("Models/" + LowDetailStem(species) + ".x");
        files.push_back("Models/" + species.stem + "_skin.png");
    }
    for (int f = 0; f < SkyBoxPainter::kFaceCount; ++f) {
        files.push_back(std::string("Textures/SkyBox_") +
                        SkyBoxPainter::FaceName(static_cast<SkyFace>(f)) + ".jpg");
    }
    files.push_back("icon.png");
    return files;
}

std::string AssetGenerator::TextureName(const FishSpecies& species) {
    return "Data\\Models\\" + species.stem + "_skin.png";
}

std::string AssetGenerator::LowDetailStem(const FishSpecies& species) {
    return species.stem + "_low";
}

FishModel AssetGenerator::BuildFishModel(const FishSpecies& species, LoftDetail detail) {
    const BodyShape shape(species);
    FishModel model;
    model.name = species.stem;
    model.mesh = BodyLofter(shape, detail).Build();
    model.bones = BuildSpineBones(shape);
    model.skin = ComputeSkinWeights(model.mesh, model.bones);
    model.animation = BuildSwimAnimation(species, model.bones);
    model.diffuse = {1.0, 1.0, 1.0, 1.0};
    model.textureName = TextureName(species);
    return model;
}

bool AssetGenerator::WriteFish(const FishSpecies& species) {
    const std::filesystem::path model = dataDir_ / "Models" / (species.stem + ".x");
    if (!XFileWriter::WriteFile(BuildFishModel(species), model.string())) {
        return Fail(model);
    }
    const std::filesystem::path low = dataDir_ / "Models" / (LowDetailStem(species) + ".x");
    if (!XFileWriter::WriteFile(BuildFishModel(species, LoftDetail::kLow), low.string())) {
        return Fail(low);
    }
    const BodyShape shape(species);
    const std::filesystem::path texture = dataDir_ / "Models" / (species.stem + "_skin.png");
    return FishTexturePainter(shape).Paint().WritePng(texture.string()) || Fail(texture);
}

bool AssetGenerator::WriteSkyBox() {
    for (int f = 0; f < SkyBoxPainter::kFaceCount; ++f) {
        const SkyFace face = static_cast<SkyFace>(f);
        const std::filesystem::path path =
            dataDir_ / "Textures" /
            (std::string("SkyBox_") + SkyBoxPainter::FaceName(face) + ".jpg");
        if (!SkyBoxPainter::PaintFace(face).WriteJpeg(path.string(), kJpegQuality)) {
            return Fail(path);
        }
    }
    return true;
}

bool AssetGenerator::Fail(const std::filesystem::path& path) {
    error_ = "cannot write " + path.string();
    return false;
}

}  // namespace assets
