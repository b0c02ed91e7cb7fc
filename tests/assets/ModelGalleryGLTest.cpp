// Renders every model alone, lit, from two angles, and the furnished room
// and the house from the player's points of view, into PNG files under
// build/gallery/, so people can look at the models without starting the
// game. Each picture must show its model: neither empty nor one flat colour.
#include "GameModel.h"

#include "support/GlTestContext.h"
#include "support/PixelReadBack.h"

#include <FreeImage.h>
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

using namespace game_model;

constexpr int width = 480, height = 360;
const glm::vec3 background(0.16f, 0.17f, 0.2f);

const char* vertexSource = R"(#version 150
in vec3 position; in vec3 normal; in vec2 uv;
uniform mat4 viewProjection;
out vec3 worldNormal; out vec2 texCoord; out vec3 worldPosition;
void main() {
    worldNormal = normal; texCoord = uv; worldPosition = position;
    gl_Position = viewProjection * vec4(position, 1.0);
})";

const char* fragmentSource = R"(#version 150
in vec3 worldNormal; in vec2 texCoord; in vec3 worldPosition;
uniform sampler2D colourTexture; uniform vec3 eye; uniform float glow;
out vec4 fragColor;
void main() {
    vec3 n = normalize(worldNormal);
    vec3 toEye = normalize(eye - worldPosition);
    if (dot(n, toEye) < 0.0) n = -n;
    vec3 key = normalize(vec3(0.4, 0.8, -0.3));
    float light = 0.3 + 0.5 * max(dot(n, key), 0.0) + 0.35 * max(dot(n, toEye), 0.0);
    vec3 albedo = texture(colourTexture, texCoord).rgb;
    fragColor = vec4(mix(albedo * light, albedo, glow), 1.0);
})";

