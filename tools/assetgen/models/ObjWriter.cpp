#include "ObjWriter.h"

#include "TextOut.h"

namespace assetgen::models {

Bytes writeObj(const Mesh& mesh, const std::string& objectName)
{
    std::string out;
    out.reserve(mesh.vertexCount() * 96 + mesh.triangleCount() * 40);
    appendf(out, "# Clankora assetgen\no %s\n", objectName.c_str());
    for (const glm::vec3& p : mesh.positions)
        appendf(out, "v %.7g %.7g %.7g\n", p.x, p.y, p.z);
    for (const glm::vec2& t : mesh.uvs)
        appendf(out, "vt %.6f %.6f\n", t.x, t.y);
    for (const glm::vec3& n : mesh.normals)
        appendf(out, "vn %.5f %.5f %.5f\n", n.x, n.y, n.z);
    appendf(out, "s off\n");
    for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
        unsigned a = mesh.indices[i] + 1, b = mesh.indices[i + 1] + 1, c = mesh.indices[i + 2] + 1;
        appendf(out, "f %u/%u/%u %u/%u/%u %u/%u/%u\n", a, a, a, b, b, b, c, c, c);
    }
    return Bytes(out.begin(), out.end());
}

} // namespace assetgen::models
