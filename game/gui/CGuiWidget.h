// CGuiWidget: what every GUI widget carries beside its picture: its linear, rotation and hover
// tweens (made and destroyed through the controller manager, owned), the name of the game state
// that loaded it, and the start delay after which its tweens run.
#pragma once

#include <memory>
#include <string>

namespace Game {

class IController;

class CGuiWidget {
public:
    CGuiWidget() = default;
    // Destroys the tweens through the controller manager, unless the manager has released every
    // controller since they were made.
    virtual ~CGuiWidget();
    CGuiWidget(const CGuiWidget&) = delete;
    CGuiWidget& operator=(const CGuiWidget&) = delete;

    // Takes ownership; a tween already held in the slot is destroyed first.
    void SetLinearTween(IController* tween);
    void SetRotationTween(IController* tween);
    void SetHoverController(IController* hover);
    IController* GetLinearTween() const { return TweensLive() ? m_pLinearTween : nullptr; }
    IController* GetRotationTween() const { return TweensLive() ? m_pRotationTween : nullptr; }
    IController* GetHoverController() const { return TweensLive() ? m_pHoverController : nullptr; }
    // Resets each tween that is present.
    void ResetTweens();

    void SetOwnerState(const std::string& name) { m_OwnerState = name; }
    const std::string& GetOwnerState() const { return m_OwnerState; }
    void SetTweenDelay(float seconds) { m_TweenDelay = seconds; }
    float GetTweenDelay() const { return m_TweenDelay; }
    bool IsTweenStarted() const { return m_Started; }

protected:
    // Expires when the widget is deleted: a callback run from the widget's update may delete it.
    std::weak_ptr<const int> WatchLife() const { return m_Life; }
    // Once the delay has passed: the linear tween, the rotation tween and the hover controller,
    // in that order; before, the delay runs down.
    void UpdateTweens(float dt);

private:
    void Replace(IController*& slot, IController* tween);
    // False once the controller manager has released every controller (play exit): the tween
    // pointers then name freed objects and are forgotten.
    bool TweensLive() const;
    void ForgetReleasedTweens();

    IController* m_pLinearTween = nullptr;
    IController* m_pRotationTween = nullptr;
    IController* m_pHoverController = nullptr;
    unsigned m_TweenReleaseCount = 0;
    std::string m_OwnerState;
    float m_TweenDelay = 0.0f;
    float m_Elapsed = 0.0f;
    bool m_Started = false;
    std::shared_ptr<const int> m_Life = std::make_shared<const int>(0);
};

} // namespace Game