GLuint compile(GLenum type, const char* source)
{
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

class Renderer {
public:
    Renderer()
    {
        program_ = glCreateProgram();
        glAttachShader(program_, compile(GL_VERTEX_SHADER, vertexSource));
        glAttachShader(program_, compile(GL_FRAGMENT_SHADER, fragmentSource));
        glBindAttribLocation(program_, 0, "position");
        glBindAttribLocation(program_, 1, "normal");
        glBindAttribLocation(program_, 2, "uv");
        glLinkProgram(program_);
        glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glGenRenderbuffers(2, buffers_);
        glBindRenderbuffer(GL_RENDERBUFFER, buffers_[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers_[0]);
        glBindRenderbuffer(GL_RENDERBUFFER, buffers_[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers_[1]);
    }

    GLint linked() const
    {
        GLint ok = 0;
        glGetProgramiv(program_, GL_LINK_STATUS, &ok);
        return ok;
    }

    GLuint texture(const std::string& path, const glm::vec3& fallback)
    {
        std::string key = path.empty() ? "colour " + std::to_string(fallback.r) + " " + std::to_string(fallback.g) + " " + std::to_string(fallback.b) : path;
        auto found = textures_.find(key);
        if (found != textures_.end())
            return found->second;
        int w = 1, h = 1;
        std::vector<unsigned char> rgb{static_cast<unsigned char>(fallback.r * 255), static_cast<unsigned char>(fallback.g * 255),
            static_cast<unsigned char>(fallback.b * 255)};
        if (FIBITMAP* image = path.empty() ? nullptr : FreeImage_Load(FreeImage_GetFileType(path.c_str()), path.c_str())) {
            FIBITMAP* image24 = FreeImage_ConvertTo24Bits(image);
            w = int(FreeImage_GetWidth(image24));
            h = int(FreeImage_GetHeight(image24));
            rgb.resize(std::size_t(w) * h * 3);
            for (int y = 0; y < h; ++y) {
                BYTE* row = FreeImage_GetScanLine(image24, y);
                for (int x = 0; x < w; ++x) {
                    rgb[(std::size_t(y) * w + x) * 3 + 0] = row[x * 3 + FI_RGBA_RED];
                    rgb[(std::size_t(y) * w + x) * 3 + 1] = row[x * 3 + FI_RGBA_GREEN];
                    rgb[(std::size_t(y) * w + x) * 3 + 2] = row[x * 3 + FI_RGBA_BLUE];
                }
            }
            FreeImage_Unload(image24);
            FreeImage_Unload(image);
        }
        GLuint name;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        glGenerateMipmap(GL_TEXTURE_2D);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        textures_[key] = name;
        return name;
    }

    void begin(const glm::vec3& eye, const glm::vec3& target, float fovDegrees = 50.0f)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glViewport(0, 0, width, height);
        glClearColor(background.r, background.g, background.b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glUseProgram(program_);
        glm::mat4 view = glm::lookAt(eye, target, glm::vec3(0, 1, 0));
        glm::mat4 projection = glm::perspective(glm::radians(fovDegrees), float(width) / height, 0.05f, 400.0f);
        glm::mat4 viewProjection = projection * view;
        glUniformMatrix4fv(glGetUniformLocation(program_, "viewProjection"), 1, GL_FALSE, &viewProjection[0][0]);
        glUniform3fv(glGetUniformLocation(program_, "eye"), 1, &eye[0]);
    }

    // Starts one picture of a 3 × 2 grid of small pictures; the first one
    // clears the whole image.
    void beginTile(int tile, const glm::vec3& eye, const glm::vec3& target)
    {
        if (tile == 0)
            begin(eye, target);
        int w = width / 3, h = height / 2;
        int x = (tile % 3) * w, y = (1 - tile / 3) * h;
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, y, w, h);
        glClear(GL_DEPTH_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        glViewport(x, y, w, h);
        glm::mat4 view = glm::lookAt(eye, target, glm::vec3(0, 1, 0));
        glm::mat4 projection = glm::perspective(glm::radians(50.0f), float(w) / h, 0.05f, 400.0f);
        glm::mat4 viewProjection = projection * view;
        glUniformMatrix4fv(glGetUniformLocation(program_, "viewProjection"), 1, GL_FALSE, &viewProjection[0][0]);
        glUniform3fv(glGetUniformLocation(program_, "eye"), 1, &eye[0]);
    }

    void draw(const std::vector<glm::vec3>& positions, const std::vector<glm::vec3>& normals,
        const std::vector<glm::vec2>& uvs, const std::vector<unsigned>& indices, GLuint texture, float glow = 0.0f)
    {
        GLuint vao, vbo[4];
        glGenVertexArrays(1, &vao);
        glBindVertexArray(vao);
        glGenBuffers(4, vbo);
        auto attribute = [&](int location, GLuint buffer, const void* data, std::size_t bytes, int components) {
            glBindBuffer(GL_ARRAY_BUFFER, buffer);
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
            glEnableVertexAttribArray(GLuint(location));
            glVertexAttribPointer(GLuint(location), components, GL_FLOAT, GL_FALSE, 0, nullptr);
        };
        attribute(0, vbo[0], positions.data(), positions.size() * 12, 3);
        attribute(1, vbo[1], normals.data(), normals.size() * 12, 3);
        attribute(2, vbo[2], uvs.data(), uvs.size() * 8, 2);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, vbo[3]);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * 4), indices.data(), GL_STATIC_DRAW);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, texture);
        glUniform1i(glGetUniformLocation(program_, "colourTexture"), 0);
        glUniform1f(glGetUniformLocation(program_, "glow"), glow);
        glDrawElements(GL_TRIANGLES, GLsizei(indices.size()), GL_UNSIGNED_INT, nullptr);
        glBindVertexArray(0);
        glDeleteBuffers(4, vbo);
        glDeleteVertexArrays(1, &vao);
    }

    // Saves the picture and returns the share of pixels that differ from
    // the background and the spread of their brightness.
    std::pair<double, double> finish(const std::string& name)
    {
        const std::vector<unsigned char> pixels = testing_support::readBoundColour(0, 0, width, height, GL_RGB);
        std::filesystem::path folder = std::filesystem::path(CLANKORA_BINARY_DIR) / "gallery";
        std::filesystem::create_directories(folder);
        FIBITMAP* image = FreeImage_Allocate(width, height, 24);
        std::size_t covered = 0;
        double sum = 0, sumSquares = 0;
        // glReadPixels rows start at the bottom, like FreeImage's.
        for (int y = 0; y < height; ++y) {
            BYTE* row = FreeImage_GetScanLine(image, y);
            for (int x = 0; x < width; ++x) {
                const unsigned char* p = &pixels[(std::size_t(y) * width + x) * 3];
                row[x * 3 + FI_RGBA_RED] = p[0];
                row[x * 3 + FI_RGBA_GREEN] = p[1];
                row[x * 3 + FI_RGBA_BLUE] = p[2];
                glm::vec3 c(p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f);
                if (glm::length(c - background) > 0.02f) {
                    ++covered;
                    double brightness = (c.r + c.g + c.b) / 3.0;
                    sum += brightness;
                    sumSquares += brightness * brightness;
                }
            }
        }
        FreeImage_Save(FIF_PNG, image, (folder / (name + ".png")).string().c_str());
        FreeImage_Unload(image);
        double n = std::max<double>(1.0, double(covered));
        double mean = sum / n;
        return {double(covered) / (width * height), std::sqrt(std::max(0.0, sumSquares / n - mean * mean))};
    }

