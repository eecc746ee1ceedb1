#version 120
// Colour-scale bar, vertex stage: the quad spans -1 .. 1 of the view; each point's height in
// the bar, scaled like the trail's heights, picks its colour in the fragment stage.

uniform float gColorScale;

void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    gl_FrontColor = vec4(1.0);
    gl_BackColor = vec4(1.0);
    gl_TexCoord[0] = vec4((gl_Vertex.y + 1.0) * 0.5 * gColorScale, 1.0, 0.0, 1.0);
}
