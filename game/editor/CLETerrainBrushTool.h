// The terrain brush, the level editor's tool on the Terrain layer: builds and removes blocks
// with the cubic, diamond or circle brush as undoable terrain packets, and paints them directly.
// Owns its "TerrainBar", its highlight of the selected block and its mouse and key listener;
// the block to work on is picked by the mouse or moved block by block with the keys.
#pragma once

#include "game/editor/BrushBlock.h"
#include "game/editor/TerrainBrushRegion.h"

#include "devgui/CDevGUIBar.h"
#include "input/IKeyboardListener.h"
#include "input/IMouseListener.h"
#include "math/AABB.h"
#include "math/Ray.h"

#include <memory>

namespace Game {

class CLETerrainBrushTool;

class CLETerrainBrushListener : public Vesk::IKeyboardListener, public Vesk::IMouseListener {
public:
    explicit CLETerrainBrushListener(CLETerrainBrushTool* tool) : m_Tool(tool) {}

    void OnKeyDown(const Vesk::KeyEvent& event) override;
    void OnKeyUp(const Vesk::KeyEvent& event) override;
    void OnMouseDown(const Vesk::MouseEvent& event) override;
    void OnMouseUp(const Vesk::MouseEvent& event) override;
    void OnMouseWheel(const Vesk::MouseEvent&) override {}
    void OnMouseMove(const Vesk::MouseEvent& event) override;

    void SetEnabled(bool enabled);
    bool IsEnabled() const { return Vesk::IMouseListener::m_Enabled; }

private:
    CLETerrainBrushTool* m_Tool;
    bool m_BuildingHeld = false;
    bool m_PaintingHeld = false;
    bool m_RemovingHeld = false;
};

class CLETerrainBrushTool {
public:
    enum SelectionControl : uint32_t { MouseSelection = 0, KeyboardSelection = 1 };
    enum TerrainMode : uint32_t { Painting = 0, Building = 1 };
    // The last block of each axis that the keys reach.
    static constexpr uint32_t kLastX = MAX_WIDTH - 1, kLastY = MAX_HEIGHT - 1, kLastZ = MAX_DEPTH - 1;

    CLETerrainBrushTool();
    ~CLETerrainBrushTool();

    // Builds the bar and enables the listener when the tool has no bar.
    void Show();
    void Hide();
    void Update(float dt);

    // The block the ray meets first becomes the selection; false, changing nothing, on a miss.
    bool SelectFromRay(const CRay& ray);
    // Highlights the selected block.
    void SelectBlock();
    // Strokes at the selected block: build and remove add one packet each (none without height
    // or without blocks), paint recolours directly.
    void Build();
    void Remove();
    void Paint();
    void SetHighlight(bool shown, const CAABB& box);

    // The selection is kept inside the grid.
    void SetSelectedBlock(const BrushBlock& block);
    const BrushBlock& GetSelectedBlock() const { return m_SelectedBlock; }
    const CAABB& GetHighlightBox() const { return m_HighlightBox; }
    bool IsHighlightShown() const { return m_HighlightShown; }
    TerrainBrushSettings& GetSettings() { return m_Brush; }
    const Vesk::CDevGUIBar& GetBar() const { return m_Bar; }
    CLETerrainBrushListener& GetListener() { return *m_Listener; }

    // The bar's mode switches and paint colour.
    uint32_t m_SelectionControl = MouseSelection;
    uint32_t m_TerrainMode = Painting;
    float m_PaintColour[3] = {1.0f, 1.0f, 1.0f}; // 0 to 1

private:
    void BuildBar();
    void Stroke(bool adding);
    CVector3D PaintColour255() const;

    BrushBlock m_SelectedBlock;
    TerrainBrushSettings m_Brush;
    CAABB m_HighlightBox;
    bool m_HighlightShown = false;
    std::unique_ptr<CLETerrainBrushListener> m_Listener;
    Vesk::CDevGUIBar m_Bar;
};

} // namespace Game
