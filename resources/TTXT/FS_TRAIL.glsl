#version 120
// Spectrum trail and colour-scale bar, fragment stage. The height (s) runs through the colour
// scale from blue at 0 over cyan, green and yellow to red at 1; the lit colour of the vertex
// stage modulates it, and older slices (smaller t) are drawn darker.

vec3 ScaleColor(float level)
{
    float h = clamp(level, 0.0, 1.0) * 4.0;
    return clamp(vec3(h - 2.0, min(h, 4.0 - h), 2.0 - h), 0.0, 1.0);
}

void main()
{
    float fade = mix(0.35, 1.0, clamp(gl_TexCoord[0].t, 0.0, 1.0));
    gl_FragColor = vec4(ScaleColor(gl_TexCoord[0].s) * gl_Color.rgb * fade, gl_Color.a);
}
