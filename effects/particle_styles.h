// The particle constants of the four kinds that stir vortex particles, one
// constant each, so that the kinds, their tests and the benchmarks share them.
#pragma once

#include "effects/particles.h"

// Breaker's sprite alphas are these times its "particleAlpha".
inline constexpr ParticleStyle kBreakerParticles{
    .swirl = 0.002f,
    .push = 0.01f,
    .pull = 0.02f,
    .damping = 0.75f,
    .sizeRandom = 3.0f,
    .sizeByDistance = 0.01f,
    .distanceLimit = 10000.0f,
    .sizeBase = 5.0f,
    .widthPerSize = 1.5f,
    .alphaPerSize = 2.0f,
    .vortexAlpha = 1.0f,
};

inline constexpr ParticleStyle kSpringyParticles{
    .swirl = 0.01f,
    .push = 0.02f,
    .pull = 0.025f,
    .damping = 0.95f,
    .sizeRandom = 0.1f,
    .sizeByDistance = 0.005f,
    .distanceLimit = 1000.0f,
    .sizeBase = 2.0f,
    .sizeFromCamera = true,
    .angleOffset = 180.0f,
    .widthPerSize = 2.0f,
    .alphaPerSize = 1.0f,
    .vortexAlpha = 1.0f,
};

inline constexpr ParticleStyle kSpringerParticles{
    .swirl = 0.001f,
    .push = 0.025f,
    .pull = 0.01f,
    .damping = 0.95f,
    .sizeRandom = 0.1f,
    .sizeByDistance = 0.0005f,
    .distanceLimit = 10000.0f,
    .sizeBase = 2.0f,
    .sizeFromCamera = false,
    .angleOffset = 180.0f,
    .widthPerSize = 1.0f,
    .alphaPerSize = 0.15f,
    .vortexAlpha = 1.0f,
};

inline constexpr ParticleStyle kCubetubeParticles{
    .distanceWeightZ = 1.5f,
    .swirl = 0.005f,
    .push = 0.025f,
    .pull = 0.075f,
    .damping = 0.95f,
    .sizeRandom = 0.1f,
    .sizeByDistance = 0.005f,
    .distanceLimit = 1000.0f,
    .sizeBase = 3.0f,
    .sizeFromCamera = true,
    .widthPerSize = 1.25f,
    .alphaPerSize = 0.5f,
    .vortexAlpha = 1.0f,
};
