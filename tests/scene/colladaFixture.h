#pragma once

// Writes small skinned COLLADA files for the loader tests: a node tree with
// joints, one triangle mesh skinned to some of them, and matrix keys.

#include <glm/glm.hpp>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace fixture {

struct Node {
    std::string name;
    int parent = -1; // index into the node list; -1 hangs it under the scene root
    bool joint = false;
    glm::mat4 matrix{1.0f};
    std::vector<float> keyTimes;       // in the game's clock units (the file gets them / 1000)
    std::vector<glm::mat4> keyMatrices; // one per key time
};

struct Influence {
    int bone; // index into ColladaModel::bones
    float weight;
};

struct ColladaModel {
    std::vector<Node> nodes;
    std::vector<int> bones;                  // skin joints, as node indices, in bone order
    std::vector<glm::mat4> inverseBindMatrices; // one per bone
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs; // empty: no texture coordinates
    std::vector<unsigned> triangles;
    std::vector<std::vector<Influence>> influences; // one list per position
    std::string meshNodeName = "Body";

    int addNode(const std::string& name, int parent, bool joint, const glm::mat4& matrix = glm::mat4(1.0f))
    {
        Node node;
        node.name = name;
        node.parent = parent;
        node.joint = joint;
        node.matrix = matrix;
        nodes.push_back(node);
        return static_cast<int>(nodes.size()) - 1;
    }
    int addBone(int node, const glm::mat4& inverseBind = glm::mat4(1.0f))
    {
        bones.push_back(node);
        inverseBindMatrices.push_back(inverseBind);
        return static_cast<int>(bones.size()) - 1;
    }
    // A triangle whose three corners all follow the given influences. Assimp
    // joins corners of equal position and texture coordinate whatever their
    // weights, so corners with different influences must not coincide.
    void addTriangle(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c, const std::vector<Influence>& with)
    {
        addTriangle(a, b, c, with, with, with);
    }
    void addTriangle(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c, const std::vector<Influence>& withA,
        const std::vector<Influence>& withB, const std::vector<Influence>& withC)
    {
        const glm::vec3 corners[3] = {a, b, c};
        const std::vector<Influence>* lists[3] = {&withA, &withB, &withC};
        for (int i = 0; i < 3; ++i) {
            triangles.push_back(static_cast<unsigned>(positions.size()));
            positions.push_back(corners[i]);
            influences.push_back(*lists[i]);
            if (withUvs)
                uvs.push_back(glm::vec2(corners[i].x, corners[i].y));
        }
    }
    bool withUvs = true;
};

inline std::string rowMajor(const glm::mat4& m)
{
    std::ostringstream out;
    out.precision(9);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out << m[c][r] << ((r == 3 && c == 3) ? "" : " ");
    return out.str();
}

inline void writeNode(std::ostringstream& out, const ColladaModel& model, int index)
{
    const Node& node = model.nodes[static_cast<size_t>(index)];
    out << "<node id=\"" << node.name << "\" sid=\"" << node.name << "\" name=\"" << node.name << "\" type=\""
        << (node.joint ? "JOINT" : "NODE") << "\">\n";
    out << "<matrix sid=\"transform\">" << rowMajor(node.matrix) << "</matrix>\n";
    for (size_t i = 0; i < model.nodes.size(); ++i)
        if (model.nodes[i].parent == index)
            writeNode(out, model, static_cast<int>(i));
    out << "</node>\n";
}

