!!ARBfp1.0
# Glow source: keeps what lies above a threshold, amplified and shaped by
# the luminance.
# env[0] = (threshold, gain, exponent, -); env[1] = luminance weights.
PARAM shape = program.env[0];
PARAM weights = program.env[1];
TEMP t, lum;
TEX t, fragment.texcoord[0], texture[0], 2D;
DP3 lum.x, t, weights;
POW lum.x, lum.x, shape.z;
SUB_SAT t, t, shape.x;
MUL_SAT t, t, shape.y;
MUL result.color, t, lum.x;
END
