// A scene light held by value in the renderer's light list. Materials upload its fields to their
// effects; lights never reach the fixed-function pipeline.
#pragma once

namespace Vesk {

class CLight {
public:
    virtual ~CLight() = default;

    float m_Ambient[4] = {0.2f, 0.2f, 0.2f, 0.2f};
    float m_Diffuse[4] = {0.7f, 0.7f, 0.7f, 0.7f};
    float m_Specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float m_Position[3] = {0.0f, 0.0f, 0.0f};
    float m_Direction[3] = {0.0f, 0.0f, 1.0f};
    float m_Power = 100.0f;
    float m_DistanceAttenuation[3] = {1.0f, 0.1f, 0.0f};
    float m_SpotAttenuation[3] = {15.0f, 30.0f, 1.0f};
    int m_Type = 0;
};

} // namespace Vesk
