#include "sound/fmod/Output.h"

#include "sound/fmod/OpenALOutput.h"

namespace FMOD {

namespace {

// A function-local static: the global sound system is created during static
// initialisation, possibly before this file's own globals would be.
OutputFactory& currentFactory()
{
    static OutputFactory factory;
    return factory;
}

} // namespace

void setOutputFactory(OutputFactory factory)
{
    currentFactory() = std::move(factory);
}

std::unique_ptr<Output> makeOutput()
{
    if (currentFactory())
        return currentFactory()();
    return std::make_unique<OpenALOutput>();
}

} // namespace FMOD
