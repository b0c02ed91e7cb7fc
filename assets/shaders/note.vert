#version 150 core
// Full-screen cards. A notice is a unit box that the scene places at
// translate(0, 0, -1.5) * scale(2) in front of the eye; its model matrix
// alone lays the near face over -1..1 in x and y, which is taken as the
// viewport itself, so the picture covers the screen upright and uncropped at
// any aspect ratio. Seen through the camera's projection that face, 0.5 in
// front of the eye, would be more than three times the size of the view, so
// the projection that the papers set is not applied.
// The model-space z orders the box's faces in depth: the near face (+z) lies
// in front of the far face, and the side faces, whose x or y is constant,
// shrink to the screen's edges. With the identity model matrix the quad of
// the full-screen passes (z = 0) lands exactly on its target, at mid depth:
// behind the notices that are drawn over the composition.

in vec3 position;
in vec2 uv;

uniform mat4 modelMatrix;

out vec2 textureCoordinate;

void main()
{
    vec4 placed = modelMatrix * vec4(position, 1.0);
    textureCoordinate = uv;
    gl_Position = vec4(placed.xy / placed.w, -position.z, 1.0);
}
