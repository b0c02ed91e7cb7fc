#include "Asset.h"

#include "pictures/ImageFile.h"
#include "pictures/Notices.h"
#include "pictures/Textures.h"

#include <functional>
#include <map>

namespace assetgen {

namespace {

pictures::Canvas flat(pictures::Color colour)
{
    return pictures::Canvas(16, 16, colour);
}

} // namespace

std::optional<Bytes> generatePicture(const std::string& path)
{
    using namespace pictures;
    static const std::map<std::string, std::function<Canvas()>> makers = {
        {"OpenGL/Textures/woodBox2.jpg", makeWoodCrate},
        {"OpenGL/Textures/metalBox.jpg", makeBrushedMetal},
        {"OpenGL/Textures/instruments.jpg", makeInstrumentPattern},
        {"OpenGL/Textures/Helpscreen.png", makeHelpNotice},
        {"OpenGL/Textures/Level1.png", makeTitleNotice},
        {"OpenGL/Textures/Level2.png", makeLevelNotice},
        {"OpenGL/Textures/container04.jpg", makeContainerPanel},
        {"OpenGL/Textures/pink.png", [] { return flat(hex(0xff69b4)); }},
        {"OpenGL/Textures/white.png", [] { return flat({1, 1, 1}); }},
        {"OpenGL/Textures/black.png", [] { return flat({0, 0, 0}); }},
        {"OpenGL/Textures/stars.jpg", makeStarfield},
    };
    auto maker = makers.find(path);
    if (maker == makers.end())
        return std::nullopt;
    Canvas canvas = maker->second();
    bool png = path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    return png ? encodePng(canvas) : encodeJpeg(canvas);
}

} // namespace assetgen
