#pragma once

// One compiled variant of the shader program that stands in for the
// fixed-function pipeline: the program of one FixedFunctionKey (see
// fixed_function_source.h for what it computes). The device keeps one per
// key it has drawn with.
//
// Uniform uploads are cached per program: Use sends only the values that
// differ from what this program last received, which is sound because only
// Use ever sets this program's uniforms.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gfx/opengl/device_state.h"
#include "platform/gfx/opengl/fixed_function_key.h"

class FixedFunctionProgram {
public:
    // Compiles and links the variant of key; null with the compiler's log in
    // error when that fails. Needs the device's context current.
    static std::unique_ptr<FixedFunctionProgram> Build(const FixedFunctionKey& key,
                                                       std::string* error);
    ~FixedFunctionProgram();
    FixedFunctionProgram(const FixedFunctionProgram&) = delete;
    FixedFunctionProgram& operator=(const FixedFunctionProgram&) = delete;

    // Uploads the uniforms of state that changed since this program's last
    // Use. The program must be current (glUseProgram(Name())).
    void Use(const DeviceState& state);

    std::uint32_t Name() const { return program_; }

    // Attribute locations the vertex array binds.
    static constexpr std::uint32_t kPosition = 0;
    static constexpr std::uint32_t kDiffuse = 1;
    static constexpr std::uint32_t kTexCoord0 = 2;       // set n at kTexCoord0 + n
    static constexpr std::uint32_t kInstanceWorld0 = 4;  // row n at kInstanceWorld0 + n

private:
    // The numbers the program reads, as last uploaded.
    struct Uniforms {
        D3DMATRIX world;
        D3DMATRIX view;
        D3DMATRIX projection;
        std::array<float, 4> materialDiffuse{};
        std::array<float, 4> litColor{};
        std::array<float, 3> fogColor{};
        float fogDensity = 0.0f;
        float fogStart = 0.0f;
        float fogEnd = 0.0f;
    };
    struct Locations {
        int world = -1, view = -1, projection = -1;
        int materialDiffuse = -1, litColor = -1;
        int fogDensity = -1, fogStart = -1, fogEnd = -1, fogColor = -1;
    };

    explicit FixedFunctionProgram(std::uint32_t program);
    void FindUniforms();
    static Uniforms UniformsOf(const DeviceState& state);
    void Upload(const Uniforms& values, bool all);

    std::uint32_t program_;
    Locations locations_;
    Uniforms uploaded_;
    bool uploadedAny_ = false;  // false until the first Use
};
