#version 150 core
// Turns the lifted grid into the lit volume of the spotlight: grid edges
// become sheets from the light to the two surface points of the edge, so the
// sheets along one grid line form a plane through the light that ends where
// the depth map saw something in the way. Seen through, a view ray crosses
// more sheets the deeper the volume is, and the sheets added together read as
// light scattered in the air.

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
flat out float sheetSpacing; // map distance between neighbouring sheet planes

vec3 surfacePoint(int k)
{
    vec4 point = inverseProjection * vec4(mapCoord[k], surfaceDepth[k], 1.0);
    return (modelMatrix * vec4(point.xyz / point.w, 1.0)).xyz;
}

void emitCorner(vec3 position, float distanceFraction, float spacing)
{
    worldPosition = position;
    reach = distanceFraction;
    sheetSpacing = spacing;
    gl_Position = cameraMatrix * vec4(position, 1.0);
    EmitVertex();
}

// Sheets stand on the grid lines nearest to a fixed lattice of planes across
// the map, one through the axis and the others a sixth of the map apart. A
// finer grid follows the depth map more closely along each sheet without
// adding sheets, so the pixels a cone costs to fill stay the same for any N.
const float sheetLattice = 1.0 / 6.0;

bool onSheetLine(float coordinate, float spacing)
{
    if (coordinate < 0.5 * spacing || coordinate > 1.0 - 0.5 * spacing)
        return false; // the frustum's border lies outside the cone
    float lattice = max(sheetLattice, spacing);
    float target = 0.5 + lattice * round((coordinate - 0.5) / lattice);
    float offset = coordinate - target;
    return offset > -0.5 * spacing && offset <= 0.5 * spacing;
}

bool before(vec2 a, vec2 b)
{
    return a.x < b.x || (a.x == b.x && a.y < b.y);
}

// Two neighbouring triangles share an edge; only the one whose third corner
// lies left of the edge, taken from its smaller end, draws that edge's sheet,
// so no sheet is added twice. Diagonal edges carry no sheet.
bool ownsSheet(int a, int b, int c, float spacing)
{
    vec2 from = mapCoord[a];
    vec2 to = mapCoord[b];
    if (before(to, from)) {
        from = mapCoord[b];
        to = mapCoord[a];
    }
    vec2 edge = to - from;
    vec2 third = mapCoord[c] - from;
    if (edge.x * third.y - edge.y * third.x <= 0.0)
        return false;
    if (edge.x == 0.0)
        return onSheetLine(from.x, spacing);
    if (edge.y == 0.0)
        return onSheetLine(from.y, spacing);
    return false;
}

void main()
{
    vec3 apex = (modelMatrix * vec4(Lpos, 1.0)).xyz;
    vec3 surface[3] = vec3[](surfacePoint(0), surfacePoint(1), surfacePoint(2));
    vec2 span = max(max(abs(mapCoord[1] - mapCoord[0]), abs(mapCoord[2] - mapCoord[1])),
        abs(mapCoord[0] - mapCoord[2]));
    float spacing = max(span.x, span.y);
    float planeSpacing = max(sheetLattice, spacing);

    for (int k = 0; k < 3; ++k) {
        int next = (k + 1) % 3;
        if (!ownsSheet(k, next, (k + 2) % 3, spacing))
            continue;
        emitCorner(apex, 0.0, planeSpacing);
        emitCorner(surface[k], 1.0, planeSpacing);
        emitCorner(surface[next], 1.0, planeSpacing);
        EndPrimitive();
    }
}
