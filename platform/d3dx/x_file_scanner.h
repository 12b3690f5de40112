#pragma once

// A checking pass over a .x file before Assimp imports it, and the layout the
// import will have.
//
// The scanner walks the file with the grammar of Assimp's X reader (objects,
// nesting, which object may hold which) through XFileTokenizer, and refuses
// whatever that reader would read out of range or trust blindly: face,
// normal, colour, material and skin-weight indices outside their lists,
// counts larger than the data behind them, frames nested deeper than
// kMaxFrameDepth, a second material list in one mesh, meshes both inside and
// outside frames, and faces of fewer than three corners. A file it accepts
// can be imported safely.
//
// The layout tells the loader what the importer does not keep: the importer
// splits each .x mesh into one mesh per used material and gives every face
// corner a vertex of its own; the layout names, for every importer mesh in
// creation order, the .x mesh it came from and the .x vertex behind each of
// its vertices, so the loader can put each .x mesh back together with the
// file's vertices, in the file's order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3dx/d3dx_math.h"
#include "platform/d3dx/x_file_tokenizer.h"

struct XFileLayout {
    // The faces of one material of a .x mesh, in file order.
    struct Part {
        int material = -1;                   // index in the mesh's material list; -1: none
        std::vector<std::uint32_t> corners;  // .x vertex of each corner, face after face
    };

    struct Mesh {
        std::string name;  // the mesh's own name in the file, if any
        std::uint32_t vertexCount = 0;
        std::vector<D3DXVECTOR3> positions;  // as read by the scanner
        std::uint32_t faceCount = 0;
        bool hasMaterialList = false;
        std::vector<Part> parts;             // one per importer mesh, in the importer's order
        std::vector<std::string> boneNames;  // skin weights in file order (names unique)
        std::vector<D3DXMATRIX> boneOffsets;
    };

    std::vector<Mesh> meshes;  // in the order the importer creates its meshes
    // The importer made the root itself: "$dummy_root" over several top-level
    // frames, or "$dummy_node" over meshes outside any frame.
    bool syntheticRoot = false;
    bool meshesOutsideFrames = false;
};

constexpr int kMaxFrameDepth = 128;

// Scans data (size bytes). Returns true and fills layout for a file the
// importer can read safely; otherwise false with the reason in error and,
// when fault is given, its kind there (kNone after a success).
bool ScanXFile(const std::uint8_t* data, std::size_t size, XFileLayout& layout, std::string& error,
               XFileFault* fault = nullptr);
