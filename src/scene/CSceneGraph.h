// The 3D scene: a tree of nodes under the transform node "root", the three node pools, the debug
// flags and the pre-draw and post-draw hooks. Once a frame the simulation advances every animation
// controller (AdvanceAnimations), then CullAndRender walks the tree with the cull and render visitors
// and draws the early buckets; the frame then draws the late buckets through the frame's render
// visitor, calls the post-draw hook and deletes the visitor.
#pragma once

#include "core/CObjectAllocator.h"
#include "core/CSingleton.h"
#include "scene/CSceneNodes.h"

#include <memory>
#include <vector>

namespace Vesk {

class CRenderVisitor;
class IAnimationController;

class CSceneGraph : public CSingleton<CSceneGraph> {
public:
    enum : unsigned {
        DebugCollect = 1u,    // file geometry into draw buckets; nothing is drawn while clear
        DebugDrawBounds = 2u, // draw each drawn geometry node's world box in white
    };
    using Hook = void (*)();
    template <typename Node>
    using NodePool = CObjectAllocator<Node>;

    CSceneGraph();
    ~CSceneGraph() override;

    // Creates the root when there is none.
    bool Init() override;
    // Deletes the root with the whole tree.
    void Shutdown() override;
    // Replaces the tree by a new, empty root and empties the user node list.
    void Reset();

    // Adds node under the root; null for null, or before Init (the caller keeps the node).
    ISceneNode* AddNode(ISceneNode* node);
    CTransformNode* GetRoot() const { return m_pRoot; }
    // Raised each time the tree is deleted (Shutdown, Reset): a node added under an earlier
    // generation is gone, and its owner must not delete it again.
    unsigned GetTreeGeneration() const { return m_TreeGeneration; }

    void EnableFlags(unsigned bits) { m_DebugFlags |= bits; }
    unsigned GetDebugFlags() const { return m_DebugFlags; }

    // Advances the controller by its playback speed times dt unless it has already advanced in
    // this animation tick; true when it advanced.
    bool AdvanceAnimation(IAnimationController& controller, float dt);
    // The frame's animation tick, from the simulation: every controller of a geometry node in the
    // tree advances once (drawn, culled or disabled alike) unless it already has in this tick;
    // then the next tick begins. dt is the frame's step after freeze, slow motion and the cap.
    void AdvanceAnimations(float dt);
    // Culls against the current camera, files the visible geometry into buckets, calls the
    // pre-draw hook and draws the buckets with negative keys. Animations are not advanced here.
    void CullAndRender();
    // This frame's render visitor, from CullAndRender until DeleteRenderVisitor; else null.
    CRenderVisitor* GetRenderVisitor() const { return m_pRenderVisitor.get(); }
    void DeleteRenderVisitor();

    NodePool<CGeomNode>& GetGeomPool() { return m_GeomPool; }
    NodePool<CTransformNode>& GetTransformPool() { return m_TransformPool; }
    NodePool<CMaterialNode>& GetMaterialPool() { return m_MaterialPool; }

    // Called before the early buckets and after the late ones; empty functions until other
    // parts install their own.
    Hook m_PreDrawHook;
    Hook m_PostDrawHook;
    // Free for game code; emptied by Reset, otherwise not read by the scene graph.
    std::vector<ISceneNode*> m_UserNodes;

private:
    // The pools are declared before the tree so that they outlive every node.
    NodePool<CGeomNode> m_GeomPool;
    NodePool<CTransformNode> m_TransformPool;
    NodePool<CMaterialNode> m_MaterialPool;
    CTransformNode* m_pRoot = nullptr;
    unsigned m_DebugFlags = DebugCollect;
    unsigned m_TreeGeneration = 0;
    unsigned m_AnimationTick = 0;
    std::unique_ptr<CRenderVisitor> m_pRenderVisitor;
};

} // namespace Vesk