private:
    GLuint program_ = 0, framebuffer_ = 0, buffers_[2]{};
    std::map<std::string, GLuint> textures_;
};

// Which picture each model wears in the game, or a flat colour standing in
// for the flat-colour pictures of the other asset group.
struct Look {
    std::string texture;
    glm::vec3 colour;
    float glow = 0.0f;
};

Look lookOf(const std::string& global)
{
    static const std::map<std::string, Look> looks = {
        {"house", {"OpenGL/Textures/Level1.png", {0.5f, 0.4f, 0.6f}}},
        {"houseNew", {"Model/house/TexHouseCellar.jpg", {0.5f, 0.5f, 0.5f}}},
        {"stair", {"", {1, 1, 1}}},
        {"jukeboxFront", {"", {1.0f, 0.45f, 0.8f}, 1.0f}},
        {"robot1Top", {"Model/robots/TexRobot1_top.jpg", {0.5f, 0.5f, 0.5f}}},
        {"robot1Bottom", {"Model/robots/TexRobot1_bottom.jpg", {0.5f, 0.5f, 0.5f}}},
        {"robot3", {"Model/robots/TexRobot3.jpg", {0.5f, 0.5f, 0.5f}}},
        {"robot4", {"Model/robots/TexRobot4.jpg", {0.5f, 0.5f, 0.5f}}},
        {"flyingRobot", {"", {0.03f, 0.03f, 0.035f}}},
        {"robot5Eyes", {"", {1, 1, 1}, 1.0f}},
        {"robot6A", {"Model/robots/TexRobot6_diffuse.jpg", {0.5f, 0.5f, 0.5f}}},
        {"robot6B", {"Model/robots/TexRobot6_diffuse.jpg", {0.5f, 0.5f, 0.5f}}},
        {"robot6C", {"Model/robots/TexRobot6_diffuse.jpg", {0.5f, 0.5f, 0.5f}}},
        {"robot6D", {"Model/robots/TexRobot6_diffuse.jpg", {0.5f, 0.5f, 0.5f}}},
        {"jukebox", {"Model/miscellaneous/Jukebox_D.jpg", {0.5f, 0.5f, 0.5f}}},
        {"door", {"Model/door/tex/specular.jpg", {0.5f, 0.5f, 0.5f}}},
    };
    return looks.at(global);
}

// A mid-dance moment for each animated robot.
double poseTimeOf(const std::string& global)
{
    static const std::map<std::string, double> times = {{"robot1Top", 1.2}, {"robot3", 0.5}, {"flyingRobot", 0.6},
        {"robot6A", 0.4}, {"robot6B", 5.5}, {"robot6C", 3.7}, {"robot6D", 8.1}};
    auto found = times.find(global);
    return found == times.end() ? 0.0 : found->second;
}

// Where each model faces in the room (degrees about the vertical, 0 = +z),
// so its first picture is taken from the front.
float facingOf(const std::string& global)
{
    static const std::map<std::string, float> facing = {{"robot1Bottom", 235}, {"robot1Top", 235}, {"robot3", 150},
        {"robot4", 0}, {"flyingRobot", 270}, {"robot6A", 280}, {"robot6B", 190}, {"robot6C", 333}, {"robot6D", 7},
        {"jukebox", -45}, {"door", 180}, {"stair", 180}};
    return facing.at(global);
}

struct WorldMesh {
    std::vector<glm::vec3> positions, normals;
    std::vector<glm::vec2> uvs;
    std::vector<unsigned> indices;
    bool loaded = false;
};

