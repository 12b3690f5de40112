#include "platform/gfx/opengl/fixed_function_source.h"

namespace {

// Varying of stage n's texture coordinates, when it has its own.
std::string TexCoordVarying(int stage) {
    return "vTexCoord" + std::to_string(stage);
}

bool HasTexCoordVarying(const FixedFunctionStage& stage) {
    return stage.sampled && stage.texCoordSet >= 0;
}

std::string VertexDeclarations(const FixedFunctionKey& key) {
    std::string text =
        "#version 330 core\n"
        "layout(location = 0) in vec3 aPosition;\n";
    if (key.vertexColor) {
        text += "layout(location = 1) in vec4 aDiffuse;\n";
    }
    // Sets arrive as vec4: missing components take OpenGL's defaults.
    for (int set = 0; set < FixedFunctionKey::kStages; ++set) {
        if (key.ReadsTexCoordSet(set)) {
            text += "layout(location = " + std::to_string(2 + set) + ") in vec4 aTexCoord" +
                    std::to_string(set) + ";\n";
        }
    }
    // A D3DMATRIX's rows are the columns of the same OpenGL matrix.
    text += key.instancedWorld ? "layout(location = 4) in vec4 aWorld0;\n"
                                 "layout(location = 5) in vec4 aWorld1;\n"
                                 "layout(location = 6) in vec4 aWorld2;\n"
                                 "layout(location = 7) in vec4 aWorld3;\n"
                               : "uniform mat4 uWorld;\n";
    text += "uniform mat4 uView;\nuniform mat4 uProjection;\n";
    if (!key.vertexColor) {
        text += "uniform vec4 uMaterialDiffuse;\n";
    }
    if (key.lighting) {
        text += "uniform vec4 uLitColor;\n";
    }
    text += "out vec4 vDiffuse;\n";
    for (int stage = 0; stage < FixedFunctionKey::kStages; ++stage) {
        if (HasTexCoordVarying(key.stages[static_cast<std::size_t>(stage)])) {
            text += "out vec2 " + TexCoordVarying(stage) + ";\n";
        }
    }
    if (key.fog != FogFormula::kNone) {
        text += "out float vViewDepth;\n";
    }
    return text;
}

std::string VertexMain(const FixedFunctionKey& key) {
    const std::string world =
        key.instancedWorld ? "mat4(aWorld0, aWorld1, aWorld2, aWorld3)" : "uWorld";
    std::string text =
        "void main() {\n"
        "    vec4 viewPosition = uView * (" +
        world +
        " * vec4(aPosition, 1.0));\n"
        "    gl_Position = uProjection * viewPosition;\n";
    if (key.remapDepth) {
        text += "    gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;\n";
    }
    if (key.fog != FogFormula::kNone) {
        text += "    vViewDepth = viewPosition.z;\n";
    }
    text += key.vertexColor ? "    vec4 diffuse = aDiffuse;\n"
                            : "    vec4 diffuse = uMaterialDiffuse;\n";
    text += key.lighting ? "    vDiffuse = vec4(uLitColor.rgb, diffuse.a);\n"
                         : "    vDiffuse = diffuse;\n";
    for (int stage = 0; stage < FixedFunctionKey::kStages; ++stage) {
        const FixedFunctionStage& settings = key.stages[static_cast<std::size_t>(stage)];
        if (HasTexCoordVarying(settings)) {
            text += "    " + TexCoordVarying(stage) + " = aTexCoord" +
                    std::to_string(settings.texCoordSet) + ".xy;\n";
        }
    }
    return text + "}\n";
}

std::string FragmentDeclarations(const FixedFunctionKey& key) {
    std::string text = "#version 330 core\nin vec4 vDiffuse;\n";
    for (int stage = 0; stage < FixedFunctionKey::kStages; ++stage) {
        const FixedFunctionStage& settings = key.stages[static_cast<std::size_t>(stage)];
        if (HasTexCoordVarying(settings)) {
            text += "in vec2 " + TexCoordVarying(stage) + ";\n";
        }
        if (settings.sampled) {
            text += "uniform sampler2D uTexture" + std::to_string(stage) + ";\n";
        }
    }
    switch (key.fog) {
        case FogFormula::kNone:
            break;
        case FogFormula::kExp:
        case FogFormula::kExp2:
            text += "in float vViewDepth;\nuniform float uFogDensity;\nuniform vec3 uFogColor;\n";
            break;
        case FogFormula::kLinear:
            text +=
                "in float vViewDepth;\nuniform float uFogStart;\nuniform float uFogEnd;\n"
                "uniform vec3 uFogColor;\n";
            break;
    }
    return text + "out vec4 fragColor;\n";
}

std::string ArgumentExpression(const StageArgument& argument) {
    std::string value;
    switch (argument.source) {
        case ArgumentSource::kCurrent:
            value = "current";
            break;
        case ArgumentSource::kDiffuse:
            value = "vDiffuse";
            break;
        case ArgumentSource::kTexture:
            value = "texel";
            break;
    }
    if (argument.complement) {
        value = "(vec4(1.0) - " + value + ")";
    }
    if (argument.alphaReplicate) {
        value = "vec4(" + value + ".a)";
    }
    return value;
}

std::string CombineExpression(StageOperation operation, const StageArgument& arg1,
                              const StageArgument& arg2) {
    switch (operation) {
        case StageOperation::kSelectArg1:
            return ArgumentExpression(arg1);
        case StageOperation::kSelectArg2:
            return ArgumentExpression(arg2);
        default:
            return "(" + ArgumentExpression(arg1) + " * " + ArgumentExpression(arg2) + ")";
    }
}

std::string StageCode(const FixedFunctionStage& stage, int index) {
    std::string texel = "vec4(1.0)";  // a stage without a texture reads white
    if (stage.sampled) {
        const std::string coordinates =
            stage.texCoordSet >= 0 ? TexCoordVarying(index) : std::string("vec2(0.0)");
        texel = "texture(uTexture" + std::to_string(index) + ", " + coordinates + ")";
    }
    std::string text = "    {\n        vec4 texel = " + texel + ";\n";
    text += "        vec3 color = " +
            CombineExpression(stage.colorOp, stage.colorArg1, stage.colorArg2) + ".rgb;\n";
    text += stage.alphaOp == StageOperation::kDisable
                ? std::string("        float alpha = current.a;\n")
                : "        float alpha = " +
                      CombineExpression(stage.alphaOp, stage.alphaArg1, stage.alphaArg2) + ".a;\n";
    return text + "        current = vec4(color, alpha);\n    }\n";
}

std::string FogFactorExpression(FogFormula fog) {
    switch (fog) {
        case FogFormula::kExp:
            return "exp(-uFogDensity * vViewDepth)";
        case FogFormula::kExp2:
            return "exp(-(uFogDensity * vViewDepth) * (uFogDensity * vViewDepth))";
        default:
            return "(fogRange != 0.0 ? (uFogEnd - vViewDepth) / fogRange : 1.0)";
    }
}

std::string FragmentMain(const FixedFunctionKey& key) {
    std::string text = "void main() {\n    vec4 current = vDiffuse;\n";
    for (int index = 0; index < FixedFunctionKey::kStages; ++index) {
        const FixedFunctionStage& stage = key.stages[static_cast<std::size_t>(index)];
        if (stage.colorOp != StageOperation::kDisable) {
            text += StageCode(stage, index);
        }
    }
    text += "    current = clamp(current, 0.0, 1.0);\n";
    const std::string alpha = key.opaqueTarget ? "1.0" : "current.a";
    if (key.fog == FogFormula::kNone) {
        return text + "    fragColor = vec4(current.rgb, " + alpha + ");\n}\n";
    }
    if (key.fog == FogFormula::kLinear) {
        text += "    float fogRange = uFogEnd - uFogStart;\n";
    }
    text += "    float fog = clamp(" + FogFactorExpression(key.fog) + ", 0.0, 1.0);\n";
    return text + "    fragColor = vec4(mix(uFogColor, current.rgb, fog), " + alpha + ");\n}\n";
}

}  // namespace

FixedFunctionSources FixedFunctionSourcesOf(const FixedFunctionKey& key) {
    return {VertexDeclarations(key) + VertexMain(key),
            FragmentDeclarations(key) + FragmentMain(key)};
}
