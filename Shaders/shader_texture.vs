#version 330 core
// Whole-window pictures: "model" alone places the quad in clip space, so the
// identity covers the window. Camera and sheet uniforms play no part here.
layout (location = 0) in vec3 aPosition;
layout (location = 1) in vec3 aColour;
layout (location = 2) in vec2 aTexCoord;

out vec2 TexCoord;

uniform mat4 model;

void main()
{
    gl_Position = model * vec4(aPosition, 1.0);
    TexCoord = aTexCoord;
}