WorldMesh worldMesh(const std::string& global, double time)
{
    const SceneModel& model = sceneModel(global);
    WorldMesh result;
    Imported file(model.file);
    if (!file.mesh)
        return result;
    const aiMesh* mesh = file.mesh;
    std::vector<glm::vec3> positions = file.positions(), normals;
    for (unsigned i = 0; i < mesh->mNumVertices; ++i)
        normals.push_back(mesh->HasNormals() ? glm::vec3(mesh->mNormals[i].x, mesh->mNormals[i].y, mesh->mNormals[i].z) : glm::vec3(0, 1, 0));
    if (mesh->mNumBones > 0) {
        Skin skin(file);
        normals = skin.poseNormals(normals, time);
        positions = skin.pose(positions, time);
    }
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(model.placement)));
    for (std::size_t i = 0; i < positions.size(); ++i) {
        result.positions.push_back(transformPoint(model.placement, positions[i]));
        result.normals.push_back(glm::normalize(normalMatrix * normals[i]));
        result.uvs.push_back(mesh->HasTextureCoords(0) ? glm::vec2(mesh->mTextureCoords[0][i].x, mesh->mTextureCoords[0][i].y) : glm::vec2(0.0f));
    }
    for (unsigned f = 0; f < mesh->mNumFaces; ++f)
        for (unsigned k = 0; k < mesh->mFaces[f].mNumIndices; ++k)
            result.indices.push_back(mesh->mFaces[f].mIndices[k]);
    result.loaded = true;
    return result;
}

void drawGlobal(Renderer& renderer, const std::string& global, const std::string& textureOverride = "", double time = -1.0)
{
    WorldMesh mesh = worldMesh(global, time < 0.0 ? poseTimeOf(global) : time);
    if (!mesh.loaded)
        return;
    Look look = lookOf(global);
    std::string texture = textureOverride.empty() ? look.texture : textureOverride;
    renderer.draw(mesh.positions, mesh.normals, mesh.uvs, mesh.indices, renderer.texture(texture, look.colour), look.glow);
}

class ModelGallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testing_support::glContext())
            GTEST_SKIP() << "no display";
    }
};

TEST_F(ModelGallery, EachModelAloneFromTwoAnglesShowsTheModel)
{
    Renderer renderer;
    ASSERT_TRUE(renderer.linked());
    // The second partner of a pair is drawn with it: the eyes with the
    // flying robot, the glowing front with the jukebox, the two halves of
    // the first robot together.
    const std::map<std::string, std::vector<std::string>> groups = {{"robot1Bottom", {"robot1Bottom", "robot1Top"}},
        {"flyingRobot", {"flyingRobot", "robot5Eyes"}}, {"jukebox", {"jukebox", "jukeboxFront"}}};
    for (const SceneModel& model : sceneModels()) {
        std::string global = model.global;
        // The room and the house have pictures of their own below; the eyes,
        // the glowing front and the top half are shown with their partners.
        if (global == "houseNew" || global == "house" || global == "robot5Eyes" || global == "jukeboxFront" || global == "robot1Top")
            continue;
        std::vector<std::string> members = groups.count(global) ? groups.at(global) : std::vector<std::string>{global};
        Bounds bounds;
        for (const std::string& member : members)
            for (const glm::vec3& p : worldMesh(member, poseTimeOf(member)).positions)
                bounds.add(p);
        if (!(bounds.min.x < bounds.max.x)) {
            ADD_FAILURE() << global << " did not load";
            continue;
        }
        glm::vec3 centre = bounds.centre();
        float radius = glm::length(bounds.max - bounds.min) * 0.5f;
        float distance = radius / std::sin(glm::radians(22.0f));
        // From a little to the right of the model's front, then from its
        // left and above.
        float facing = glm::radians(facingOf(global) + 20.0f);
        glm::vec3 toViewer(std::sin(facing), 0.0f, std::cos(facing));
        glm::vec3 side = glm::normalize(glm::cross(glm::vec3(0, 1, 0), toViewer));
        const std::pair<const char*, glm::vec3> views[] = {
            {"front", glm::normalize(toViewer + glm::vec3(0, 0.15f, 0))},
            {"side", glm::normalize(toViewer * 0.3f + side + glm::vec3(0, 0.6f, 0))}};
        for (const auto& [suffix, direction] : views) {
            renderer.begin(centre + direction * distance, centre);
            for (const std::string& member : members)
                drawGlobal(renderer, member);
            auto [coverage, spread] = renderer.finish(global + "_" + suffix);
            EXPECT_GT(coverage, 0.02) << global << " " << suffix << " is nearly empty";
            EXPECT_LT(coverage, 0.95) << global << " " << suffix << " fills the whole picture";
            if (!lookOf(global).texture.empty()) {
                EXPECT_GT(spread, 0.015) << global << " " << suffix << " is one flat colour";
            }
        }
    }
    EXPECT_NO_GL_ERROR();
}

