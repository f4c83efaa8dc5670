!!ARBfp1.0
# Bump map from an image: red and green are the luminance slopes in x and y
# around 0.5, blue the luminance itself, alpha 0.
# env[0].xy: one-texel step; env[1]: luminance weights.
PARAM step = program.env[0];
PARAM weights = program.env[1];
TEMP u, t, lum;
TEX t, fragment.texcoord[0], texture[0], 2D;
DP3 lum.z, t, weights;
MOV u, fragment.texcoord[0];
SUB u.x, fragment.texcoord[0], step.x;
TEX t, u, texture[0], 2D;
DP3 lum.x, t, weights;
ADD u.x, fragment.texcoord[0], step.x;
TEX t, u, texture[0], 2D;
DP3 t.x, t, weights;
SUB lum.x, lum.x, t.x;
MOV u, fragment.texcoord[0];
SUB u.y, fragment.texcoord[0], step.y;
TEX t, u, texture[0], 2D;
DP3 lum.y, t, weights;
ADD u.y, fragment.texcoord[0], step.y;
TEX t, u, texture[0], 2D;
DP3 t.x, t, weights;
SUB lum.y, lum.y, t.x;
MAD result.color.xy, lum, 0.5, 0.5;
MOV result.color.z, lum.z;
MOV result.color.w, 0.0;
END
