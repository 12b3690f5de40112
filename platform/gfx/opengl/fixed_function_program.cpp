#include "platform/gfx/opengl/fixed_function_program.h"

#include <cstring>

#include <epoxy/gl.h>

#include "platform/gfx/opengl/fixed_function_source.h"
#include "platform/gfx/opengl/gl_state_mapping.h"
#include "platform/gfx/opengl/shader_compiler.h"

namespace {

// Copies value into cached and reports whether it changed (bitwise, so that
// equal bit patterns such as two NaNs never upload twice).
template <class T>
bool Changed(T& cached, const T& value, bool all) {
    if (!all && std::memcmp(&cached, &value, sizeof(T)) == 0) {
        return false;
    }
    std::memcpy(&cached, &value, sizeof(T));
    return true;
}

}  // namespace

std::unique_ptr<FixedFunctionProgram> FixedFunctionProgram::Build(const FixedFunctionKey& key,
                                                                  std::string* error) {
    const FixedFunctionSources sources = FixedFunctionSourcesOf(key);
    const GLuint program = LinkProgram(sources.vertex, sources.fragment, error);
    if (program == 0) {
        return nullptr;
    }
    std::unique_ptr<FixedFunctionProgram> built(new FixedFunctionProgram(program));
    built->FindUniforms();
    return built;
}

FixedFunctionProgram::FixedFunctionProgram(std::uint32_t program) : program_(program) {}

FixedFunctionProgram::~FixedFunctionProgram() {
    glDeleteProgram(program_);
}

void FixedFunctionProgram::FindUniforms() {
    const auto find = [this](const char* name) { return glGetUniformLocation(program_, name); };
    Locations& l = locations_;
    l.world = find("uWorld");
    l.view = find("uView");
    l.projection = find("uProjection");
    l.materialDiffuse = find("uMaterialDiffuse");
    l.litColor = find("uLitColor");
    l.fogDensity = find("uFogDensity");
    l.fogStart = find("uFogStart");
    l.fogEnd = find("uFogEnd");
    l.fogColor = find("uFogColor");
    // Stage n samples texture unit n for the program's whole life.
    glUseProgram(program_);
    glUniform1i(find("uTexture0"), 0);
    glUniform1i(find("uTexture1"), 1);
}

FixedFunctionProgram::Uniforms FixedFunctionProgram::UniformsOf(const DeviceState& state) {
    Uniforms values;
    values.world = state.world;
    values.view = state.view;
    values.projection = state.projection;
    const D3DMATERIAL9& material = state.material;
    values.materialDiffuse = {material.Diffuse.r, material.Diffuse.g, material.Diffuse.b,
                              material.Diffuse.a};
    float ambient[4];
    ColorToFloats(state.Render(D3DRS_AMBIENT), ambient);
    values.litColor = {ambient[0] * material.Ambient.r + material.Emissive.r,
                       ambient[1] * material.Ambient.g + material.Emissive.g,
                       ambient[2] * material.Ambient.b + material.Emissive.b, 1.0f};
    float fogColor[4];
    ColorToFloats(state.Render(D3DRS_FOGCOLOR), fogColor);
    values.fogColor = {fogColor[0], fogColor[1], fogColor[2]};
    values.fogDensity = state.RenderFloat(D3DRS_FOGDENSITY);
    values.fogStart = state.RenderFloat(D3DRS_FOGSTART);
    values.fogEnd = state.RenderFloat(D3DRS_FOGEND);
    return values;
}

void FixedFunctionProgram::Use(const DeviceState& state) {
    Upload(UniformsOf(state), !uploadedAny_);
    uploadedAny_ = true;
}

// Uniforms this variant does not declare have location -1, which OpenGL
// ignores; they are cached all the same.
void FixedFunctionProgram::Upload(const Uniforms& values, bool all) {
    Uniforms& cached = uploaded_;
    const Locations& l = locations_;
    if (Changed(cached.world, values.world, all)) {
        glUniformMatrix4fv(l.world, 1, GL_FALSE, &values.world.m[0][0]);
    }
    if (Changed(cached.view, values.view, all)) {
        glUniformMatrix4fv(l.view, 1, GL_FALSE, &values.view.m[0][0]);
    }
    if (Changed(cached.projection, values.projection, all)) {
        glUniformMatrix4fv(l.projection, 1, GL_FALSE, &values.projection.m[0][0]);
    }
    if (Changed(cached.materialDiffuse, values.materialDiffuse, all)) {
        glUniform4fv(l.materialDiffuse, 1, values.materialDiffuse.data());
    }
    if (Changed(cached.litColor, values.litColor, all)) {
        glUniform4fv(l.litColor, 1, values.litColor.data());
    }
    if (Changed(cached.fogColor, values.fogColor, all)) {
        glUniform3fv(l.fogColor, 1, values.fogColor.data());
    }
    if (Changed(cached.fogDensity, values.fogDensity, all)) {
        glUniform1f(l.fogDensity, values.fogDensity);
    }
    if (Changed(cached.fogStart, values.fogStart, all)) {
        glUniform1f(l.fogStart, values.fogStart);
    }
    if (Changed(cached.fogEnd, values.fogEnd, all)) {
        glUniform1f(l.fogEnd, values.fogEnd);
    }
}
