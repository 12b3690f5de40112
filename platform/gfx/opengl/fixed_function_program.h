#pragma once

// The shader program that stands in for the fixed-function pipeline the
// program uses, in one variant per vertex shape (vertex colour or not, 0 to
// 2 texture-coordinate sets read). Per draw it takes the device state:
// - transforms: clip = Projection × View × World × p with the program's
//   row-major, row-vector matrices uploaded unchanged (same sixteen floats as
//   the column-major, column-vector OpenGL matrix);
// - depth 0..1: through glClipControl, or remapped in the vertex shader;
// - colour with lighting off: the vertex colour, else the material diffuse;
//   with lighting on (no light sources exist in this device): ambient ×
//   material ambient + material emissive, alpha from the diffuse;
// - texture stages 0 and 1: DISABLE, SELECTARG1, SELECTARG2 and MODULATE of
//   DIFFUSE, CURRENT and TEXTURE arguments (others modulate); a stage
//   without a texture samples white;
// - fog: table (else vertex) mode EXP, EXP2 or LINEAR on the view-space depth.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gfx/opengl/device_state.h"

class FixedFunctionProgram {
public:
    // Compiles and links the variant; null with the compiler's log in error
    // when that fails. Needs the device's context current.
    static std::unique_ptr<FixedFunctionProgram> Build(bool vertexColor, int texCoordSets,
                                                       std::string* error);
    ~FixedFunctionProgram();
    FixedFunctionProgram(const FixedFunctionProgram&) = delete;
    FixedFunctionProgram& operator=(const FixedFunctionProgram&) = delete;

    // Makes the program current and uploads the uniforms for state.
    // textureBound: whether stages 0 and 1 have a texture; remapDepth: true
    // when glClipControl is not in use.
    void Use(const DeviceState& state, const std::array<bool, 2>& textureBound,
             bool remapDepth) const;

    // The variant key of a vertex shape.
    static int KeyOf(bool vertexColor, int texCoordSets);

    // Attribute locations the vertex array binds.
    static constexpr std::uint32_t kPosition = 0;
    static constexpr std::uint32_t kDiffuse = 1;
    static constexpr std::uint32_t kTexCoord0 = 2;  // set n at kTexCoord0 + n

private:
    explicit FixedFunctionProgram(std::uint32_t program);
    void FindUniforms();
    void UploadStages(const DeviceState& state, const std::array<bool, 2>& textureBound) const;
    void UploadFog(const DeviceState& state) const;

    std::uint32_t program_;
    struct Locations {
        int world = -1, view = -1, projection = -1, remapDepth = -1;
        int lighting = -1, materialDiffuse = -1, litColor = -1;
        int texCoordIndex = -1, textureBound = -1, texture0 = -1, texture1 = -1;
        int colorOp = -1, colorArg1 = -1, colorArg2 = -1;
        int alphaOp = -1, alphaArg1 = -1, alphaArg2 = -1;
        int fogMode = -1, fogDensity = -1, fogStart = -1, fogEnd = -1, fogColor = -1;
    } locations_;
};
