#include "ColladaWriter.h"

#include "TextOut.h"

#include <stdexcept>

namespace assetgen::models {

namespace {

void appendMatrix(std::string& out, const glm::mat4& m)
{
    // COLLADA matrices are row-major text; glm stores columns.
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            appendf(out, row + column == 0 ? "%.7g" : " %.7g", static_cast<double>(m[column][row]));
}

void appendFloatSource(std::string& out, const std::string& id, const std::vector<float>& values, std::size_t stride,
    const char* const* params)
{
    appendf(out, "<source id=\"%s\">\n<float_array id=\"%s-array\" count=\"%zu\">", id.c_str(), id.c_str(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        appendf(out, i ? " %.7g" : "%.7g", static_cast<double>(values[i]));
    appendf(out, "</float_array>\n<technique_common><accessor source=\"#%s-array\" count=\"%zu\" stride=\"%zu\">", id.c_str(),
        values.size() / stride, stride);
    for (std::size_t i = 0; params[i]; ++i)
        appendf(out, "<param name=\"%s\" type=\"%s\"/>", params[i],
            stride == 16 ? "float4x4" : "float");
    appendf(out, "</accessor></technique_common>\n</source>\n");
}

void appendGeometry(std::string& out, const std::string& name, const Mesh& mesh)
{
    static const char* const xyz[] = {"X", "Y", "Z", nullptr};
    static const char* const st[] = {"S", "T", nullptr};
    std::vector<float> positions, normals, uvs;
    for (std::size_t i = 0; i < mesh.vertexCount(); ++i) {
        positions.insert(positions.end(), {mesh.positions[i].x, mesh.positions[i].y, mesh.positions[i].z});
        normals.insert(normals.end(), {mesh.normals[i].x, mesh.normals[i].y, mesh.normals[i].z});
        uvs.insert(uvs.end(), {mesh.uvs[i].x, mesh.uvs[i].y});
    }
    appendf(out, "<library_geometries>\n<geometry id=\"%s-mesh\" name=\"%s\"><mesh>\n", name.c_str(), name.c_str());
    appendFloatSource(out, name + "-positions", positions, 3, xyz);
    appendFloatSource(out, name + "-normals", normals, 3, xyz);
    appendFloatSource(out, name + "-uvs", uvs, 2, st);
    appendf(out,
        "<vertices id=\"%s-vertices\"><input semantic=\"POSITION\" source=\"#%s-positions\"/></vertices>\n"
        "<triangles material=\"surface\" count=\"%zu\">\n"
        "<input semantic=\"VERTEX\" source=\"#%s-vertices\" offset=\"0\"/>\n"
        "<input semantic=\"NORMAL\" source=\"#%s-normals\" offset=\"0\"/>\n"
        "<input semantic=\"TEXCOORD\" source=\"#%s-uvs\" offset=\"0\" set=\"0\"/>\n<p>",
        name.c_str(), name.c_str(), mesh.triangleCount(), name.c_str(), name.c_str(), name.c_str());
    for (std::size_t i = 0; i < mesh.indices.size(); ++i)
        appendf(out, i ? " %u" : "%u", mesh.indices[i]);
    appendf(out, "</p>\n</triangles>\n</mesh></geometry>\n</library_geometries>\n");
}

void appendController(std::string& out, const ColladaDocument& document)
{
    const std::string& name = document.name;
    const Mesh& mesh = *document.mesh;
    appendf(out, "<library_controllers>\n<controller id=\"%s-skin\" name=\"%s-skin\"><skin source=\"#%s-mesh\">\n",
        name.c_str(), name.c_str(), name.c_str());
    appendf(out, "<bind_shape_matrix>");
    appendMatrix(out, glm::mat4(1.0f));
    appendf(out, "</bind_shape_matrix>\n<source id=\"%s-joints\">\n<Name_array id=\"%s-joints-array\" count=\"%zu\">",
        name.c_str(), name.c_str(), document.joints.size());
    for (std::size_t i = 0; i < document.joints.size(); ++i)
        appendf(out, i ? " %s" : "%s", document.joints[i].name.c_str());
    appendf(out,
        "</Name_array>\n<technique_common><accessor source=\"#%s-joints-array\" count=\"%zu\" stride=\"1\">"
        "<param name=\"JOINT\" type=\"name\"/></accessor></technique_common>\n</source>\n",
        name.c_str(), document.joints.size());

    std::vector<float> inverseBinds;
    for (const ColladaJoint& joint : document.joints) {
        glm::mat4 inverse = glm::inverse(joint.bindPose);
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
                inverseBinds.push_back(inverse[column][row]);
    }
    static const char* const transform[] = {"TRANSFORM", nullptr};
    appendFloatSource(out, name + "-bind-poses", inverseBinds, 16, transform);

    std::vector<float> weights;
    std::string counts, pairs;
    for (std::size_t v = 0; v < mesh.vertexCount(); ++v) {
        int used = 0;
        for (int k = 0; k < 4; ++k) {
            float w = mesh.boneWeights[v][k];
            if (w <= 0.0f)
                continue;
            appendf(pairs, "%d %zu ", mesh.boneIds[v][k], weights.size());
            weights.push_back(w);
            ++used;
        }
        appendf(counts, "%d ", used);
    }
    static const char* const weight[] = {"WEIGHT", nullptr};
    appendFloatSource(out, name + "-weights", weights, 1, weight);
    appendf(out,
        "<joints><input semantic=\"JOINT\" source=\"#%s-joints\"/>"
        "<input semantic=\"INV_BIND_MATRIX\" source=\"#%s-bind-poses\"/></joints>\n"
        "<vertex_weights count=\"%zu\"><input semantic=\"JOINT\" source=\"#%s-joints\" offset=\"0\"/>"
        "<input semantic=\"WEIGHT\" source=\"#%s-weights\" offset=\"1\"/>\n<vcount>%s</vcount>\n<v>%s</v>\n"
        "</vertex_weights>\n</skin></controller>\n</library_controllers>\n",
        name.c_str(), name.c_str(), mesh.vertexCount(), name.c_str(), name.c_str(), counts.c_str(), pairs.c_str());
}

void appendAnimations(std::string& out, const ColladaDocument& document)
{
    if (document.keyTimes.empty())
        return;
    static const char* const time[] = {"TIME", nullptr};
    static const char* const transform[] = {"TRANSFORM", nullptr};
    std::vector<float> times(document.keyTimes.begin(), document.keyTimes.end());
    appendf(out, "<library_animations>\n<animation id=\"%s-dance\" name=\"dance\">\n", document.name.c_str());
    for (std::size_t j = 0; j < document.joints.size(); ++j) {
        const std::string& joint = document.joints[j].name;
        std::string id = document.name + "-" + joint;
        appendf(out, "<animation id=\"%s-animation\">\n", id.c_str());
        appendFloatSource(out, id + "-input", times, 1, time);
        std::vector<float> matrices;
        for (const glm::mat4& key : document.keys[j])
            for (int row = 0; row < 4; ++row)
                for (int column = 0; column < 4; ++column)
                    matrices.push_back(key[column][row]);
        appendFloatSource(out, id + "-output", matrices, 16, transform);
        appendf(out, "<source id=\"%s-interpolation\">\n<Name_array id=\"%s-interpolation-array\" count=\"%zu\">", id.c_str(),
            id.c_str(), times.size());
        for (std::size_t i = 0; i < times.size(); ++i)
            appendf(out, i ? " LINEAR" : "LINEAR");
        appendf(out,
            "</Name_array>\n<technique_common><accessor source=\"#%s-interpolation-array\" count=\"%zu\" stride=\"1\">"
            "<param name=\"INTERPOLATION\" type=\"name\"/></accessor></technique_common>\n</source>\n"
            "<sampler id=\"%s-sampler\"><input semantic=\"INPUT\" source=\"#%s-input\"/>"
            "<input semantic=\"OUTPUT\" source=\"#%s-output\"/>"
            "<input semantic=\"INTERPOLATION\" source=\"#%s-interpolation\"/></sampler>\n"
            "<channel source=\"#%s-sampler\" target=\"%s/transform\"/>\n</animation>\n",
            id.c_str(), times.size(), id.c_str(), id.c_str(), id.c_str(), id.c_str(), id.c_str(), joint.c_str());
    }
    appendf(out, "</animation>\n</library_animations>\n");
}

void appendJointNodes(std::string& out, const ColladaDocument& document, int parent)
{
    for (std::size_t j = 0; j < document.joints.size(); ++j) {
        const ColladaJoint& joint = document.joints[j];
        if (joint.parent != parent)
            continue;
        glm::mat4 local = parent < 0 ? joint.bindPose
                                     : glm::inverse(document.joints[static_cast<std::size_t>(parent)].bindPose) * joint.bindPose;
        appendf(out, "<node id=\"%s\" sid=\"%s\" name=\"%s\" type=\"JOINT\"><matrix sid=\"transform\">", joint.name.c_str(),
            joint.name.c_str(), joint.name.c_str());
        appendMatrix(out, local);
        appendf(out, "</matrix>\n");
        appendJointNodes(out, document, static_cast<int>(j));
        appendf(out, "</node>\n");
    }
}

} // namespace

Bytes writeCollada(const ColladaDocument& document)
{
    if (!document.mesh)
        throw std::runtime_error("COLLADA document without a mesh");
    for (std::size_t j = 0; j < document.joints.size(); ++j) {
        if (document.joints[j].parent >= static_cast<int>(j))
            throw std::runtime_error("COLLADA joint listed before its parent: " + document.joints[j].name);
        if (!document.keyTimes.empty() && document.keys.at(j).size() != document.keyTimes.size())
            throw std::runtime_error("COLLADA joint with a wrong key count: " + document.joints[j].name);
    }
    const std::string& name = document.name;
    std::string out;
    out.reserve(document.mesh->vertexCount() * 160 + document.joints.size() * document.keyTimes.size() * 200);
    appendf(out,
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" version=\"1.4.1\">\n"
        "<asset><contributor><authoring_tool>Clankora assetgen</authoring_tool></contributor>"
        "<created>2000-01-01T00:00:00</created><modified>2000-01-01T00:00:00</modified>"
        "<unit name=\"meter\" meter=\"1\"/><up_axis>%s</up_axis></asset>\n",
        document.zUp ? "Z_UP" : "Y_UP");
    appendf(out,
        "<library_effects><effect id=\"surface-effect\"><profile_COMMON><technique sid=\"common\"><lambert>"
        "<diffuse><color sid=\"diffuse\">0.8 0.8 0.8 1</color></diffuse></lambert></technique></profile_COMMON>"
        "</effect></library_effects>\n"
        "<library_materials><material id=\"surface-material\" name=\"surface\">"
        "<instance_effect url=\"#surface-effect\"/></material></library_materials>\n");
    appendGeometry(out, name, *document.mesh);
    bool skinned = !document.joints.empty();
    if (skinned) {
        appendController(out, document);
        appendAnimations(out, document);
    }
    appendf(out, "<library_visual_scenes>\n<visual_scene id=\"scene\" name=\"scene\">\n");
    const char* bindMaterial = "<bind_material><technique_common><instance_material symbol=\"surface\" "
                               "target=\"#surface-material\"/></technique_common></bind_material>";
    if (skinned) {
        appendf(out, "<node id=\"armature\" name=\"armature\" type=\"NODE\">\n");
        appendJointNodes(out, document, -1);
        appendf(out, "</node>\n<node id=\"%s\" name=\"%s\" type=\"NODE\"><instance_controller url=\"#%s-skin\">"
                     "<skeleton>#%s</skeleton>%s</instance_controller></node>\n",
            name.c_str(), name.c_str(), name.c_str(), document.joints[0].name.c_str(), bindMaterial);
    } else {
        appendf(out, "<node id=\"%s\" name=\"%s\" type=\"NODE\"><instance_geometry url=\"#%s-mesh\">%s</instance_geometry></node>\n",
            name.c_str(), name.c_str(), name.c_str(), bindMaterial);
    }
    appendf(out, "</visual_scene>\n</library_visual_scenes>\n<scene><instance_visual_scene url=\"#scene\"/></scene>\n</COLLADA>\n");
    return Bytes(out.begin(), out.end());
}

} // namespace assetgen::models
