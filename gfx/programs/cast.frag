// Cast: ray-marches a texture-perturbed implicit surface through fog.
//
// Inputs: the colour (its green and blue shape the ripple of the first
// polynomial row), the normal (x: twist phase, y: field offset, z: twist
// rate), light 0's ambient (polynomial coefficients), diffuse (x: field
// frequency, y: density-texture scale, z: field-texture scale, w: texture
// perturbation) and specular (x: field amplitude, y: reflection scale, z:
// field offset, w: step growth), and light 0's eye-space position.
uniform sampler2D tumpe;

varying vec4 castColor;
varying vec3 castNormal;

const vec3 fogTint = vec3(0.175, 0.2, 0.25);

// Written by field(): whether the last evaluation fell inside the core, and
// the texture sample it used.
float inside;
vec4 fieldSample;

float field(vec3 j) {
  vec4 A = gl_LightSource[0].ambient;
  vec4 D = gl_LightSource[0].diffuse;
  vec4 S = gl_LightSource[0].specular;
  vec4 P = A + vec4(castColor.g * sin(30.0 * castColor.b * j), 0.0);
  vec4 Q = A;
  vec4 R = A;
  fieldSample = texture2D(tumpe, vec2(j.x + j.z, j.y + 0.54 * j.z) * D.z);
  vec3 k = sin(j * D.x + D.w * fieldSample.rgb) * S.x;
  float core = dot(k, k) + dot(k * k, k) + S.z;
  if (core <= 0.0) {
    inside = 1.0;
    return core;
  }
  float a = j.x * castNormal.z + castNormal.x;
  k = vec3(k.x, k.y * cos(a) + k.z * sin(a), -k.y * sin(a) + k.z * cos(a));
  vec3 q = k * k;
  vec3 m = vec3(q.x * q.y, q.x * q.z, q.y * q.z);
  vec3 s = q * q;
  float result = s.x * P.x + m.x * P.y + q.x * P.z + k.x * P.w
               + s.y * Q.x + m.y * Q.y + q.y * Q.z + k.y * Q.w
               + s.z * R.x + m.z * R.y + q.z * R.z + k.z * R.w + castNormal.y;
  if (result <= 0.0) inside = 0.0;
  return result;
}

float density(vec3 p) {
  vec4 u = texture2D(tumpe, vec2(p.x + p.z, p.y) * gl_LightSource[0].diffuse.y);
  return (u.r + u.g) * (u.r + u.g);
}

vec3 shade(vec3 p, float v, vec3 dir) {
  vec3 N = normalize(vec3(field(p + vec3(0.05, 0.0, 0.0)) - v,
                          field(p + vec3(0.0, 0.05, 0.0)) - v,
                          field(p + vec3(0.0, 0.0, 0.05)) - v));
  vec3 l = normalize(gl_LightSource[0].position.xyz - p);
  vec3 specularColor = vec3(1.2, 1.0, 0.95);
  vec3 diffuseColor = (fieldSample.rgb + 0.1) * 5.0 * fogTint;
  if (inside > 0.5) {
    specularColor = fogTint;
    diffuseColor = vec3(0.5, 0.05, 0.054);
  }
  dir = normalize(dir);
  float reflection = clamp(dot(reflect(l, N) * gl_LightSource[0].specular.y, dir), 0.0, 8.0);
  return diffuseColor * clamp(dot(l, N), 0.0, 1.0)
       + specularColor * clamp(pow(reflection, 4.0), 0.0, 1.0) + vec3(0.02);
}

void main() {
  inside = 0.0;
  fieldSample = vec4(0.0);
  vec4 S = gl_LightSource[0].specular;
  vec3 d = (gl_TexCoord[0] * gl_ModelViewMatrix).xyz;
  vec3 p = gl_ModelViewMatrix[3].xyz + d;
  vec3 fog = 3.0 * fogTint;
  float dm = 0.4;
  float sigma = 0.0;
  float v;
  int steps = 0;
  do {
    p += d * dm;
    v = field(p);
    sigma += dm * v * density(p);
    dm *= S.w;
    steps++;
  } while (v > 0.0 && steps < 10);
  bool hit = v <= 0.0;
  if (hit) {
    int refinements = 0;
    do {
      dm *= 0.5;
      p += (v <= 0.0 ? -d : d) * dm;
      v = field(p);
      refinements++;
    } while (abs(v) > 0.05 && refinements < 4);
  }
  float g = clamp(sigma * 0.02 / (S.x * S.x), 0.0, 1.0);
  if (hit)
    gl_FragColor = vec4(shade(p, v, d) * (1.0 - g) + fog * g, 1.0);
  else
    gl_FragColor = vec4(fog * g, 1.0);
}
