#include "scene/CSceneNodes.h"

#include "core/Assert.h"
#include "core/Log.h"
#include "resources/CDXMaterial.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"
#include "resources/IMesh.h"
#include "scene/CSceneGraph.h"
#include "scene/ISceneNodeVisitor.h"

#include <new>

namespace Vesk {

namespace {

// A node's memory from its class's pool; a class derived from a node class must bring its own
// operator new, since the pool's slots have the node class's size.
template <typename Node>
void* TakeSlot(CSceneGraph::NodePool<Node>& pool, std::size_t size, const char* sizeMessage)
{
    VESK_ASSERT(size == sizeof(Node), sizeMessage);
    if (Node* slot = pool.Allocate())
        return slot;
    throw std::bad_alloc();
}

} // namespace

void* CTransformNode::operator new(std::size_t size)
{
    return TakeSlot(CSceneGraph::GetInstance().GetTransformPool(), size, "CTransformNode: size is not the same!");
}

void CTransformNode::operator delete(void* node)
{
    CSceneGraph::GetInstance().GetTransformPool().Deallocate(static_cast<CTransformNode*>(node));
}

void CTransformNode::Accept(ISceneNodeVisitor& visitor) { visitor.VisitTransform(*this); }

void* CGeomNode::operator new(std::size_t size)
{
    return TakeSlot(CSceneGraph::GetInstance().GetGeomPool(), size, "CGeomNode: size is not the same!");
}

void CGeomNode::operator delete(void* node)
{
    CSceneGraph::GetInstance().GetGeomPool().Deallocate(static_cast<CGeomNode*>(node));
}

void CGeomNode::Accept(ISceneNodeVisitor& visitor) { visitor.VisitGeom(*this); }

void CGeomNode::SetMesh(const std::string& name)
{
    IMesh* mesh = CResourceManager::GetInstance().LoadMesh(name);
    if (!mesh)
        LogLine("CGeomNode: no mesh for \"" + name + "\" (node \"" + GetName() + "\")");
    SetMesh(mesh);
}

void CGeomNode::SetMesh(IMesh* mesh)
{
    m_pMesh = mesh;
    m_AABB = mesh ? mesh->GetAABB() : CAABB();
}

void CGeomNode::SetEnabled(bool enabled)
{
    if (enabled)
        AddFlags(FlagEnabled);
    else
        ClearFlags(FlagEnabled);
}

void CGeomNode::UpdateBounds(const CMatrix4& world)
{
    if (!m_pMesh)
        return;
    m_AABB = m_pMesh->GetAABB();
    m_AABB.Transform(world);
}

CMaterialNode::CMaterialNode(const std::string& name)
    : ISceneNode(name), m_pMaterial(CResManager<CDXMaterial>::GetOrDefault("default"))
{
}

void* CMaterialNode::operator new(std::size_t size)
{
    return TakeSlot(CSceneGraph::GetInstance().GetMaterialPool(), size, "CMaterialNode: size is not the same!");
}

void CMaterialNode::operator delete(void* node)
{
    CSceneGraph::GetInstance().GetMaterialPool().Deallocate(static_cast<CMaterialNode*>(node));
}

void CMaterialNode::Accept(ISceneNodeVisitor& visitor) { visitor.VisitMaterial(*this); }

void CMaterialNode::SetMaterial(const std::string& name) { m_pMaterial = CResManager<CDXMaterial>::GetOrDefault(name); }

} // namespace Vesk
