// Definition pieces shared by the tests of the phong-lit mesh kinds: a fixed
// camera on the z axis and a shading block whose light, colours and textures
// the tests know.
#pragma once

// Eye at (0, 0, 4) looking at the origin: eye space is world space moved by
// -4 along z.
inline constexpr const char* kCameraOnZ =
    "int setCamera = 1;\nvec3 cameraPos = vec3(0, 0, 4);\nvec3 cameraLookAt = vec3(0, 0, 0);\n"
    "vec3 cameraRPY;\nvec3 cameraLookAtRPY;\nfloat cameraZoom = 0;\n";

// Unperturbed normals (no bump, no parallax); "ramp" as the colour texture.
inline constexpr const char* kShadingBlock =
    "vec3 meshSpec = vec3(0.9, 0.7, 0.5);\nvec3 lightPos = vec3(2, 3, 5);\n"
    "float meshSpecPow = 3;\nfloat meshSpecMul = 0.8;\nfloat meshSpecAdd = 0.5;\n"
    "float meshTexAdd = 0.2;\nfloat meshBump = 0;\nfloat meshTexMul = 0.7;\n"
    "float meshParallaxDepth = 0;\nfloat meshParallaxBias = 0;\n"
    "vec3 meshTexScale = vec3(1, 1, 1);\nvec3 meshColor = vec3(0.9, 0.8, 0.6);\n"
    "texture textureMesh = \"ramp\";\ntexture textureMeshBumpHeight = \"ramp\";\n";

inline constexpr const char* kPlacementAtOrigin =
    "vec3 meshPos;\nvec3 meshCen;\nvec3 meshRot;\nvec3 meshSca = vec3(1, 1, 1);\n";
