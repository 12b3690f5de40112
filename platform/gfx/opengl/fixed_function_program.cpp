#include "platform/gfx/opengl/fixed_function_program.h"

#include <algorithm>
#include <vector>

#include <epoxy/gl.h>

#include "platform/gfx/opengl/gl_state_mapping.h"

namespace {

// Vertex stage. Texture coordinates arrive as vec4 (unused components take
// OpenGL's defaults); each stage picks its set by its TEXCOORDINDEX.
constexpr const char* kVertexShader = R"(
layout(location = 0) in vec3 aPosition;
#if VERTEX_COLOR
layout(location = 1) in vec4 aDiffuse;
#endif
#if TEXCOORD_SETS > 0
layout(location = 2) in vec4 aTexCoord0;
#endif
#if TEXCOORD_SETS > 1
layout(location = 3) in vec4 aTexCoord1;
#endif

uniform mat4 uWorld;
uniform mat4 uView;
uniform mat4 uProjection;
uniform bool uRemapDepth;
uniform bool uLighting;
uniform vec4 uMaterialDiffuse;
uniform vec4 uLitColor;
uniform int uTexCoordIndex[2];

out vec4 vDiffuse;
out vec2 vTexCoord0;
out vec2 vTexCoord1;
out float vViewDepth;

vec2 TexCoordSet(int set) {
#if TEXCOORD_SETS > 0
    if (set == 0) return aTexCoord0.xy;
#endif
#if TEXCOORD_SETS > 1
    if (set == 1) return aTexCoord1.xy;
#endif
    return vec2(0.0);
}

void main() {
    vec4 viewPosition = uView * (uWorld * vec4(aPosition, 1.0));
    gl_Position = uProjection * viewPosition;
    if (uRemapDepth) {
        gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;
    }
    vViewDepth = viewPosition.z;
#if VERTEX_COLOR
    vec4 diffuse = aDiffuse;
#else
    vec4 diffuse = uMaterialDiffuse;
#endif
    vDiffuse = uLighting ? vec4(uLitColor.rgb, diffuse.a) : diffuse;
    vTexCoord0 = TexCoordSet(uTexCoordIndex[0]);
    vTexCoord1 = TexCoordSet(uTexCoordIndex[1]);
}
)";

// Fragment stage: the two texture stages, then fog.
constexpr const char* kFragmentShader = R"(
in vec4 vDiffuse;
in vec2 vTexCoord0;
in vec2 vTexCoord1;
in float vViewDepth;

uniform sampler2D uTexture0;
uniform sampler2D uTexture1;
uniform bool uTextureBound[2];
uniform int uColorOp[2];
uniform int uColorArg1[2];
uniform int uColorArg2[2];
uniform int uAlphaOp[2];
uniform int uAlphaArg1[2];
uniform int uAlphaArg2[2];
uniform int uFogMode;
uniform float uFogDensity;
uniform float uFogStart;
uniform float uFogEnd;
uniform vec3 uFogColor;

out vec4 fragColor;

const int kDisable = 1;
const int kSelectArg1 = 2;
const int kSelectArg2 = 3;

vec4 Argument(int argument, vec4 texel, vec4 current) {
    int source = argument & 15;
    vec4 value = source == 0 ? vDiffuse : (source == 2 ? texel : current);
    if ((argument & 16) != 0) value = vec4(1.0) - value;
    if ((argument & 32) != 0) value = vec4(value.a);
    return value;
}

vec4 Combine(int op, vec4 a, vec4 b) {
    if (op == kSelectArg1) return a;
    if (op == kSelectArg2) return b;
    return a * b;
}

vec4 Stage(int stage, vec4 texel, vec4 current) {
    vec3 color = Combine(uColorOp[stage], Argument(uColorArg1[stage], texel, current),
                         Argument(uColorArg2[stage], texel, current)).rgb;
    float alpha = current.a;
    if (uAlphaOp[stage] != kDisable) {
        alpha = Combine(uAlphaOp[stage], Argument(uAlphaArg1[stage], texel, current),
                        Argument(uAlphaArg2[stage], texel, current)).a;
    }
    return vec4(color, alpha);
}

