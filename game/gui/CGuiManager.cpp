#include "game/gui/CGuiManager.h"

#include "core/Log.h"
#include "game/controllers/CControllerManager.h"
#include "game/gui/CButton.h"
#include "game/gui/CMeterBar.h"
#include "input/CInputManager.h"
#include "ui2d/CDisplay2DSystem.h"

#include <algorithm>

namespace Game {

namespace {

const char* const kCursorName = "AnimCursor";
constexpr float kCursorScale = 0.25f;

template <typename Map, typename Element>
void EraseValue(Map& map, const Element* element)
{
    for (auto it = map.begin(); it != map.end();)
        it = it->second == element ? map.erase(it) : std::next(it);
}

template <typename Element>
void EraseFromList(std::vector<Element*>& list, const Vesk::CDisplayObject2D* element)
{
    list.erase(std::remove(list.begin(), list.end(), element), list.end());
}

} // namespace

CGuiManager::CGuiManager()
{
    // Made first, so that the display system outlives the cursor this manager deletes last, and
    // the controller manager outlives the widgets' tweens.
    Vesk::CDisplay2DSystem::GetInstance();
    CControllerManager::GetInstance();
}

CGuiManager::~CGuiManager() = default;

bool CGuiManager::Init()
{
    if (!m_pCursor)
        CreateCursor();
    return true;
}

void CGuiManager::CreateCursor()
{
    m_pCursor = std::make_unique<Vesk::CDisplayObject2D>(kCursorName);
    m_pCursor->SetScale(kCursorScale, kCursorScale);
    AddElement(m_pCursor.get(), kCursorLayer, KindDisplay);
}

void CGuiManager::AddElement(Vesk::CDisplayObject2D* element, int layer, int kind)
{
    if (!element)
        return;
    Vesk::CDisplay2DSystem::GetInstance().AddObject(element, layer);
    if (kind == KindDisplay) {
        m_Elements.emplace(element->GetName(), element);
    } else if (kind == KindButton) {
        if (auto* button = dynamic_cast<CButton*>(element)) {
            m_Buttons.emplace(button->GetName(), button);
            m_ButtonList.push_back(button);
        } else {
            Vesk::LogLine("CGuiManager: \"" + element->GetName() + "\" added as a button is not one");
        }
    } else if (kind == KindMeter) {
        if (auto* meter = dynamic_cast<CMeterBar*>(element))
            m_Meters[meter->GetKeyName()] = meter;
        else
            Vesk::LogLine("CGuiManager: \"" + element->GetName() + "\" added as a meter is not one");
    }
}

void CGuiManager::RemoveElement(Vesk::CDisplayObject2D* element, int layer, int kind)
{
    (void)kind;
    if (!element)
        return;
    Vesk::CDisplay2DSystem::GetInstance().RemoveObject(element, layer);
    Forget(element);
}

void CGuiManager::Forget(const Vesk::CDisplayObject2D* element)
{
    if (!element)
        return;
    EraseValue(m_Elements, element);
    EraseValue(m_Buttons, element);
    EraseValue(m_Meters, element);
    EraseFromList(m_ButtonList, element);
    EraseFromList(m_Remembered, element);
}

Vesk::CDisplayObject2D* CGuiManager::FindElement(int index, const std::string& name) const
{
    if (index != 0)
        return nullptr;
    const auto found = m_Elements.find(name);
    return found == m_Elements.end() ? nullptr : found->second;
}

std::vector<Vesk::CDisplayObject2D*> CGuiManager::FindElements(int index, const std::string& name) const
{
    std::vector<Vesk::CDisplayObject2D*> elements;
    if (index != 0)
        return elements;
    const auto range = m_Elements.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
        elements.push_back(it->second);
    return elements;
}

CButton* CGuiManager::FindButton(const std::string& name) const
{
    const auto found = m_Buttons.find(name);
    return found == m_Buttons.end() ? nullptr : found->second;
}

CMeterBar* CGuiManager::FindMeter(const std::string& name) const
{
    const auto found = m_Meters.find(name);
    return found == m_Meters.end() ? nullptr : found->second;
}

std::vector<CButton*> CGuiManager::TakeButtons()
{
    std::vector<CButton*> buttons;
    buttons.swap(m_ButtonList);
    return buttons;
}

void CGuiManager::UpdateCursor()
{
    if (!m_pCursor)
        CreateCursor();
    m_pCursor->SetAnimation(m_CursorActive ? "active" : "idle");
    m_CursorActive = false;
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    m_pCursor->SetPosition(input.GetMouseX(), input.GetMouseY());
}

void CGuiManager::SetCursorHidden(bool hidden)
{
    if (m_pCursor)
        m_pCursor->SetVisible(!hidden);
}

void CGuiManager::RememberVisibleElements()
{
    for (const auto& entry : m_Elements)
        if (entry.second->IsVisible())
            m_Remembered.push_back(entry.second);
}

void CGuiManager::SetRememberedVisible(bool visible)
{
    for (Vesk::CDisplayObject2D* element : m_Remembered)
        element->SetVisible(visible);
}

GuiCallback& CGuiManager::GetCallback(int id)
{
    return m_Callbacks[static_cast<size_t>(static_cast<unsigned>(id) & (kCallbackCount - 1))];
}

void CGuiManager::ClearRegistrations()
{
    m_Elements.clear();
    m_Buttons.clear();
    m_ButtonList.clear();
    m_Meters.clear();
    m_Remembered.clear();
}

void CGuiManager::Clear()
{
    ClearRegistrations();
    RemoveCursor();
}

void CGuiManager::RemoveCursor()
{
    if (!m_pCursor)
        return;
    Forget(m_pCursor.get());
    Vesk::CDisplay2DSystem::GetInstance().RemoveObject(m_pCursor.get(), kCursorLayer);
    m_pCursor.reset();
}

void CGuiManager::DestroyElements(std::vector<Vesk::CDisplayObject2D*>& elements, std::vector<int>& layers)
{
    // Each element forgets its own registrations as it is deleted: the screens still lower on the
    // stack keep theirs, so their lookups by name go on finding their elements.
    Vesk::CDisplay2DSystem& display = Vesk::CDisplay2DSystem::GetInstance();
    const size_t count = std::min(elements.size(), layers.size());
    for (size_t i = 0; i < count; ++i) {
        display.RemoveObject(elements[i], layers[i]);
        delete elements[i];
        elements[i] = nullptr;
    }
    // An element without a layer entry is not on a layer the lists know of; deleting it takes it
    // off wherever it is.
    for (size_t i = count; i < elements.size(); ++i) {
        delete elements[i];
        elements[i] = nullptr;
    }
    RemoveCursor();
}

} // namespace Game
