// Base of every node of the 3D scene tree. A node owns its children: deleting a node deletes its
// whole subtree and takes the node out of its parent's children.
#pragma once

#include "math/Vector3D.h"

#include <string>
#include <vector>

namespace Vesk {

class ISceneNodeVisitor;

class ISceneNode {
public:
    ISceneNode() = default;
    explicit ISceneNode(const std::string& name) : m_Name(name) {}
    virtual ~ISceneNode();
    ISceneNode(const ISceneNode&) = delete;
    ISceneNode& operator=(const ISceneNode&) = delete;

    virtual void Accept(ISceneNodeVisitor& visitor) = 0;

    // Appends child and becomes its owner; a child of another node moves here. Null when child is
    // null, already one of the children, or this node or one of its ancestors (nothing changes).
    ISceneNode* AddChild(ISceneNode* child);
    // Takes child out of the children (keeping the others' order) without deleting it; nothing
    // when it is not a child.
    void RemoveChild(ISceneNode* child);

    const std::vector<ISceneNode*>& GetChildren() const { return m_Children; }
    ISceneNode* GetParent() const { return m_Parent; }
    const std::string& GetName() const { return m_Name; }
    void SetName(const std::string& name) { m_Name = name; }

    // Free for game code; the scene graph never reads them.
    CVector3D m_UserVectors[3];

private:
    std::vector<ISceneNode*> m_Children;
    ISceneNode* m_Parent = nullptr;
    std::string m_Name;
};

} // namespace Vesk