float FogFactor(float depth) {
    if (uFogMode == 1) return exp(-uFogDensity * depth);
    if (uFogMode == 2) return exp(-(uFogDensity * depth) * (uFogDensity * depth));
    if (uFogMode == 3) {
        float range = uFogEnd - uFogStart;
        return range != 0.0 ? (uFogEnd - depth) / range : 1.0;
    }
    return 1.0;
}

void main() {
    vec4 current = vDiffuse;
    if (uColorOp[0] != kDisable) {
        vec4 texel = uTextureBound[0] ? texture(uTexture0, vTexCoord0) : vec4(1.0);
        current = Stage(0, texel, current);
        if (uColorOp[1] != kDisable) {
            vec4 texel1 = uTextureBound[1] ? texture(uTexture1, vTexCoord1) : vec4(1.0);
            current = Stage(1, texel1, current);
        }
    }
    current = clamp(current, 0.0, 1.0);
    float fog = clamp(FogFactor(vViewDepth), 0.0, 1.0);
    fragColor = vec4(mix(uFogColor, current.rgb, fog), current.a);
}
)";

std::string Header(bool vertexColor, int texCoordSets) {
    return "#version 330 core\n#define VERTEX_COLOR " + std::to_string(vertexColor ? 1 : 0) +
           "\n#define TEXCOORD_SETS " + std::to_string(texCoordSets) + "\n";
}

GLuint Compile(GLenum type, const std::string& header, const char* body, std::string* error) {
    const GLuint shader = glCreateShader(type);
    const char* sources[] = {header.c_str(), body};
    glShaderSource(shader, 2, sources, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE) {
        return shader;
    }
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    glGetShaderInfoLog(shader, length, nullptr, log.data());
    if (error != nullptr) {
        *error = std::string("shader compilation failed: ") + log.data();
    }
    glDeleteShader(shader);
    return 0;
}

GLuint Link(GLuint vertex, GLuint fragment, std::string* error) {
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDetachShader(program, vertex);
    glDetachShader(program, fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE) {
        return program;
    }
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    glGetProgramInfoLog(program, length, nullptr, log.data());
    if (error != nullptr) {
        *error = std::string("shader linking failed: ") + log.data();
    }
    glDeleteProgram(program);
    return 0;
}

// The fog formula in force: table mode first, vertex mode when the table is
// off, none unless fog is enabled.
int FogMode(const DeviceState& state) {
    if (state.Render(D3DRS_FOGENABLE) == 0) {
        return D3DFOG_NONE;
    }
    const DWORD table = state.Render(D3DRS_FOGTABLEMODE);
    const DWORD mode = table != D3DFOG_NONE ? table : state.Render(D3DRS_FOGVERTEXMODE);
    return mode <= D3DFOG_LINEAR ? static_cast<int>(mode) : static_cast<int>(D3DFOG_NONE);
}

void UploadMatrix(int location, const D3DMATRIX& matrix) {
    glUniformMatrix4fv(location, 1, GL_FALSE, &matrix.m[0][0]);
}

}  // namespace

int FixedFunctionProgram::KeyOf(bool vertexColor, int texCoordSets) {
    return (vertexColor ? 1 : 0) | (std::clamp(texCoordSets, 0, 2) << 1);
}

std::unique_ptr<FixedFunctionProgram> FixedFunctionProgram::Build(bool vertexColor,
                                                                  int texCoordSets,
                                                                  std::string* error) {
    const std::string header = Header(vertexColor, std::clamp(texCoordSets, 0, 2));
    const GLuint vertex = Compile(GL_VERTEX_SHADER, header, kVertexShader, error);
    const GLuint fragment =
        vertex != 0 ? Compile(GL_FRAGMENT_SHADER, header, kFragmentShader, error) : 0;
    const GLuint program = fragment != 0 ? Link(vertex, fragment, error) : 0;
    glDeleteShader(vertex);
    glDeleteShader(fragment);
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
    l.remapDepth = find("uRemapDepth");
    l.lighting = find("uLighting");
    l.materialDiffuse = find("uMaterialDiffuse");
    l.litColor = find("uLitColor");
    l.texCoordIndex = find("uTexCoordIndex");
    l.textureBound = find("uTextureBound");
    l.texture0 = find("uTexture0");
    l.texture1 = find("uTexture1");
    l.colorOp = find("uColorOp");
    l.colorArg1 = find("uColorArg1");
    l.colorArg2 = find("uColorArg2");
    l.alphaOp = find("uAlphaOp");
    l.alphaArg1 = find("uAlphaArg1");
    l.alphaArg2 = find("uAlphaArg2");
    l.fogMode = find("uFogMode");
    l.fogDensity = find("uFogDensity");
    l.fogStart = find("uFogStart");
    l.fogEnd = find("uFogEnd");
    l.fogColor = find("uFogColor");
}

