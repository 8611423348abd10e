#include "ui2d/CDisplay2DSystem.h"

#include "platform/gfx/SpriteBatch.h"
#include "render/CRenderer.h"
#include "ui2d/CDisplayObject2D.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace Vesk {

CDisplay2DSystem::~CDisplay2DSystem() { Shutdown(); }

void CDisplay2DSystem::AddObject(CDisplayObject2D* object, int layer)
{
    if (!object)
        return;
    object->m_LayerEntries.push_back(m_Objects.emplace(layer, object));
}

void CDisplay2DSystem::RemoveObject(CDisplayObject2D* object, int layer)
{
    if (!object)
        return;
    // On one layer, entries keep the order of adding: the object's first entry there is the
    // layer's first entry of the object.
    const std::vector<Entry>& entries = object->m_LayerEntries;
    const auto found = std::find_if(entries.begin(), entries.end(), [layer](Entry e) { return e->first == layer; });
    if (found != entries.end())
        Drop(object, static_cast<size_t>(found - entries.begin()));
}

void CDisplay2DSystem::Forget(CDisplayObject2D* object)
{
    while (!object->m_LayerEntries.empty())
        Drop(object, object->m_LayerEntries.size() - 1);
}

void CDisplay2DSystem::Drop(CDisplayObject2D* object, size_t position)
{
    std::vector<Entry>& entries = object->m_LayerEntries;
    const Entry entry = entries[position];
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(position));
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
            entry.second->m_LayerEntries.clear();
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