TEST_F(ModelGallery, EveryDanceAsAStripOfMoments)
{
    Renderer renderer;
    ASSERT_TRUE(renderer.linked());
    for (const std::string global : {"robot1Top", "robot3", "flyingRobot", "robot6A"}) {
        const SceneModel& model = sceneModel(global);
        std::vector<Clip> clips = clipsOf(model.file);
        for (std::size_t c = 0; c < clips.size(); ++c) {
            const Clip& clip = clips[c];
            Bounds bounds;
            for (const glm::vec3& p : worldMesh(global, clip.start).positions)
                bounds.add(p);
            glm::vec3 centre = bounds.centre();
            float radius = glm::length(bounds.max - bounds.min) * 0.5f;
            float facing = glm::radians(facingOf(global) + 20.0f);
            glm::vec3 eye = centre + glm::vec3(std::sin(facing), 0.2f, std::cos(facing)) * (radius * 2.8f);
            for (int tile = 0; tile < 6; ++tile) {
                double time = clip.start + (clip.end - clip.start) * tile / 6.0;
                renderer.beginTile(tile, eye, centre);
                if (std::string(global) == "robot1Top")
                    drawGlobal(renderer, "robot1Bottom");
                if (std::string(global) == "flyingRobot")
                    drawGlobal(renderer, "robot5Eyes");
                drawGlobal(renderer, global, "", time);
            }
            auto [coverage, spread] = renderer.finish(std::string("dance_") + global + "_clip" + std::to_string(c + 1));
            EXPECT_GT(coverage, 0.02) << global;
        }
    }
    EXPECT_NO_GL_ERROR();
}

TEST_F(ModelGallery, TheFurnishedRoomAndTheHouseFromThePlayersViews)
{
    Renderer renderer;
    ASSERT_TRUE(renderer.linked());
    const char* room[] = {"houseNew", "stair", "jukebox", "jukeboxFront", "robot1Top", "robot1Bottom", "robot3", "robot4",
        "robot6A", "robot6B", "robot6C", "robot6D", "door"};
    struct View {
        const char* name;
        glm::vec3 eye, target;
        const char* houseTexture;
    };
    const View views[] = {
        {"room_start_cellar", {0, 2, -9}, {0, 2, 0}, "Model/house/TexHouseCellar.jpg"},
        {"room_back_fluffy", {-2, 3.2f, 9.6f}, {1, 1.2f, 0}, "Model/house/TexHouseFluffy.jpg"},
        {"room_jukebox_scifi", {0.5f, 2.25f, -3}, {4.8f, 1.2f, -8.4f}, "Model/house/TexHouseScifi.jpg"},
        {"room_stairs_cellar", {-1, 2.25f, 3}, {0, 2.5f, 10}, "Model/house/TexHouseCellar.jpg"},
    };
    for (const View& view : views) {
        renderer.begin(view.eye, view.target);
        for (const char* global : room)
            drawGlobal(renderer, global, std::string(global) == "houseNew" ? view.houseTexture : "");
        auto [coverage, spread] = renderer.finish(view.name);
        EXPECT_GT(coverage, 0.9) << view.name << ": the room should surround the viewer";
        EXPECT_GT(spread, 0.03) << view.name;
    }
    renderer.begin({48.6f, 12.2f, -18.74f}, {49.6f, 12.2f, -18.74f});
    drawGlobal(renderer, "flyingRobot");
    drawGlobal(renderer, "robot5Eyes");
    auto intro = renderer.finish("intro_camera");
    EXPECT_GT(intro.first, 0.01) << "the flying robot should be in the intro camera's view";
    for (auto [name, eye] : {std::pair<const char*, glm::vec3>{"house_front", {-14, 9, -30}}, {"house_back", {20, 14, 26}}}) {
        renderer.begin(eye, {0, 3, 0});
        drawGlobal(renderer, "house");
        drawGlobal(renderer, "houseNew");
        auto [coverage, spread] = renderer.finish(name);
        EXPECT_GT(coverage, 0.1) << name;
        EXPECT_GT(spread, 0.02) << name;
    }
    EXPECT_NO_GL_ERROR();
}

} // namespace
