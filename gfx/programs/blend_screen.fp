!!ARBfp1.0
# out = 1 - (1 - A) * ((1 - B) * K * a + 1 - a); A = unit 0, whose inverse
# has alpha 1, B = unit 1, K = primary colour, a = its alpha.
TEMP inverseA, inverseB, blend;
TEX inverseA, fragment.texcoord[0], texture[0], 2D;
SUB inverseA, 1.0, inverseA;
MOV inverseA.w, 1.0;
TEX inverseB, fragment.texcoord[1], texture[1], 2D;
SUB inverseB, 1.0, inverseB;
MUL blend, inverseB, fragment.color;
MUL blend, blend, fragment.color.w;
ADD blend, blend, 1.0;
SUB blend, blend, fragment.color.w;
MUL blend, inverseA, blend;
SUB result.color, 1.0, blend;
END
