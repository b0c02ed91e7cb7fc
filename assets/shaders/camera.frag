#version 150 core

uniform sampler2D colorTexture;
uniform struct Light {
    vec3 position;
    vec3 intensities;
    float attenuation;
    float ambientCoefficient;
} light;
uniform vec3 cameraPosition;
uniform float materialShininess;
uniform vec3 materialSpecularColor;
uniform float transparency;
// The pillars repeat the point light's position here for the glow image.
uniform vec3 Lpos;

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 textureCoordinate;

out vec4 fragColor;

void main()
{
    vec3 surfaceColor = texture(colorTexture, textureCoordinate).rgb;
    vec3 ambient = light.ambientCoefficient * surfaceColor * light.intensities;

    // A mesh without normals gets only the ambient term.
    float normalLength = length(worldNormal);
    vec3 n = normalLength > 0.0 ? worldNormal / normalLength : vec3(0.0);
    vec3 toLight = normalize(light.position - worldPosition);
    float diffuseFactor = max(dot(n, toLight), 0.0);
    vec3 diffuse = diffuseFactor * surfaceColor * light.intensities;

    vec3 specular = vec3(0.0);
    if (diffuseFactor > 0.0) {
        vec3 toCamera = normalize(cameraPosition - worldPosition);
        vec3 reflected = reflect(-toLight, n);
        float specularFactor = pow(max(dot(toCamera, reflected), 0.0), materialShininess);
        specular = specularFactor * materialSpecularColor * light.intensities;
    }

    float distanceToLight = length(light.position - worldPosition);
    float attenuation = 1.0 / (1.0 + light.attenuation * distanceToLight * distanceToLight);
    vec3 linearColor = ambient + attenuation * (diffuse + specular);
    fragColor = vec4(linearColor, transparency);
}
