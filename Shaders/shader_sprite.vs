#version 330 core
// Sprites, buttons and the cursor: the shared quad in world pixels, sampling
// one cell of a horizontal sprite sheet.
layout (location = 0) in vec3 aPosition;
layout (location = 1) in vec3 aColour;
layout (location = 2) in vec2 aTexCoord;

out vec2 TexCoord;

uniform mat4 projection;
uniform mat4 view;
uniform mat4 model;
uniform vec2 uv_off_scale;
uniform vec2 uv_off_translate;

void main()
{
    gl_Position = projection * view * model * vec4(aPosition, 1.0);
    TexCoord = aTexCoord * uv_off_scale + uv_off_translate;
}
