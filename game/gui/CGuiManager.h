// CGuiManager: the 2D widgets of the screens that are showing. Builds them from GUI screen files,
// registers them by name for the game states and the HUD to find (display elements, buttons,
// meters), keeps the animated mouse cursor it owns, holds the table of 32 button callbacks and
// takes screens down again. The widgets belong to the state that loaded them; the manager holds
// them by plain pointer and drops every registration of a widget that is removed or deleted.
#pragma once

#include "core/CSingleton.h"
#include "game/gui/GuiCallback.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Vesk {
class CDisplayObject2D;
}

namespace Game {

class CButton;
class CMeterBar;

class CGuiManager : public Vesk::CSingleton<CGuiManager> {
public:
    enum Kind { KindDisplay = 0, KindButton = 1, KindMeter = 2 };
    static constexpr int kCallbackCount = 32;
    static constexpr int kCursorLayer = 10;

    CGuiManager();
    ~CGuiManager() override;

    // Creates the cursor when there is none.
    bool Init() override;
    // Forgets every registration and deletes the cursor.
    void Shutdown() override { Clear(); }

    // Onto the layer of the 2D display system, registered by kind: 0 under the display name,
    // 1 under the button name and in the button list, 2 under the meter's key name (replacing an
    // earlier meter of that name). Other kinds are only drawn.
    void AddElement(Vesk::CDisplayObject2D* element, int layer, int kind);
    // Off the layer, and every registration of the element dropped.
    void RemoveElement(Vesk::CDisplayObject2D* element, int layer, int kind);
    // Drops every registration of the element (widgets call it when deleted).
    void Forget(const Vesk::CDisplayObject2D* element);

    // The first display element of the name; null when there is none or index is not 0.
    Vesk::CDisplayObject2D* FindElement(int index, const std::string& name) const;
    // Every display element of the name; empty when index is not 0.
    std::vector<Vesk::CDisplayObject2D*> FindElements(int index, const std::string& name) const;
    CButton* FindButton(const std::string& name) const;
    CMeterBar* FindMeter(const std::string& name) const;
    // The buttons in the order they were added; the list is emptied.
    std::vector<CButton*> TakeButtons();

    // Once a frame: the cursor (made anew when missing) shows "active" when a button had the
    // mouse, else "idle", and follows the mouse.
    void UpdateCursor();
    void SetCursorActive() { m_CursorActive = true; }
    void SetCursorHidden(bool hidden);
    Vesk::CDisplayObject2D* GetCursor() const { return m_pCursor.get(); }

    // Hiding a screen and showing it again: the display elements visible now are remembered.
    void RememberVisibleElements();
    void SetRememberedVisible(bool visible);
    void ForgetRememberedElements() { m_Remembered.clear(); }

    // Entry (id AND 31) of the callback table; the table's filler writes through it.
    GuiCallback& GetCallback(int id);

    // Empties the registrations and deletes the cursor.
    void Clear();
    // Takes each element of a loaded screen off its layer and deletes it (with its registrations;
    // those of other screens stay), then deletes the cursor.
    void DestroyElements(std::vector<Vesk::CDisplayObject2D*>& elements, std::vector<int>& layers);
    // Builds the screen of a GUI screen file: every created element with its layer, in file
    // order. A file that does not load creates nothing (with a log line).
    void LoadGui(std::vector<Vesk::CDisplayObject2D*>& elements, std::vector<int>& layers, const std::string& path);

private:
    void CreateCursor();
    // Every registration and list emptied; the cursor stays.
    void ClearRegistrations();
    // Takes the cursor off its layer and deletes it (the next UpdateCursor or Init makes a new one).
    void RemoveCursor();

    std::multimap<std::string, Vesk::CDisplayObject2D*> m_Elements;
    std::multimap<std::string, CButton*> m_Buttons;
    std::vector<CButton*> m_ButtonList;
    std::map<std::string, CMeterBar*> m_Meters;
    std::unique_ptr<Vesk::CDisplayObject2D> m_pCursor;
    bool m_CursorActive = false;
    std::vector<Vesk::CDisplayObject2D*> m_Remembered;
    std::array<GuiCallback, kCallbackCount> m_Callbacks{};
};

} // namespace Game
