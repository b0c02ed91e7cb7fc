#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace plim::scene {

// A 64-bit FNV-1a hash of what a depth pass draws: its light, each caster it
// draws and how. Two passes with equal fingerprints draw the same map, so the
// second can be left out.
class DepthFingerprint {
public:
    void addBytes(const void* bytes, std::size_t count)
    {
        const auto* byte = static_cast<const unsigned char*>(bytes);
        for (std::size_t i = 0; i < count; ++i)
            hash = (hash ^ byte[i]) * 1099511628211ull;
    }

    template <typename Value>
    void add(const Value& value)
    {
        static_assert(std::is_trivially_copyable_v<Value>, "only plain values have a byte image");
        addBytes(&value, sizeof value);
    }

    std::uint64_t value() const { return hash; }

private:
    std::uint64_t hash = 14695981039346656037ull;
};

} // namespace plim::scene
