#version 330 core
in vec2 TexCoord;

out vec4 FragColor;

// Always bound to texture unit 0.
uniform sampler2D image;

void main()
{
    FragColor = texture(image, TexCoord);
}
