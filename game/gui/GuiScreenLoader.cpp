// The GUI manager's screen-file reader: items of the "menu" element up to "breaker", each with its
// attributes and tween sections, all read into one set of values that carries over from item to
// item.
#include "core/CXmlDocument.h"
#include "core/Log.h"
#include "game/gui/CButton.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CHoverController.h"
#include "game/gui/CLinearTweenController.h"
#include "game/gui/CMeterBar.h"
#include "game/gui/CRotationTweenController.h"
#include "game/gui/CUIDisplay2D.h"
#include "game/gui/CreateTween.h"
#include "game/gui/TopStateName.h"

#include <sstream>

namespace Game {

namespace {

// Every value a screen file sets; an item or section that leaves one out keeps the earlier value.
struct ItemValues {
    std::string name;
    Vesk::CPoint2D position, scale;
    int layer = 0;
    int linearEnabled = 0, rotationEnabled = 0, styleEnabled = 0;
    int callbackId = 0;
    float tweenSpeed = 0.0f, tweenDelay = 0.0f;
    int tweenFade = 0;
    Vesk::CPoint2D linearTween, scaleFadeSize;
    int scaleFade = 0;
    float opaqueFactor = 0.0f;
    Vesk::CPoint2D rotTween;
    int tweenAngle = 0;
    int hoverEnabled = 0, rotateEnabled = 0, slidingEnabled = 0, scalerEnabled = 0, opacityEnabled = 0;
    float hoverDeviation = 0.0f, rotateDegree = 0.0f;
    Vesk::CPoint2D slidingDirection;
    float scalerFactor = 0.0f, opacityFactor = 0.0f;
};

// Stream extraction of the attribute when present.
template <typename T>
void Read(const Vesk::CXmlElement& element, const char* attribute, T& value)
{
    if (const char* text = element.GetAttribute(attribute)) {
        std::istringstream in(text);
        in >> value;
    }
}

// The whole text when present.
void Read(const Vesk::CXmlElement& element, const char* attribute, std::string& value)
{
    if (const char* text = element.GetAttribute(attribute))
        value = text;
}

// "x y" when present.
void Read(const Vesk::CXmlElement& element, const char* attribute, Vesk::CPoint2D& value)
{
    if (const char* text = element.GetAttribute(attribute)) {
        std::istringstream in(text);
        in >> value.x >> value.y;
    }
}

// The next sibling of that name after `from`; null when there is none.
Vesk::CXmlElement NextNamed(Vesk::CXmlElement from, const char* name) { return from.NextSiblingElement(name); }

// The tween sections after the item's first child: linear, rotation and style in that order, each
// searched only when its flag is set. A missing section leaves its values and the search point.
void ReadSections(const Vesk::CXmlElement& item, ItemValues& v)
{
    Vesk::CXmlElement reached = item.FirstChildElement();
    if (!reached)
        return;
    Read(reached, "tween_speed", v.tweenSpeed);
    Read(reached, "tween_delay", v.tweenDelay);
    Read(reached, "tween_fade", v.tweenFade);
    if (v.linearEnabled) {
        if (const Vesk::CXmlElement linear = NextNamed(reached, "linear"); linear != nullptr) {
            Read(linear, "linear_tween", v.linearTween);
            Read(linear, "scale_fade", v.scaleFade);
            Read(linear, "scale_fadesize", v.scaleFadeSize);
            Read(linear, "opaque_factor", v.opaqueFactor);
            reached = linear;
        }
    }
    if (v.rotationEnabled) {
        if (const Vesk::CXmlElement rotation = NextNamed(reached, "rotation"); rotation != nullptr) {
            Read(rotation, "rot_tween", v.rotTween);
            Read(rotation, "tween_angle", v.tweenAngle);
            reached = rotation;
        }
    }
    if (v.styleEnabled) {
        if (const Vesk::CXmlElement style = NextNamed(reached, "style"); style != nullptr) {
            Read(style, "hover_enabled", v.hoverEnabled);
            Read(style, "rotate_enabled", v.rotateEnabled);
            Read(style, "sliding_enabled", v.slidingEnabled);
            Read(style, "scaler_enabled", v.scalerEnabled);
            Read(style, "opacity_enabled", v.opacityEnabled);
            Read(style, "hover_deviation", v.hoverDeviation);
            Read(style, "rotate_degree", v.rotateDegree);
            Read(style, "sliding_direction", v.slidingDirection);
            Read(style, "scaler_factor", v.scalerFactor);
            Read(style, "opacity_factor", v.opacityFactor);
        }
    }
}

// The element's place and look, owner state, delay and tweens as the values say.
void SetUpElement(Vesk::CDisplayObject2D& element, CGuiWidget& widget, const ItemValues& v, bool withStyle)
{
    element.SetPosition(v.position.x, v.position.y);
    element.SetScale(v.scale.x, v.scale.y);
    widget.SetOwnerState(TopStateName());
    widget.SetTweenDelay(v.tweenDelay);
    if (v.linearEnabled) {
        element.SetPosition(v.linearTween.x, v.linearTween.y);
        if (auto* tween = CreateTween<CLinearTweenController>(LINEARTWEEN)) {
            tween->Setup(&element, v.linearTween, v.position, v.tweenSpeed, v.tweenFade, v.scaleFade, v.scaleFadeSize,
                         v.opaqueFactor);
            widget.SetLinearTween(tween);
        }
    }
    if (v.rotationEnabled) {
        // Parked off screen until the swing brings it in.
        element.SetPosition(-0.5f, -0.5f);
        if (auto* tween = CreateTween<CRotationTweenController>(ROTATIONTWEEN)) {
            tween->Setup(&element, v.rotTween, v.position, v.tweenAngle, v.tweenSpeed, v.tweenFade);
            widget.SetRotationTween(tween);
        }
    }
    if (v.styleEnabled && withStyle) {
        if (auto* hover = CreateTween<CHoverController>(HOVERTWEEN)) {
            hover->Setup(&element, v.position, v.slidingDirection, v.tweenSpeed, v.hoverDeviation, v.rotateDegree,
                         v.scalerFactor, v.opacityFactor, v.hoverEnabled, v.rotateEnabled, v.slidingEnabled,
                         v.scalerEnabled, v.opacityEnabled);
            widget.SetHoverController(hover);
        }
    }
}

} // namespace

void CGuiManager::LoadGui(std::vector<Vesk::CDisplayObject2D*>& elements, std::vector<int>& layers,
                          const std::string& path)
{
    elements.clear();
    layers.clear();
    Vesk::CXmlDocument document;
    if (!document.Load(path)) {
        Vesk::LogLine("CGuiManager: cannot load the screen file \"" + path + "\"");
        return;
    }
    const Vesk::CXmlElement menu = document.FindElement("menu");
    if (!menu) {
        Vesk::LogLine("CGuiManager: the screen file \"" + path + "\" has no \"menu\" element");
        return;
    }

    ItemValues v;
    for (Vesk::CXmlElement item = menu.FirstChildElement(); item != nullptr && item.GetName() != "breaker"; ++item) {
        Read(item, "name", v.name);
        Read(item, "position", v.position);
        Read(item, "scale", v.scale);
        Read(item, "layer", v.layer);
        Read(item, "linear_enabled", v.linearEnabled);
        Read(item, "rotation_enabled", v.rotationEnabled);
        Read(item, "style_enabled", v.styleEnabled);
        if (v.linearEnabled || v.rotationEnabled || v.styleEnabled)
            ReadSections(item, v);

        const std::string tag = item.GetName();
        if (tag == "display") {
            auto* display = new CUIDisplay2D(v.name);
            elements.push_back(display);
            SetUpElement(*display, *display, v, true);
            layers.push_back(v.layer);
            AddElement(display, v.layer, KindDisplay);
        } else if (tag == "button") {
            Read(item, "callback_id", v.callbackId);
            auto* button = new CButton(v.name);
            button->SetCallback(GetCallback(v.callbackId));
            elements.push_back(button);
            SetUpElement(*button, *button, v, true);
            layers.push_back(v.layer);
            AddElement(button, v.layer, KindButton);
        } else if (tag == "meter") {
            auto* meter = new CMeterBar(v.name, v.name);
            elements.push_back(meter);
            SetUpElement(*meter, *meter, v, false);
            // A full bar is as wide as the file says.
            meter->SetFullWidth(v.scale.x);
            layers.push_back(v.layer);
            AddElement(meter, v.layer, KindMeter);
        }
    }
}

} // namespace Game
