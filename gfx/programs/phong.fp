!!ARBfp1.0
# Bump-mapped, parallax-shifted phong lighting.
# Unit 0: bump map (red/green slope around 0.5, blue height); unit 1: colour.
# env[0] diffuse colour, env[1] specular colour,
# env[2] (specular power, specular pre-multiplier, specular add, texture add),
# env[3] (bump amount, texture multiplier, parallax depth, parallax bias).
PARAM diffuse = program.env[0];
PARAM specular = program.env[1];
PARAM shine = program.env[2];
PARAM bump = program.env[3];
TEMP N, T, P, uv, slope, bitangent, E, L, d, R, r, k, specularTerm, color, t;

DP3 t.x, fragment.texcoord[3], fragment.texcoord[3];
RSQ t.x, t.x;
MUL N.xyz, fragment.texcoord[3], t.x;
DP3 t.x, fragment.texcoord[4], fragment.texcoord[4];
RSQ t.x, t.x;
MUL T.xyz, fragment.texcoord[4], t.x;
DP3 t.x, fragment.texcoord[5], fragment.texcoord[5];
RSQ t.x, t.x;
MUL P, fragment.texcoord[5], t.x;

# Parallax: shift the coordinates along the view vector by the height.
TEX t, fragment.texcoord[0], texture[0], 2D;
MAD t.x, t.z, bump.z, bump.w;
MAD uv, t.x, P, fragment.texcoord[0];

# Tilt the normal by the bump slopes.
TEX slope, uv, texture[0], 2D;
SUB slope, slope, 0.5;
MUL slope, slope, bump.x;
XPD bitangent.xyz, N, T;
MAD N.xyz, T, slope.x, N;
MAD N.xyz, bitangent, slope.y, N;
DP3 t.x, N, N;
RSQ t.x, t.x;
MUL N.xyz, N, t.x;

DP3 t.x, fragment.texcoord[1], fragment.texcoord[1];
RSQ t.x, t.x;
MUL E.xyz, fragment.texcoord[1], t.x;
DP3 t.x, fragment.texcoord[2], fragment.texcoord[2];
RSQ t.x, t.x;
MUL L.xyz, fragment.texcoord[2], t.x;

DP3 d, N, L;
MUL R.xyz, d, N;
MAD R.xyz, R, 2.0, -L;
DP3 r, R, E;
MUL_SAT k, r, shine;
POW t.x, k.y, shine.x;
MUL_SAT specularTerm, t.x, specular;

TEX color, uv, texture[1], 2D;
MAD color, color, bump.y, shine.w;
MUL color, color, diffuse;
MAD_SAT t, d, color, specularTerm;
MAD_SAT result.color, specularTerm, shine.z, t;
END
