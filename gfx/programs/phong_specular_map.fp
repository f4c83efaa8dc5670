!!ARBfp1.0
# Bump-mapped phong lighting with a specular map, an environment map and
# ambient light.
# Units: 0 bump map, 1 colour, 2 specular map, 3 environment map.
# env[0] diffuse, env[1] specular, env[2] (specular power, -, specular add,
# texture add), env[3] (bump amount, texture multiplier, parallax depth,
# parallax bias), env[4] (environment amount, environment-texture amount,
# environment position multiplier x, y), env[5] ambient, env[6..9] scale (xy)
# and offset (zw) of the colour, bump, specular and environment coordinates.
PARAM diffuse = program.env[0];
PARAM specular = program.env[1];
PARAM shine = program.env[2];
PARAM bump = program.env[3];
PARAM environment = program.env[4];
PARAM ambient = program.env[5];
PARAM colorTransform = program.env[6];
PARAM bumpTransform = program.env[7];
PARAM specularTransform = program.env[8];
PARAM environmentTransform = program.env[9];
PARAM projection[4] = { state.matrix.projection };
TEMP N, T, P, colorUv, bumpUv, specularUv, slope, bitangent, m, E, q, L, e, envColor;
TEMP d, R, r, specularTerm, c0, envTex, color, amb, t;

DP3 t.x, fragment.texcoord[3], fragment.texcoord[3];
RSQ t.x, t.x;
MUL N.xyz, fragment.texcoord[3], t.x;
DP3 t.x, fragment.texcoord[4], fragment.texcoord[4];
RSQ t.x, t.x;
MUL T.xyz, fragment.texcoord[4], t.x;
DP3 t.x, fragment.texcoord[5], fragment.texcoord[5];
RSQ t.x, t.x;
MUL P.xyz, fragment.texcoord[5], t.x;

# Each coordinate set is scaled, offset and parallax-shifted on its own.
MAD colorUv.xy, fragment.texcoord[0], colorTransform, colorTransform.zwzw;
TEX t, colorUv, texture[0], 2D;
MAD t.x, t.z, bump.z, bump.w;
MAD colorUv.xy, t.x, P, colorUv;
MAD bumpUv.xy, fragment.texcoord[0], bumpTransform, bumpTransform.zwzw;
TEX t, bumpUv, texture[0], 2D;
MAD t.x, t.z, bump.z, bump.w;
MAD bumpUv.xy, t.x, P, bumpUv;
MAD specularUv.xy, fragment.texcoord[0], specularTransform, specularTransform.zwzw;
TEX t, specularUv, texture[0], 2D;
MAD t.x, t.z, bump.z, bump.w;
MAD specularUv.xy, t.x, P, specularUv;

TEX slope, bumpUv, texture[0], 2D;
SUB slope, slope, 0.5;
MUL slope, slope, bump.x;
XPD bitangent.xyz, N, T;
MAD N.xyz, T, slope.x, N;
MAD N.xyz, bitangent, slope.y, N;
DP3 t.x, N, N;
RSQ t.x, t.x;
MUL N.xyz, N, t.x;

TEX m, specularUv, texture[2], 2D;

DP3 t.x, fragment.texcoord[1], fragment.texcoord[1];
RSQ t.x, t.x;
MUL E.xyz, fragment.texcoord[1], t.x;
DP3 q.x, projection[0], E;
DP3 q.y, projection[1], -E;
DP3 q.z, projection[2], E;
DP3 t.x, fragment.texcoord[2], fragment.texcoord[2];
RSQ t.x, t.x;
MUL L.xyz, fragment.texcoord[2], t.x;

# Environment lookup from the projected normal, nudged by the view direction.
DP3 e.x, projection[0], N;
DP3 e.y, projection[1], N;
DP3 e.z, projection[2], N;
MAD e.xy, q, environment.zwzw, e;
MUL e.y, e.y, 0.5;
MAD e.xy, e, environmentTransform, environmentTransform.zwzw;
MAD e, e, 0.5, 0.5;
TEX envColor, e, texture[3], 2D;
MUL envColor, envColor, m;

DP3 d, N, L;
DP3 t.x, E, N;
MUL t.xyz, t.x, N;
MAD R.xyz, t, -2.0, E;
DP3_SAT r, R, L;
MAD t.x, m.x, 0.5, 0.5;
MUL r.y, r.y, t.x;
POW_SAT t.x, r.y, shine.x;
MUL_SAT specularTerm, t.x, specular;

TEX c0, colorUv, texture[1], 2D;
MUL envTex, c0, environment.y;
MUL envTex, envTex, envColor;
MAD color, c0, bump.y, shine.w;
MUL amb, color, ambient;
MUL color, color, diffuse;
MAD_SAT t, d, color, specularTerm;
MAD_SAT t, specularTerm, shine.z, t;
MAD t, envColor, environment.x, t;
ADD t, t, envTex;
ADD result.color.xyz, t, amb;
MOV result.color.w, 1.0;
END
