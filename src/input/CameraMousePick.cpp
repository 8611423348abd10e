// The camera's pick ray under the mouse. It lives with the input it reads, so that cameras do
// not depend on the input manager.
#include "input/CInputManager.h"
#include "render/CCamera.h"

namespace Vesk {

CRay CCamera::GetMousePickRay(bool nearPlane) const
{
    const CInputManager& input = CInputManager::GetInstance();
    return GetPickRay(input.GetMouseX(), input.GetMouseY(), nearPlane);
}

} // namespace Vesk
