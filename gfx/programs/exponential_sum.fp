!!ARBfp1.0
# Sum of two images, each amplified and shaped by its own luminance.
# env[0] = (exponent for unit 0, exponent for unit 1);
# env[1] = luminance weights; env[2] = (gain for unit 0, gain for unit 1).
PARAM exponents = program.env[0];
PARAM weights = program.env[1];
PARAM gains = program.env[2];
TEMP t0, t1, lum;
TEX t0, fragment.texcoord[0], texture[0], 2D;
TEX t1, fragment.texcoord[0], texture[1], 2D;
DP3 lum.x, t0, weights;
DP3 lum.y, t1, weights;
POW lum.x, lum.x, exponents.x;
POW lum.y, lum.y, exponents.y;
MUL_SAT t0, t0, gains.x;
MUL_SAT t0, t0, lum.x;
MUL_SAT t1, t1, gains.y;
MUL_SAT t1, t1, lum.y;
ADD_SAT result.color, t0, t1;
END
