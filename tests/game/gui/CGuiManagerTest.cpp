#include "GuiTestSupport.h"

#include "game/controllers/CControllerManager.h"
#include "game/gui/CButton.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CHoverController.h"
#include "game/gui/CMeterBar.h"
#include "game/gui/CUIDisplay2D.h"
#include "ui2d/CDisplay2DSystem.h"

namespace {

using Vesk::CDisplayObject2D;

void ActionOne() {}

class CGuiManagerTest : public guitest::GuiTest {
protected:
    void TearDown() override
    {
        Gui().DestroyElements(m_Elements, m_Layers);
        guitest::GuiTest::TearDown();
    }
    static Game::CGuiManager& Gui() { return Game::CGuiManager::GetInstance(); }
    void Load(const std::string& items) { Gui().LoadGui(m_Elements, m_Layers, WriteScreen("screen.xml", items)); }
    static size_t OnLayer(int layer) { return Vesk::CDisplay2DSystem::GetInstance().GetLayerCount(layer); }

    std::vector<CDisplayObject2D*> m_Elements;
    std::vector<int> m_Layers;
};

TEST_F(CGuiManagerTest, ScreenFileReadsEveryAttributeAndCarriesValuesOverFromItemToItem)
{
    Gui().GetCallback(1) = &ActionOne;
    Load(R"(<display name="logo" position="0.4 0.6" scale="2 3" layer="3" linear_enabled="1" rotation_enabled="1"
                      style_enabled="1">
              <tween tween_speed="2" tween_delay="0.5" tween_fade="0"/>
              <linear linear_tween="0.1 0.2" scale_fade="0" scale_fadesize="1 1" opaque_factor="1"/>
              <rotation rot_tween="0.5 0.5" tween_angle="90"/>
              <style hover_enabled="1" rotate_enabled="0" sliding_enabled="1" scaler_enabled="0" opacity_enabled="1"
                     hover_deviation="0.1" rotate_degree="5" sliding_direction="0.5 0" scaler_factor="0.2"
                     opacity_factor="0.3"/>
            </display>
            <button name="go" position="0.5 0.5" scale="1 1" layer="4" linear_enabled="0" rotation_enabled="0"
                    style_enabled="0" callback_id="33"/>
            <meter name="bar" position="0.2 0.1" scale="2 1" layer="5" style_enabled="1">
              <tween tween_speed="1"/>
              <style hover_enabled="0" rotate_enabled="1" opacity_enabled="0"/>
            </meter>
            <display name="after"/>
            <label name="ghost" layer="7" style_enabled="0"/>
            <display name="carried"/>
            <breaker/>
            <display name="never"/>)");
    ASSERT_EQ(5u, m_Elements.size());
    EXPECT_EQ((std::vector<int>{3, 4, 5, 5, 7}), m_Layers);

    auto* logo = dynamic_cast<Game::CUIDisplay2D*>(m_Elements[0]);
    ASSERT_NE(nullptr, logo);
    EXPECT_EQ(logo, Gui().FindElement(0, "logo"));
    EXPECT_EQ(guitest::kTopState, logo->GetOwnerState());
    EXPECT_FLOAT_EQ(0.5f, logo->GetTweenDelay());
    EXPECT_FLOAT_EQ(-0.5f, logo->GetPosition().x) << "parked for the swing";
    EXPECT_FLOAT_EQ(3.0f, logo->GetScale().y);
    ASSERT_NE(nullptr, logo->GetLinearTween());
    ASSERT_NE(nullptr, logo->GetRotationTween());
    EXPECT_EQ(Game::LINEARTWEEN, logo->GetLinearTween()->GetControllerType());
    EXPECT_EQ(Game::ROTATIONTWEEN, logo->GetRotationTween()->GetControllerType());
    auto* hover = dynamic_cast<Game::CHoverController*>(logo->GetHoverController());
    ASSERT_NE(nullptr, hover);
    EXPECT_EQ(Game::CHoverController::Hover | Game::CHoverController::Sliding | Game::CHoverController::Opacity,
              hover->GetSwitches());

    Game::CButton* go = Gui().FindButton("go");
    ASSERT_EQ(m_Elements[1], go);
    EXPECT_EQ(&ActionOne, go->GetCallback()) << "callback_id 33 is entry 1";
    EXPECT_EQ(nullptr, go->GetLinearTween());

    Game::CMeterBar* bar = Gui().FindMeter("bar");
    ASSERT_EQ(m_Elements[2], bar);
    EXPECT_EQ(nullptr, bar->GetHoverController()) << "meters take no style";
    EXPECT_EQ(nullptr, Gui().FindElement(0, "bar"));

    // "after" gives nothing: every value comes from the meter, including its style section.
    auto* after = dynamic_cast<Game::CUIDisplay2D*>(m_Elements[3]);
    EXPECT_FLOAT_EQ(0.2f, after->GetPosition().x);
    EXPECT_FLOAT_EQ(2.0f, after->GetScale().x);
    auto* afterHover = dynamic_cast<Game::CHoverController*>(after->GetHoverController());
    ASSERT_NE(nullptr, afterHover);
    EXPECT_EQ(Game::CHoverController::Rotate | Game::CHoverController::Sliding, afterHover->GetSwitches())
        << "the meter's switches, with sliding left on from the first item";
    // An item of another tag creates nothing, but its values carry over.
    EXPECT_EQ(nullptr, Gui().FindElement(0, "ghost"));
    EXPECT_EQ(m_Elements[4], Gui().FindElement(0, "carried"));
    EXPECT_EQ(nullptr, dynamic_cast<Game::CUIDisplay2D*>(m_Elements[4])->GetHoverController());
    EXPECT_EQ(nullptr, Gui().FindElement(0, "never"));
    EXPECT_EQ(1u, OnLayer(3));
    EXPECT_EQ(1u, OnLayer(7));
}

TEST_F(CGuiManagerTest, ValuesStartAtZeroAndAMissingTweenSpeedKeepsTheEarlierOne)
{
    Load(R"(<display name="plain"/>
            <display name="first" position="1 0" linear_enabled="1" scale="1 1">
              <tween tween_speed="2" tween_delay="0"/><linear linear_tween="0 0"/>
            </display>
            <display name="second"><tween tween_delay="0"/></display>
            <breaker/>)");
    ASSERT_EQ(3u, m_Elements.size());
    const CDisplayObject2D* plain = m_Elements[0];
    EXPECT_EQ(0.0f, plain->GetPosition().x);
    EXPECT_EQ(0.0f, plain->GetScale().x);
    EXPECT_EQ(0, m_Layers[0]);

    // The second item moves like the first: at speed 2, 0.2 of the way in 0.1 s; the controller
    // manager's own update leaves GUI tweens to their widgets.
    for (int i = 0; i < 3; ++i)
        Game::CControllerManager::GetInstance().Update(0.1f);
    for (CDisplayObject2D* element : {m_Elements[1], m_Elements[2]}) {
        EXPECT_EQ(0.0f, element->GetPosition().x);
        element->Update(0.1f);
        EXPECT_FLOAT_EQ(0.2f, element->GetPosition().x);
    }
}

TEST_F(CGuiManagerTest, FilesThatDoNotLoadOrHoldNoItemsCreateNothing)
{
    struct Case {
        const char* what;
        const char* text; // null: no file
        size_t elements;
        const char* log;
    };
    const Case cases[] = {
        {"missing file", nullptr, 0, "CGuiManager: cannot load the screen file"},
        {"no menu", "<screen><display name=\"a\"/><breaker/></screen>", 0, "has no \"menu\" element"},
        {"empty screen", "<menu><breaker/></menu>", 0, ""},
        {"no breaker", "<menu><display name=\"a\"/><display name=\"b\"/></menu>", 2, ""},
        {"not xml", "<menu><display", 0, "CGuiManager: cannot load"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = File("assets/scripts/gui/case.xml");
        if (c.text)
            testsupport::WriteFile(path, c.text);
        testing::internal::CaptureStderr();
        Gui().LoadGui(m_Elements, m_Layers, c.text ? path : File("missing.xml"));
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(c.elements, m_Elements.size());
        EXPECT_EQ(c.elements, m_Layers.size());
        EXPECT_NE(std::string::npos, log.find(c.log)) << log;
        Gui().DestroyElements(m_Elements, m_Layers);
    }
}

TEST_F(CGuiManagerTest, LookupsByNameKeepDuplicatesAndButtonsInFileOrder)
{
    Load(R"(<display name="dup" position="0.1 0.1"/><display name="dup" position="0.2 0.2"/>
            <button name="b2"/><button name="b1"/><breaker/>)");
    EXPECT_EQ(m_Elements[0], Gui().FindElement(0, "dup"));
    EXPECT_EQ((std::vector<CDisplayObject2D*>{m_Elements[0], m_Elements[1]}), Gui().FindElements(0, "dup"));
    EXPECT_EQ(nullptr, Gui().FindElement(1, "dup"));
    EXPECT_TRUE(Gui().FindElements(1, "dup").empty());
    EXPECT_EQ(nullptr, Gui().FindElement(0, "nothing"));
    EXPECT_EQ(nullptr, Gui().FindButton("dup"));
    const std::vector<Game::CButton*> buttons = Gui().TakeButtons();
    ASSERT_EQ(2u, buttons.size());
    EXPECT_EQ("b2", buttons[0]->GetName());
    EXPECT_EQ("b1", buttons[1]->GetName());
    EXPECT_TRUE(Gui().TakeButtons().empty());
    EXPECT_EQ(buttons[1], Gui().FindButton("b1"));
}

TEST_F(CGuiManagerTest, RemovedOrDeletedElementsAreNeverReturnedOrTouchedAgain)
{
    Load(R"(<display name="a"/><display name="b"/><button name="c"/><meter name="m"/><breaker/>)");
    Gui().RememberVisibleElements();
    Gui().RemoveElement(m_Elements[0], m_Layers[0], Game::CGuiManager::KindDisplay);
    EXPECT_EQ(nullptr, Gui().FindElement(0, "a"));
    EXPECT_EQ(3u, OnLayer(0));

    // Deleted by their owner while registered (a HUD text going with its entity, say).
    for (size_t i : {1u, 2u, 3u}) {
        delete m_Elements[i];
        m_Elements[i] = nullptr;
    }
    EXPECT_EQ(nullptr, Gui().FindElement(0, "b"));
    EXPECT_EQ(nullptr, Gui().FindButton("c"));
    EXPECT_EQ(nullptr, Gui().FindMeter("m"));
    EXPECT_TRUE(Gui().TakeButtons().empty());
    Gui().SetRememberedVisible(false);
    EXPECT_TRUE(m_Elements[0]->IsVisible()) << "removed, so no longer remembered";
    EXPECT_EQ(0u, OnLayer(0));
}

TEST_F(CGuiManagerTest, RememberedElementsHideAndShowAgain)
{
    Load(R"(<display name="a"/><display name="b"/><breaker/>)");
    m_Elements[1]->SetVisible(false);
    Gui().RememberVisibleElements();
    Gui().SetRememberedVisible(false);
    EXPECT_FALSE(m_Elements[0]->IsVisible());
    Gui().SetRememberedVisible(true);
    EXPECT_TRUE(m_Elements[0]->IsVisible());
    EXPECT_FALSE(m_Elements[1]->IsVisible());
    Gui().ForgetRememberedElements();
    Gui().SetRememberedVisible(false);
    EXPECT_TRUE(m_Elements[0]->IsVisible());
}

TEST_F(CGuiManagerTest, TeardownDeletesTheScreenAndTheCursorWhichTheNextUpdateMakesAnew)
{
    ASSERT_TRUE(Gui().Init());
    const CDisplayObject2D* cursor = Gui().GetCursor();
    ASSERT_NE(nullptr, cursor);
    EXPECT_EQ(0.25f, cursor->GetScale().x);
    EXPECT_EQ(cursor, Gui().FindElement(0, "AnimCursor"));
    Gui().SetCursorHidden(true);
    EXPECT_FALSE(cursor->IsVisible());

    Load(R"(<display name="a" layer="2"/><button name="b" layer="3"/><breaker/>)");
    Gui().DestroyElements(m_Elements, m_Layers);
    EXPECT_EQ((std::vector<CDisplayObject2D*>{nullptr, nullptr}), m_Elements);
    EXPECT_EQ(nullptr, Gui().GetCursor());
    EXPECT_EQ(0u, Vesk::CDisplay2DSystem::GetInstance().GetObjectCount());
    EXPECT_EQ(nullptr, Gui().FindButton("b"));
    EXPECT_TRUE(Game::CControllerManager::GetInstance().GetControllers().empty());

    Gui().UpdateCursor();
    ASSERT_NE(nullptr, Gui().GetCursor());
    EXPECT_EQ(1u, OnLayer(Game::CGuiManager::kCursorLayer));
    EXPECT_TRUE(Gui().GetCursor()->IsVisible());
    m_Elements.clear();
    m_Layers.clear();
}

TEST_F(CGuiManagerTest, TakingAScreenDownLeavesTheScreenBelowFindable)
{
    // The screen below (a level's HUD), then a screen laid over it (a pause) and taken down.
    Load(R"(<display name="wavebg" layer="2"/><button name="below" layer="2"/><breaker/>)");
    std::vector<CDisplayObject2D*> over;
    std::vector<int> overLayers;
    Gui().LoadGui(
        over, overLayers,
        WriteScreen("over.xml", R"(<display name="shade" layer="6"/><button name="resume" layer="8"/><breaker/>)"));
    ASSERT_NE(nullptr, Gui().FindElement(0, "shade"));
    Gui().DestroyElements(over, overLayers);
    EXPECT_EQ(nullptr, Gui().FindElement(0, "shade"));
    EXPECT_EQ(nullptr, Gui().FindButton("resume"));
    EXPECT_EQ(m_Elements[0], Gui().FindElement(0, "wavebg"));
    EXPECT_EQ(m_Elements[1], Gui().FindButton("below"));
    EXPECT_EQ(2u, OnLayer(2));
}

} // namespace

TEST_F(CGuiManagerTest, ElementsOutlivingAReleaseOfEveryControllerForgetTheirTweens)
{
    Load(R"(<display name="logo" position="0.4 0.6" scale="1 1" layer="3" linear_enabled="1" rotation_enabled="1"
                      style_enabled="1">
              <tween tween_speed="2" tween_delay="0" tween_fade="0"/>
              <linear linear_tween="0.1 0.2" scale_fade="0" scale_fadesize="1 1" opaque_factor="1"/>
              <rotation rot_tween="0.5 0.5" tween_angle="90"/>
              <style hover_enabled="1"/>
            </display>)");
    auto* logo = dynamic_cast<Game::CUIDisplay2D*>(Gui().FindElement(0, "logo"));
    ASSERT_NE(nullptr, logo);
    ASSERT_NE(nullptr, logo->GetLinearTween());

    // A play exit that shuts the controllers down before the screen: the widget must neither
    // run nor destroy the freed tweens (the sanitizer build catches either).
    Game::CControllerManager::GetInstance().ReleaseAllControllers();
    EXPECT_EQ(nullptr, logo->GetLinearTween());
    EXPECT_EQ(nullptr, logo->GetHoverController());
    logo->ResetTweens();
    logo->Update(0.1f);
}
