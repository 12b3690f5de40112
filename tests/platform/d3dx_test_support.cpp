#include "d3dx_test_support.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace d3dx_test {

namespace {
struct PlainContainer : D3DXMESHCONTAINER {
    std::string nameStorage;
    std::vector<D3DXMATERIAL> materialStorage;
    std::vector<std::string> textureStorage;
    std::vector<DWORD> adjacencyStorage;
};

struct PlainFrame : D3DXFRAME {
    std::string nameStorage;
};
}  // namespace

HRESULT PlainAllocator::CreateFrame(const char* name, D3DXFRAME** newFrame) {
    auto* frame = new PlainFrame();
    if (name != nullptr) {
        frame->nameStorage = name;
        frame->Name = frame->nameStorage.data();
    }
    *newFrame = frame;
    ++liveFrames;
    return S_OK;
}

HRESULT PlainAllocator::CreateMeshContainer(const char* name, const D3DXMESHDATA* meshData,
                                            const D3DXMATERIAL* materials,
                                            const D3DXEFFECTINSTANCE*, DWORD materialCount,
                                            const DWORD* adjacency, ID3DXSkinInfo* skinInfo,
                                            D3DXMESHCONTAINER** newMeshContainer) {
    auto* container = new PlainContainer();
    if (name != nullptr) {
        container->nameStorage = name;
        container->Name = container->nameStorage.data();
    }
    container->MeshData = *meshData;
    meshData->pMesh->AddRef();
    container->textureStorage.resize(materialCount);
    for (DWORD i = 0; i < materialCount; ++i) {
        container->materialStorage.push_back(materials[i]);
        if (materials[i].pTextureFilename != nullptr) {
            container->textureStorage[i] = materials[i].pTextureFilename;
            container->materialStorage[i].pTextureFilename = container->textureStorage[i].data();
        }
    }
    container->pMaterials = container->materialStorage.data();
    container->NumMaterials = materialCount;
    container->adjacencyStorage.assign(adjacency, adjacency + meshData->pMesh->GetNumFaces() * 3);
    container->pAdjacency = container->adjacencyStorage.data();
    if (skinInfo != nullptr) {
        skinInfo->AddRef();
        container->pSkinInfo = skinInfo;
    }
    *newMeshContainer = container;
    ++liveContainers;
    return S_OK;
}

HRESULT PlainAllocator::DestroyFrame(D3DXFRAME* frame) {
    delete static_cast<PlainFrame*>(frame);
    --liveFrames;
    return S_OK;
}

HRESULT PlainAllocator::DestroyMeshContainer(D3DXMESHCONTAINER* meshContainer) {
    auto* container = static_cast<PlainContainer*>(meshContainer);
    SafeRelease(container->MeshData.pMesh);
    SafeRelease(container->pSkinInfo);
    delete container;
    --liveContainers;
    return S_OK;
}

DeviceHolder::DeviceHolder()
    : device(new RecordingDevice(log, CapableCaps(), D3DPRESENT_PARAMETERS{})) {}

DeviceHolder::~DeviceHolder() {
    device->Release();
}

std::string DataPath(const std::string& name) {
    return std::string(QUORVANE_TEST_DATA_DIR) + "/" + name;
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

StderrCapture::StderrCapture() {
    ::testing::internal::CaptureStderr();
}

std::vector<std::string> StderrCapture::Lines() {
    std::vector<std::string> lines;
    if (taken_) {
        return lines;
    }
    taken_ = true;
    std::istringstream text(::testing::internal::GetCapturedStderr());
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    return lines;
}

XBinaryWriter::XBinaryWriter(bool doubles) : doubles_(doubles) {
    const std::string header = doubles ? "xof 0302bin 0064" : "xof 0302bin 0032";
    bytes_.assign(header.begin(), header.end());
}

void XBinaryWriter::Word(std::uint32_t value) {
    bytes_.push_back(static_cast<std::uint8_t>(value));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void XBinaryWriter::Dword(std::uint32_t value) {
    Word(value & 0xFFFFu);
    Word(value >> 16);
}

XBinaryWriter& XBinaryWriter::Name(const std::string& name) {
    Word(0x01);
    Dword(static_cast<std::uint32_t>(name.size()));
    bytes_.insert(bytes_.end(), name.begin(), name.end());
    return *this;
}

XBinaryWriter& XBinaryWriter::String(const std::string& text) {
    Word(0x02);
    Dword(static_cast<std::uint32_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    Word(0x14);  // the ';' that ends a string
    return *this;
}

XBinaryWriter& XBinaryWriter::Open() {
    Word(0x0a);
    return *this;
}

XBinaryWriter& XBinaryWriter::Close() {
    Word(0x0b);
    return *this;
}

XBinaryWriter& XBinaryWriter::Ints(const std::vector<std::uint32_t>& values) {
    Word(0x06);
    Dword(static_cast<std::uint32_t>(values.size()));
    for (std::uint32_t value : values) {
        Dword(value);
    }
    return *this;
}

XBinaryWriter& XBinaryWriter::Floats(const std::vector<double>& values) {
    Word(0x07);
    Dword(static_cast<std::uint32_t>(values.size()));
    for (double value : values) {
        std::uint8_t raw[8];
        const float narrow = static_cast<float>(value);
        doubles_ ? std::memcpy(raw, &value, 8) : std::memcpy(raw, &narrow, 4);
        bytes_.insert(bytes_.end(), raw, raw + (doubles_ ? 8 : 4));
    }
    return *this;
}

Vector3 PositionOf(ID3DXMesh* mesh, DWORD vertex) {
    void* data = nullptr;
    Vector3 p;
    if (SUCCEEDED(mesh->LockVertexBuffer(D3DLOCK_READONLY, &data))) {
        std::memcpy(&p, static_cast<std::uint8_t*>(data) + vertex * mesh->GetNumBytesPerVertex(),
                    sizeof p);
        mesh->UnlockVertexBuffer();
    }
    return p;
}

D3DXMESHCONTAINER* ContainerOf(D3DXFRAME* root, const char* frameName) {
    D3DXFRAME* frame = D3DXFrameFind(root, frameName);
    return frame != nullptr ? frame->pMeshContainer : nullptr;
}

}  // namespace d3dx_test
