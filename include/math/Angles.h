// Angle units: CDegree and CRadian each hold one float and convert into each other with the
// engine's fixed single-precision factors.
#pragma once

struct CRadian;

struct CDegree {
    float x = 0.0f;

    CDegree() = default;
    explicit CDegree(float degrees) : x(degrees) {}
    CRadian ToRadian() const;
};

struct CRadian {
    float x = 0.0f;

    CRadian() = default;
    explicit CRadian(float radians) : x(radians) {}
    CDegree ToDegree() const;
};

constexpr float kDegreesPerRadian = 57.2957763671875f;
constexpr float kRadiansPerDegree = 0.01745329238474369f;

inline CRadian CDegree::ToRadian() const { return CRadian(x * kRadiansPerDegree); }

inline CDegree CRadian::ToDegree() const { return CDegree(x * kDegreesPerRadian); }
