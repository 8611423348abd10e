// A walk over the scene tree: each node kind calls its own visit operation from Accept.
#pragma once

namespace Vesk {

class CGeomNode;
class CMaterialNode;
class CTransformNode;

class ISceneNodeVisitor {
public:
    virtual ~ISceneNodeVisitor() = default;
    virtual void VisitGeom(CGeomNode& node) = 0;
    virtual void VisitMaterial(CMaterialNode& node) = 0;
    virtual void VisitTransform(CTransformNode& node) = 0;
};

} // namespace Vesk
