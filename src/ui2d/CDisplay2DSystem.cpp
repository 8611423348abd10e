#include "ui2d/CDisplay2DSystem.h"

#include "platform/gfx/SpriteBatch.h"
#include "render/CRenderer.h"
#include "ui2d/CDisplayObject2D.h"

#include <algorithm>

namespace Vesk {

CDisplay2DSystem::~CDisplay2DSystem() { Shutdown(); }

void CDisplay2DSystem::AddObject(CDisplayObject2D* object, int layer)
{
    if (!object)
        return;
    m_Objects.emplace(layer, object);
    ++object->m_LayerEntries;
}

void CDisplay2DSystem::RemoveObject(CDisplayObject2D* object, int layer)
{
    const auto range = m_Objects.equal_range(layer);
    const auto found = std::find_if(range.first, range.second, [object](const auto& e) { return e.second == object; });
    if (object && found != range.second)
        Drop(found);
}

void CDisplay2DSystem::Forget(CDisplayObject2D* object)
{
    for (auto entry = m_Objects.begin(); entry != m_Objects.end();) {
        auto next = std::next(entry);
        if (entry->second == object)
            Drop(entry);
        entry = next;
    }
}

void CDisplay2DSystem::Drop(std::multimap<int, CDisplayObject2D*>::iterator entry)
{
    --entry->second->m_LayerEntries;
    if (m_Rendering)
        entry->second = nullptr;
    else
        m_Objects.erase(entry);
}

void CDisplay2DSystem::Render(float dt)
{
    // The 3D pass's letter-boxed viewport stays set: objects are placed in whole-screen pixels
    // inside it and clipped to it, so the bands stay clear.
    gfx::SpriteBatch* batch = CRenderer::GetInstance().GetSpriteBatch();
    if (batch)
        batch->Begin(gfx::SpriteBatch::ALPHABLEND);
    m_Rendering = true;
    for (auto& entry : m_Objects) {
        if (!entry.second || !entry.second->IsVisible())
            continue;
        entry.second->Update(dt);
        // The update may have taken the object off its layer, or deleted it.
        if (entry.second && entry.second->GetSprite())
            entry.second->GetSprite()->Draw(static_cast<unsigned>(entry.second->GetFrame()));
    }
    m_Rendering = false;
    for (auto entry = m_Objects.begin(); entry != m_Objects.end();)
        entry = entry->second ? std::next(entry) : m_Objects.erase(entry);
    if (batch)
        batch->End();
}

void CDisplay2DSystem::Shutdown()
{
    for (auto& entry : m_Objects) {
        if (entry.second)
            entry.second->m_LayerEntries = 0;
        entry.second = nullptr;
    }
    if (!m_Rendering)
        m_Objects.clear();
}

size_t CDisplay2DSystem::GetLayerCount(int layer) const
{
    const auto range = m_Objects.equal_range(layer);
    return static_cast<size_t>(std::count_if(range.first, range.second, [](const auto& e) { return e.second; }));
}

size_t CDisplay2DSystem::GetObjectCount() const
{
    return static_cast<size_t>(
        std::count_if(m_Objects.begin(), m_Objects.end(), [](const auto& e) { return e.second; }));
}

} // namespace Vesk
