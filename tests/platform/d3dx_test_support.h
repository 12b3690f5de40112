#pragma once

// Shared pieces of the 3D utility layer's tests: a plain hierarchy
// allocator, a recording device, the test data folder, a writer of binary
// .x files and a guard that captures standard error.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3dx/d3dx_frame.h"
#include "platform/gfx/recording/recording_device.h"

namespace d3dx_test {

// Frames and containers as the loader hands them over: names, materials
// (with texture names) and adjacency copied, mesh and skin referenced.
class PlainAllocator final : public ID3DXAllocateHierarchy {
public:
    HRESULT CreateFrame(const char* name, D3DXFRAME** newFrame) override;
    HRESULT CreateMeshContainer(const char* name, const D3DXMESHDATA* meshData,
                                const D3DXMATERIAL* materials,
                                const D3DXEFFECTINSTANCE* effectInstances, DWORD materialCount,
                                const DWORD* adjacency, ID3DXSkinInfo* skinInfo,
                                D3DXMESHCONTAINER** newMeshContainer) override;
    HRESULT DestroyFrame(D3DXFRAME* frame) override;
    HRESULT DestroyMeshContainer(D3DXMESHCONTAINER* meshContainer) override;

    int liveFrames = 0;
    int liveContainers = 0;
};

// A recording device with capable caps, released at the end of the test.
struct DeviceHolder {
    DeviceHolder();
    ~DeviceHolder();
    std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
    RecordingDevice* device = nullptr;
};

std::string DataPath(const std::string& name);
std::vector<std::uint8_t> ReadBytes(const std::string& path);

// The lines written to standard error while it lives.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture() { Lines(); }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;
    // Stops capturing (on the first call) and returns what was written.
    std::vector<std::string> Lines();

private:
    bool taken_ = false;
};

// Writes the tokens of a binary .x file.
class XBinaryWriter {
public:
    explicit XBinaryWriter(bool doubles = false);
    XBinaryWriter& Name(const std::string& name);
    XBinaryWriter& String(const std::string& text);
    XBinaryWriter& Open();
    XBinaryWriter& Close();
    XBinaryWriter& Ints(const std::vector<std::uint32_t>& values);
    XBinaryWriter& Floats(const std::vector<double>& values);
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    void Word(std::uint32_t value);
    void Dword(std::uint32_t value);

    bool doubles_;
    std::vector<std::uint8_t> bytes_;
};

// Vertex i's position (the first three floats) of a mesh.
Vector3 PositionOf(ID3DXMesh* mesh, DWORD vertex);
// The first container of the frame named frameName.
D3DXMESHCONTAINER* ContainerOf(D3DXFRAME* root, const char* frameName);

}  // namespace d3dx_test
