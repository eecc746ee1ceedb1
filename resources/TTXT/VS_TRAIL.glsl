#version 120
// Spectrum trail, vertex stage. A vertex carries its bin (x), its magnitude (y) and the ring
// slot of its slice (z). It is placed at GetX(), GetY() and at a depth given by the age of its
// slice (0 for the newest), lit by light 0 and the light-model ambient colour, and hands the
// fragment stage its height for the colour scale (s) and its freshness (t).
// GetY and GetX are appended after this text.

uniform float gDepth;
uniform float gRSpects;
uniform float gFreqBase;
uniform float gSlice;
uniform float gZoom;
uniform float gZoomDB;
uniform float gColorScale;

float GetY();
float GetX();

void main()
{
    float y = GetY();
    float age = mod(gSlice - gl_Vertex.z + gDepth, gDepth);
    gl_Position = gl_ModelViewProjectionMatrix * vec4(GetX(), y, -age, 1.0);

    vec3 normal = normalize(gl_NormalMatrix * gl_Normal);
    vec3 toLight = normalize(gl_LightSource[0].position.xyz);
    vec4 ambient = gl_LightModel.ambient + gl_LightSource[0].ambient;
    vec4 front = ambient + gl_LightSource[0].diffuse * max(dot(normal, toLight), 0.0);
    vec4 back = ambient + gl_LightSource[0].diffuse * max(dot(-normal, toLight), 0.0);
    gl_FrontColor = vec4(front.rgb, 1.0);
    gl_BackColor = vec4(back.rgb, 1.0);
    gl_TexCoord[0] = vec4(y * gColorScale, 1.0 - age / gDepth, 0.0, 1.0);
}
