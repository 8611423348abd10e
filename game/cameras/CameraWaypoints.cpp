#include "game/cameras/CameraWaypoints.h"

#include "core/CXmlDocument.h"
#include "core/Log.h"

#include <cmath>
#include <sstream>

namespace Game {

namespace {

// The longest path a file may give; more points than this are not read.
constexpr int kMaxPoints = 4096;

bool ReadPoint(const Vesk::CXmlElement& element, const std::string& attribute, CVector3D& point)
{
    const char* text = element.GetAttribute(attribute);
    if (!text)
        return false;
    std::istringstream in(text);
    return ReadVector3D(in, point) && std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z);
}

} // namespace

bool LoadCameraWaypoints(const std::string& path, CameraWaypoints& out)
{
    out = CameraWaypoints();
    Vesk::CXmlDocument document;
    if (!document.Load(path)) {
        Vesk::LogLine("CMenuCamera: cannot read the waypoints \"" + path + "\"; the camera stays where it is");
        return false;
    }
    const Vesk::CXmlElement root = document.FindElement("waypoints");
    if (!root) {
        Vesk::LogLine("CMenuCamera: \"" + path + "\" has no \"waypoints\" element");
        return false;
    }
    for (Vesk::CXmlElement item = root.FirstChildElement();
         item != nullptr && item.GetName() != "breaker" && out.paths.size() < CameraWaypoints::kMaxPaths; ++item) {
        int count = 0;
        item.GetIntAttribute("total_pts", &count, 0);
        if (count < 0 || count > kMaxPoints) {
            Vesk::LogLine("CMenuCamera: path " + std::to_string(out.paths.size()) + " has a bad \"total_pts\"");
            count = 0;
        }
        CVector3D point;
        if (ReadPoint(item, "look_at", point))
            out.lookAts.push_back(point);
        std::vector<CVector3D> points;
        for (int i = 1; i <= count; ++i) {
            if (ReadPoint(item, "waypt_" + std::to_string(i), point))
                points.push_back(point);
            else
                Vesk::LogLine("CMenuCamera: path " + std::to_string(out.paths.size()) + " has no readable \"waypt_" +
                              std::to_string(i) + "\"");
        }
        out.paths.push_back(std::move(points));
    }
    return true;
}

} // namespace Game
