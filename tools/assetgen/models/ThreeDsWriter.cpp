#include "ThreeDsWriter.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace assetgen::models {

namespace {

// Chunks are written with a placeholder length that is patched once their
// contents are known.
class ChunkWriter {
public:
    Bytes bytes;

    std::size_t open(std::uint16_t id)
    {
        u16(id);
        std::size_t at = bytes.size();
        u32(0);
        return at;
    }
    void close(std::size_t at)
    {
        auto length = static_cast<std::uint32_t>(bytes.size() - (at - 2));
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(length >> (8 * i));
    }
    void u16(std::uint16_t value)
    {
        bytes.push_back(static_cast<unsigned char>(value));
        bytes.push_back(static_cast<unsigned char>(value >> 8));
    }
    void u32(std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
    void f32(float value)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        u32(bits);
    }
    void text(const std::string& value)
    {
        bytes.insert(bytes.end(), value.begin(), value.end());
        bytes.push_back(0);
    }
};

} // namespace

Bytes writeThreeDs(const Mesh& mesh, const std::string& objectName, const std::string& textureFile)
{
    if (mesh.vertexCount() > 0xFFFF || mesh.triangleCount() > 0xFFFF)
        throw std::runtime_error("3DS meshes hold at most 65535 vertices and faces");
    const std::string materialName = "surface";
    ChunkWriter w;
    std::size_t main = w.open(0x4D4D);
    std::size_t version = w.open(0x0002);
    w.u32(3);
    w.close(version);
    std::size_t editor = w.open(0x3D3D);
    std::size_t meshVersion = w.open(0x3D3E);
    w.u32(3);
    w.close(meshVersion);

    std::size_t material = w.open(0xAFFF);
    std::size_t materialNameChunk = w.open(0xA000);
    w.text(materialName);
    w.close(materialNameChunk);
    std::size_t diffuse = w.open(0xA020);
    std::size_t colour = w.open(0x0011);
    w.bytes.insert(w.bytes.end(), {200, 200, 200});
    w.close(colour);
    w.close(diffuse);
    std::size_t textureMap = w.open(0xA200);
    std::size_t mapName = w.open(0xA300);
    w.text(textureFile);
    w.close(mapName);
    w.close(textureMap);
    w.close(material);

    std::size_t object = w.open(0x4000);
    w.text(objectName);
    std::size_t triangles = w.open(0x4100);
    std::size_t vertices = w.open(0x4110);
    w.u16(static_cast<std::uint16_t>(mesh.vertexCount()));
    for (const glm::vec3& p : mesh.positions) {
        w.f32(p.x);
        w.f32(p.y);
        w.f32(p.z);
    }
    w.close(vertices);
    std::size_t mapping = w.open(0x4140);
    w.u16(static_cast<std::uint16_t>(mesh.vertexCount()));
    for (const glm::vec2& t : mesh.uvs) {
        w.f32(t.x);
        w.f32(t.y);
    }
    w.close(mapping);
    std::size_t faces = w.open(0x4120);
    w.u16(static_cast<std::uint16_t>(mesh.triangleCount()));
    for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
        w.u16(static_cast<std::uint16_t>(mesh.indices[i]));
        w.u16(static_cast<std::uint16_t>(mesh.indices[i + 1]));
        w.u16(static_cast<std::uint16_t>(mesh.indices[i + 2]));
        w.u16(0x0007);
    }
    std::size_t group = w.open(0x4130);
    w.text(materialName);
    w.u16(static_cast<std::uint16_t>(mesh.triangleCount()));
    for (std::size_t f = 0; f < mesh.triangleCount(); ++f)
        w.u16(static_cast<std::uint16_t>(f));
    w.close(group);
    // Importers smooth across every face that shares a smoothing-group bit
    // (and across all faces when a face has none), so faces facing the same
    // way share one bit and faces facing another way get another.
    std::size_t smoothing = w.open(0x4150);
    std::vector<glm::vec3> directions;
    for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
        glm::vec3 a = mesh.positions[mesh.indices[i]], b = mesh.positions[mesh.indices[i + 1]],
                  c = mesh.positions[mesh.indices[i + 2]];
        glm::vec3 n = glm::cross(b - a, c - a);
        float length = glm::length(n);
        n = length > 0.0f ? n / length : glm::vec3(0.0f);
        std::size_t slot = 0;
        while (slot < directions.size() && glm::length(directions[slot] - n) > 1e-3f)
            ++slot;
        if (slot == directions.size())
            directions.push_back(n);
        w.u32(1u << (slot % 32));
    }
    w.close(smoothing);
    w.close(faces);
    w.close(triangles);
    w.close(object);
    w.close(editor);
    w.close(main);
    return w.bytes;
}

} // namespace assetgen::models
