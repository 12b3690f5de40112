#include "tools/asset_generator/x_file_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

namespace assets {

namespace {

std::string Number(double value) {
    if (std::abs(value) < 5e-7) {
        value = 0.0;  // no "-0.000000"
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

// The sixteen numbers of a matrix that only translates, row by row.
std::string TranslationMatrix(const Vec3& t) {
    std::ostringstream out;
    const double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, t.x, t.y, t.z, 1};
    for (int i = 0; i < 16; ++i) {
        out << Number(m[i]) << (i == 15 ? ";;" : ",");
    }
    return out.str();
}

// "x;y;z;" — one Vector element.
std::string Vector(const Vec3& v) {
    return Number(v.x) + ";" + Number(v.y) + ";" + Number(v.z) + ";";
}

// Array elements are separated by "," and the array ends with ";".
const char* ElementEnd(std::size_t i, std::size_t count) {
    return i + 1 == count ? ";" : ",";
}

std::vector<int> WeightsPerVertex(const FishModel& model) {
    std::vector<int> counts(model.mesh.vertices.size(), 0);
    for (const BoneWeights& bone : model.skin) {
        for (int v : bone.vertices) {
            ++counts[v];
        }
    }
    return counts;
}

void WriteFaces(std::ostream& out, const std::vector<Triangle>& triangles) {
    out << "  " << triangles.size() << ";\n";
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const Triangle& f = triangles[i];
        out << "  3;" << f.a << "," << f.b << "," << f.c << ";" << ElementEnd(i, triangles.size())
            << "\n";
    }
}

void WriteMaterial(std::ostream& out, const FishModel& model) {
    const std::size_t faces = model.mesh.triangles.size();
    out << "  MeshMaterialList {\n   1;\n   " << faces << ";\n   ";
    for (std::size_t i = 0; i < faces; ++i) {
        out << "0" << ElementEnd(i, faces) << ((i % 32 == 31) ? "\n   " : "");
    }
    const Color& d = model.diffuse;
    out << "\n   Material " << model.name << "_skin {\n"
        << "    " << Number(d.r) << ";" << Number(d.g) << ";" << Number(d.b) << ";" << Number(d.a)
        << ";;\n"
        << "    " << Number(0.0) << ";\n"
        << "    " << Number(0.0) << ";" << Number(0.0) << ";" << Number(0.0) << ";;\n"
        << "    " << Number(0.0) << ";" << Number(0.0) << ";" << Number(0.0) << ";;\n"
        << "    TextureFilename {\n     \"" << model.textureName << "\";\n    }\n"
        << "   }\n  }\n";
}

void WriteSkin(std::ostream& out, const FishModel& model) {
    const std::vector<int> counts = WeightsPerVertex(model);
    const int perVertex = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
    out << "  XSkinMeshHeader {\n   " << perVertex << ";\n   "
        << XFileWriter::MaxBonesPerFace(model) << ";\n   " << model.bones.size() << ";\n  }\n";
    for (std::size_t b = 0; b < model.bones.size(); ++b) {
        const BoneWeights& weights = model.skin[b];
        const std::size_t n = weights.vertices.size();
        out << "  SkinWeights {\n   \"" << model.bones[b].name << "\";\n   " << n << ";\n   ";
        for (std::size_t i = 0; i < n; ++i) {
            out << weights.vertices[i] << ElementEnd(i, n) << ((i % 16 == 15) ? "\n   " : "");
        }
        out << "\n   ";
        for (std::size_t i = 0; i < n; ++i) {
            out << Number(weights.weights[i]) << ElementEnd(i, n) << ((i % 8 == 7) ? "\n   " : "");
        }
        // Model space to the bone's rest space: the inverse of its rest pose.
        out << "\n   " << TranslationMatrix(-model.bones[b].joint) << "\n  }\n";
    }
}

void WriteMesh(std::ostream& out, const FishModel& model) {
    const auto& vertices = model.mesh.vertices;
    const std::size_t n = vertices.size();
    out << " Mesh " << model.name << "_body {\n  " << n << ";\n";
    for (std::size_t i = 0; i < n; ++i) {
        out << "  " << Vector(vertices[i].position) << ElementEnd(i, n) << "\n";
    }
    WriteFaces(out, model.mesh.triangles);
    out << "  MeshNormals {\n  " << n << ";\n";
    for (std::size_t i = 0; i < n; ++i) {
        out << "  " << Vector(vertices[i].normal) << ElementEnd(i, n) << "\n";
    }
    WriteFaces(out, model.mesh.triangles);
    out << "  }\n  MeshTextureCoords {\n  " << n << ";\n";
    for (std::size_t i = 0; i < n; ++i) {
        out << "  " << Number(vertices[i].u) << ";" << Number(vertices[i].v) << ";"
            << ElementEnd(i, n) << "\n";
    }
    out << "  }\n";
    WriteMaterial(out, model);
    WriteSkin(out, model);
    out << " }\n";
}

void WriteBoneChain(std::ostream& out, const FishModel& model) {
    std::string indent = " ";
    for (const Bone& bone : model.bones) {
        out << indent << "Frame " << bone.name << " {\n"
            << indent << " FrameTransformMatrix {\n"
            << indent << "  " << TranslationMatrix(bone.offset) << "\n"
            << indent << " }\n";
        indent += " ";
    }
    for (std::size_t i = model.bones.size(); i > 0; --i) {
        indent.pop_back();
        out << indent << "}\n";
    }
}

void WriteKeys(std::ostream& out, const BoneTrack& track, int keyType) {
    const std::size_t n = track.keys.size();
    out << "   AnimationKey {\n    " << keyType << ";\n    " << n << ";\n";
    for (std::size_t i = 0; i < n; ++i) {
        const AnimationKey& key = track.keys[i];
        out << "    " << key.tick << ";";
        if (keyType == 0) {
            const Quat& q = key.rotation;
            out << "4;" << Number(q.w) << "," << Number(q.x) << "," << Number(q.y) << ","
                << Number(q.z);
        } else {
            const Vec3 v = keyType == 1 ? Vec3{1.0, 1.0, 1.0} : key.translation;
            out << "3;" << Number(v.x) << "," << Number(v.y) << "," << Number(v.z);
        }
        out << ";;" << ElementEnd(i, n) << "\n";
    }
    out << "   }\n";
}

void WriteAnimation(std::ostream& out, const FishModel& model) {
    out << "AnimationSet " << model.animation.name << " {\n";
    for (const BoneTrack& track : model.animation.tracks) {
        out << " Animation {\n  { " << model.bones[track.bone].name << " }\n"
            << "  AnimationOptions {\n   0;\n   1;\n  }\n";  // closed (looping), linear
        for (int keyType : {0, 1, 2}) {
            WriteKeys(out, track, keyType);
        }
        out << " }\n";
    }
    out << "}\n";
}

}  // namespace

int XFileWriter::MaxBonesPerFace(const FishModel& model) {
    std::vector<std::vector<int>> bonesOf(model.mesh.vertices.size());
    for (std::size_t b = 0; b < model.skin.size(); ++b) {
        for (int v : model.skin[b].vertices) {
            bonesOf[v].push_back(static_cast<int>(b));
        }
    }
    std::size_t most = 0;
    for (const Triangle& tri : model.mesh.triangles) {
        std::set<int> bones;
        for (int v : {tri.a, tri.b, tri.c}) {
            bones.insert(bonesOf[v].begin(), bonesOf[v].end());
        }
        most = std::max(most, bones.size());
    }
    return static_cast<int>(most);
}

std::string XFileWriter::ToText(const FishModel& model) {
    std::ostringstream out;
    out << "xof 0303txt 0032\n\n"
        << "AnimTicksPerSecond {\n " << model.animation.ticksPerSecond << ";\n}\n\n"
        << "Frame " << model.name << " {\n"
        << " FrameTransformMatrix {\n  " << TranslationMatrix({}) << "\n }\n";
    WriteMesh(out, model);
    WriteBoneChain(out, model);
    out << "}\n\n";
    WriteAnimation(out, model);
    return out.str();
}

bool XFileWriter::WriteFile(const FishModel& model, const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    file << ToText(model);
    return static_cast<bool>(file);
}

}  // namespace assets
