!!ARBfp1.0
# Writes the interpolated velocity as the colour.
MOV result.color, fragment.texcoord[0];
END
