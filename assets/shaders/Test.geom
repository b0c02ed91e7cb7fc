#version 150 core
// Turns the lifted grid into the lit volume of the spotlight: every grid edge
// becomes a sheet from the light to the two surface points of that edge. Seen
// through, a view ray crosses as many sheets as the volume is deep, so the
// sheets added together read as light scattered in the air, and the volume
// stops wherever the depth map saw something in the way.

layout(triangles) in;
layout(triangle_strip, max_vertices = 9) out;

in vec2 mapCoord[];
in float surfaceDepth[];

uniform mat4 inverseProjection; // depth-map space (s, t, depth) to world
uniform mat4 modelMatrix;
uniform mat4 cameraMatrix;
uniform vec3 Lpos;

out vec3 worldPosition;
out float reach; // 0 at the light, 1 at the surface it meets
flat out float gridSpacing;

vec3 surfacePoint(int k)
{
    vec4 point = inverseProjection * vec4(mapCoord[k], surfaceDepth[k], 1.0);
    return (modelMatrix * vec4(point.xyz / point.w, 1.0)).xyz;
}

void emitCorner(vec3 position, float distanceFraction, float spacing)
{
    worldPosition = position;
    reach = distanceFraction;
    gridSpacing = spacing;
    gl_Position = cameraMatrix * vec4(position, 1.0);
    EmitVertex();
}

bool before(vec2 a, vec2 b)
{
    return a.x < b.x || (a.x == b.x && a.y < b.y);
}

// Two neighbouring triangles share an edge; only the one whose third corner
// lies left of the edge, taken from its smaller end, draws that edge's sheet,
// so no sheet is added twice.
bool ownsEdge(int a, int b, int c)
{
    vec2 from = mapCoord[a];
    vec2 to = mapCoord[b];
    if (before(to, from)) {
        from = mapCoord[b];
        to = mapCoord[a];
    }
    vec2 edge = to - from;
    vec2 third = mapCoord[c] - from;
    return edge.x * third.y - edge.y * third.x > 0.0;
}

void main()
{
    vec3 apex = (modelMatrix * vec4(Lpos, 1.0)).xyz;
    vec3 surface[3] = vec3[](surfacePoint(0), surfacePoint(1), surfacePoint(2));
    vec2 span = max(max(abs(mapCoord[1] - mapCoord[0]), abs(mapCoord[2] - mapCoord[1])),
        abs(mapCoord[0] - mapCoord[2]));
    float spacing = max(span.x, span.y);

    for (int k = 0; k < 3; ++k) {
        int next = (k + 1) % 3;
        if (!ownsEdge(k, next, (k + 2) % 3))
            continue;
        emitCorner(apex, 0.0, spacing);
        emitCorner(surface[k], 1.0, spacing);
        emitCorner(surface[next], 1.0, spacing);
        EndPrimitive();
    }
}
