#version 330 core
in vec2 TexCoord;

out vec4 FragColor;

// The glyph's coverage is in the red channel; it becomes the alpha.
uniform sampler2D glyph;
uniform vec3 textColor;

void main()
{
    FragColor = vec4(textColor, texture(glyph, TexCoord).r);
}
