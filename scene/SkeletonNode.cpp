#include "scene/SkeletonNode.h"

namespace plim::scene {

SkeletonNode::~SkeletonNode()
{
    for (int i = 0; i < childCount; ++i)
        delete children[i];
}

} // namespace plim::scene
