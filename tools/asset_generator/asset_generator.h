#pragma once

// Makes every asset of the program below its data folder (the "Data" folder
// beside the executable):
//
//   Models/northernpike.x, bluegill.x, blackbass.x   skinned, animated fish
//   Models/<fish>_low.x                               each one's low-detail model
//   Models/<fish>_skin.png                            their textures
//   Textures/SkyBox_Front.jpg ... SkyBox_Bottom.jpg   the underwater sky box
//   icon.png                                          the application icon
//
// The output depends on nothing but this code: running it twice gives the
// same bytes.

#include <filesystem>
#include <string>
#include <vector>

#include "tools/asset_generator/body_lofter.h"
#include "tools/asset_generator/fish_model.h"
#include "tools/asset_generator/fish_species.h"

namespace assets {

class AssetGenerator {
public:
    explicit AssetGenerator(std::filesystem::path dataDir);

    // Creates the folders and writes every file. On failure returns false
    // and Error() names the file that could not be written.
    bool Run();
    const std::string& Error() const { return error_; }

    // The paths of all files Run writes, relative to the data folder, with
    // '/' separators.
    static std::vector<std::string> OutputFiles();

    // The texture name a model's material carries: "Data\Models\<stem>_skin.png".
    // The program resolves it through its media search, from the current
    // folder and from the executable's folder.
    static std::string TextureName(const FishSpecies& species);

    // The complete model of one species: mesh, bones, skin, swim animation
    // and material. Every detail shares the bones, the animation and the
    // texture; only the mesh's fineness differs.
    static FishModel BuildFishModel(const FishSpecies& species,
                                    LoftDetail detail = LoftDetail::kFull);
    // The file stem of a species' low-detail model: "<stem>_low".
    static std::string LowDetailStem(const FishSpecies& species);

private:
    bool WriteFish(const FishSpecies& species);
    bool WriteSkyBox();
    bool Fail(const std::filesystem::path& path);

    std::filesystem::path dataDir_;
    std::string error_;
};

}  // namespace assets