void FixedFunctionProgram::Use(const DeviceState& state, const std::array<bool, 2>& textureBound,
                               bool remapDepth) const {
    glUseProgram(program_);
    UploadMatrix(locations_.world, state.world);
    UploadMatrix(locations_.view, state.view);
    UploadMatrix(locations_.projection, state.projection);
    glUniform1i(locations_.remapDepth, remapDepth ? 1 : 0);

    const D3DMATERIAL9& material = state.material;
    glUniform1i(locations_.lighting, state.Render(D3DRS_LIGHTING) != 0 ? 1 : 0);
    glUniform4f(locations_.materialDiffuse, material.Diffuse.r, material.Diffuse.g,
                material.Diffuse.b, material.Diffuse.a);
    float ambient[4];
    ColorToFloats(state.Render(D3DRS_AMBIENT), ambient);
    glUniform4f(locations_.litColor, ambient[0] * material.Ambient.r + material.Emissive.r,
                ambient[1] * material.Ambient.g + material.Emissive.g,
                ambient[2] * material.Ambient.b + material.Emissive.b, 1.0f);
    UploadStages(state, textureBound);
    UploadFog(state);
}

void FixedFunctionProgram::UploadStages(const DeviceState& state,
                                        const std::array<bool, 2>& textureBound) const {
    GLint texCoordIndex[2];
    GLint bound[2];
    GLint colorOp[2], colorArg1[2], colorArg2[2], alphaOp[2], alphaArg1[2], alphaArg2[2];
    for (DWORD stage = 0; stage < 2; ++stage) {
        texCoordIndex[stage] =
            static_cast<GLint>(state.Stage(stage, D3DTSS_TEXCOORDINDEX) & 0xFFFF);
        bound[stage] = textureBound[stage] ? 1 : 0;
        colorOp[stage] = static_cast<GLint>(state.Stage(stage, D3DTSS_COLOROP));
        colorArg1[stage] = static_cast<GLint>(state.Stage(stage, D3DTSS_COLORARG1));
        colorArg2[stage] = static_cast<GLint>(state.Stage(stage, D3DTSS_COLORARG2));
        alphaOp[stage] = static_cast<GLint>(state.Stage(stage, D3DTSS_ALPHAOP));
        alphaArg1[stage] = static_cast<GLint>(state.Stage(stage, D3DTSS_ALPHAARG1));
        alphaArg2[stage] = static_cast<GLint>(state.Stage(stage, D3DTSS_ALPHAARG2));
    }
    glUniform1iv(locations_.texCoordIndex, 2, texCoordIndex);
    glUniform1iv(locations_.textureBound, 2, bound);
    glUniform1iv(locations_.colorOp, 2, colorOp);
    glUniform1iv(locations_.colorArg1, 2, colorArg1);
    glUniform1iv(locations_.colorArg2, 2, colorArg2);
    glUniform1iv(locations_.alphaOp, 2, alphaOp);
    glUniform1iv(locations_.alphaArg1, 2, alphaArg1);
    glUniform1iv(locations_.alphaArg2, 2, alphaArg2);
    glUniform1i(locations_.texture0, 0);
    glUniform1i(locations_.texture1, 1);
}

void FixedFunctionProgram::UploadFog(const DeviceState& state) const {
    glUniform1i(locations_.fogMode, FogMode(state));
    glUniform1f(locations_.fogDensity, state.RenderFloat(D3DRS_FOGDENSITY));
    glUniform1f(locations_.fogStart, state.RenderFloat(D3DRS_FOGSTART));
    glUniform1f(locations_.fogEnd, state.RenderFloat(D3DRS_FOGEND));
    float fogColor[4];
    ColorToFloats(state.Render(D3DRS_FOGCOLOR), fogColor);
    glUniform3f(locations_.fogColor, fogColor[0], fogColor[1], fogColor[2]);
}
