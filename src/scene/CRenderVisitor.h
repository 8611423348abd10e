// The second walk of the frame and the draw buckets it fills. Every visible geometry node is
// filed, with the material in force and its world matrix, under each of its bucket keys; inside
// a bucket the items are grouped by material. Buckets with negative keys are drawn before the
// renderer's own pass (ascending), those with keys 0 and above after it (descending). Lives for
// one frame.
#pragma once

#include "math/Matrix4.h"
#include "scene/CMatrixStackVisitor.h"

#include <map>
#include <set>

namespace Vesk {

class IAnimationController;
class IMaterial;
class IMesh;

class CRenderVisitor : public CMatrixStackVisitor {
public:
    // debugFlags: the scene graph's.
    explicit CRenderVisitor(unsigned debugFlags);

    void VisitGeom(CGeomNode& node) override;
    // The node's material becomes current for every node visited after it, until the next
    // material node.
    void VisitMaterial(CMaterialNode& node) override;

    void RenderEarlyBuckets();
    void RenderLateBuckets();

private:
    struct DrawItem {
        IMaterial* material;
        IMesh* mesh;
        IAnimationController* controller;
        CMatrix4 world;
    };
    // Equal materials keep the order in which they were filed.
    struct ByMaterial {
        bool operator()(const DrawItem& a, const DrawItem& b) const
        {
            return std::less<IMaterial*>()(a.material, b.material);
        }
    };
    using Bucket = std::multiset<DrawItem, ByMaterial>;

    void RenderBucket(const Bucket& bucket);
    IMaterial* m_pCurrentMaterial;
    std::map<int, Bucket> m_Buckets;
    unsigned m_DebugFlags;
};

} // namespace Vesk
