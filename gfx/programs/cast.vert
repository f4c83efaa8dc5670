// Cast: the quad arrives already in clip space. The texture coordinate is
// the corner widened to the picture's 16:9 shape; colour and normal carry
// the effect's parameters on to the fragment shader.
varying vec4 castColor;
varying vec3 castNormal;

void main() {
  castColor = gl_Color;
  castNormal = gl_Normal;
  gl_TexCoord[0] = vec4(gl_Vertex.x * 1.777, gl_Vertex.y, 1.0, 1.0);
  gl_Position = gl_Vertex;
}