inline std::string toCollada(const ColladaModel& model)
{
    std::ostringstream out;
    out.precision(9);
    const size_t vertexCount = model.positions.size();
    const bool hasUvs = !model.uvs.empty();
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" version=\"1.4.1\">\n"
           "<asset><unit name=\"meter\" meter=\"1\"/><up_axis>Y_UP</up_axis></asset>\n";

    out << "<library_geometries><geometry id=\"mesh\" name=\"mesh\"><mesh>\n";
    out << "<source id=\"mesh-positions\"><float_array id=\"mesh-positions-array\" count=\"" << 3 * vertexCount
        << "\">";
    for (const glm::vec3& p : model.positions)
        out << p.x << " " << p.y << " " << p.z << " ";
    out << "</float_array><technique_common><accessor source=\"#mesh-positions-array\" count=\"" << vertexCount
        << "\" stride=\"3\"><param name=\"X\" type=\"float\"/><param name=\"Y\" type=\"float\"/>"
           "<param name=\"Z\" type=\"float\"/></accessor></technique_common></source>\n";
    if (hasUvs) {
        out << "<source id=\"mesh-uvs\"><float_array id=\"mesh-uvs-array\" count=\"" << 2 * vertexCount << "\">";
        for (const glm::vec2& t : model.uvs)
            out << t.x << " " << t.y << " ";
        out << "</float_array><technique_common><accessor source=\"#mesh-uvs-array\" count=\"" << vertexCount
            << "\" stride=\"2\"><param name=\"S\" type=\"float\"/><param name=\"T\" type=\"float\"/>"
               "</accessor></technique_common></source>\n";
    }
    out << "<vertices id=\"mesh-vertices\"><input semantic=\"POSITION\" source=\"#mesh-positions\"/></vertices>\n";
    out << "<triangles count=\"" << model.triangles.size() / 3 << "\">"
        << "<input semantic=\"VERTEX\" source=\"#mesh-vertices\" offset=\"0\"/>";
    if (hasUvs)
        out << "<input semantic=\"TEXCOORD\" source=\"#mesh-uvs\" offset=\"0\" set=\"0\"/>";
    out << "<p>";
    for (unsigned index : model.triangles)
        out << index << " ";
    out << "</p></triangles>\n</mesh></geometry></library_geometries>\n";

    const size_t boneCount = model.bones.size();
    if (boneCount > 0) {
        std::vector<float> weights;
        std::ostringstream counts;
        std::ostringstream pairs;
        for (const std::vector<Influence>& list : model.influences) {
            counts << list.size() << " ";
            for (const Influence& influence : list) {
                pairs << influence.bone << " " << weights.size() << " ";
                weights.push_back(influence.weight);
            }
        }
        out << "<library_controllers><controller id=\"skin\" name=\"skin\"><skin source=\"#mesh\">\n"
               "<bind_shape_matrix>1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1</bind_shape_matrix>\n";
        out << "<source id=\"skin-joints\"><Name_array id=\"skin-joints-array\" count=\"" << boneCount << "\">";
        for (int bone : model.bones)
            out << model.nodes[static_cast<size_t>(bone)].name << " ";
        out << "</Name_array><technique_common><accessor source=\"#skin-joints-array\" count=\"" << boneCount
            << "\" stride=\"1\"><param name=\"JOINT\" type=\"name\"/></accessor></technique_common></source>\n";
        out << "<source id=\"skin-bind\"><float_array id=\"skin-bind-array\" count=\"" << 16 * boneCount << "\">";
        for (const glm::mat4& m : model.inverseBindMatrices)
            out << rowMajor(m) << " ";
        out << "</float_array><technique_common><accessor source=\"#skin-bind-array\" count=\"" << boneCount
            << "\" stride=\"16\"><param name=\"TRANSFORM\" type=\"float4x4\"/></accessor></technique_common>"
               "</source>\n";
        out << "<source id=\"skin-weights\"><float_array id=\"skin-weights-array\" count=\"" << weights.size()
            << "\">";
        for (float w : weights)
            out << w << " ";
        out << "</float_array><technique_common><accessor source=\"#skin-weights-array\" count=\"" << weights.size()
            << "\" stride=\"1\"><param name=\"WEIGHT\" type=\"float\"/></accessor></technique_common></source>\n";
        out << "<joints><input semantic=\"JOINT\" source=\"#skin-joints\"/>"
               "<input semantic=\"INV_BIND_MATRIX\" source=\"#skin-bind\"/></joints>\n";
        out << "<vertex_weights count=\"" << vertexCount << "\">"
            << "<input semantic=\"JOINT\" source=\"#skin-joints\" offset=\"0\"/>"
            << "<input semantic=\"WEIGHT\" source=\"#skin-weights\" offset=\"1\"/>"
            << "<vcount>" << counts.str() << "</vcount><v>" << pairs.str() << "</v></vertex_weights>\n";
        out << "</skin></controller></library_controllers>\n";
    }

    bool anyKeys = false;
    for (const Node& node : model.nodes)
        anyKeys = anyKeys || !node.keyTimes.empty();
    if (anyKeys) {
        out << "<library_animations>\n";
        for (const Node& node : model.nodes) {
            if (node.keyTimes.empty())
                continue;
            const std::string id = node.name + "-anim";
            const size_t keys = node.keyTimes.size();
            out << "<animation id=\"" << id << "\">\n";
            out << "<source id=\"" << id << "-input\"><float_array id=\"" << id << "-input-array\" count=\"" << keys
                << "\">";
            for (float t : node.keyTimes)
                out << t / 1000.0f << " ";
            out << "</float_array><technique_common><accessor source=\"#" << id << "-input-array\" count=\"" << keys
                << "\" stride=\"1\"><param name=\"TIME\" type=\"float\"/></accessor></technique_common></source>\n";
            out << "<source id=\"" << id << "-output\"><float_array id=\"" << id << "-output-array\" count=\""
                << 16 * keys << "\">";
            for (const glm::mat4& m : node.keyMatrices)
                out << rowMajor(m) << " ";
            out << "</float_array><technique_common><accessor source=\"#" << id << "-output-array\" count=\"" << keys
                << "\" stride=\"16\"><param name=\"TRANSFORM\" type=\"float4x4\"/></accessor></technique_common>"
                   "</source>\n";
            out << "<source id=\"" << id << "-interpolation\"><Name_array id=\"" << id
                << "-interpolation-array\" count=\"" << keys << "\">";
            for (size_t k = 0; k < keys; ++k)
                out << "LINEAR ";
            out << "</Name_array><technique_common><accessor source=\"#" << id << "-interpolation-array\" count=\""
                << keys << "\" stride=\"1\"><param name=\"INTERPOLATION\" type=\"name\"/></accessor>"
                   "</technique_common></source>\n";
            out << "<sampler id=\"" << id << "-sampler\"><input semantic=\"INPUT\" source=\"#" << id << "-input\"/>"
                << "<input semantic=\"OUTPUT\" source=\"#" << id << "-output\"/>"
                << "<input semantic=\"INTERPOLATION\" source=\"#" << id << "-interpolation\"/></sampler>\n";
            out << "<channel source=\"#" << id << "-sampler\" target=\"" << node.name << "/transform\"/>\n";
            out << "</animation>\n";
        }
        out << "</library_animations>\n";
    }

    out << "<library_visual_scenes><visual_scene id=\"Scene\" name=\"Scene\">\n";
    for (size_t i = 0; i < model.nodes.size(); ++i)
        if (model.nodes[i].parent < 0)
            writeNode(out, model, static_cast<int>(i));
    out << "<node id=\"" << model.meshNodeName << "\" name=\"" << model.meshNodeName << "\" type=\"NODE\">";
    if (boneCount > 0)
        out << "<instance_controller url=\"#skin\"><skeleton>#" << model.nodes[static_cast<size_t>(model.bones[0])].name
            << "</skeleton></instance_controller>";
    else
        out << "<instance_geometry url=\"#mesh\"/>";
    out << "</node>\n</visual_scene></library_visual_scenes>\n"
           "<scene><instance_visual_scene url=\"#Scene\"/></scene>\n</COLLADA>\n";
    return out.str();
}

inline void writeCollada(const std::string& path, const ColladaModel& model)
{
    std::ofstream(path) << toCollada(model);
}

} // namespace fixture
