!!ARBfp1.0
# out = A * (B * K * a + 1 - a); A = unit 0 with alpha 1, B = unit 1,
# K = primary colour, a = its alpha.
TEMP A, B, blend;
TEX A, fragment.texcoord[0], texture[0], 2D;
MOV A.w, 1.0;
TEX B, fragment.texcoord[1], texture[1], 2D;
MUL blend, B, fragment.color;
MUL blend, blend, fragment.color.w;
ADD blend, blend, 1.0;
SUB blend, blend, fragment.color.w;
MUL result.color, A, blend;
END
