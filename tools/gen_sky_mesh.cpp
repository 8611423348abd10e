// Generates the sky sphere "skysphere.x": a text .x mesh of a sphere of radius 2000 (well inside
// the cameras' far plane of 5000) in 24 rings of 48 segments, its normals pointing to the centre
// where the camera stands. The "sky" material shades it by height and draws both sides, so the
// texture coordinates are a plain latitude-longitude mapping.
// Usage: gen_sky_mesh [meshes directory, default bin/assets/meshes]. Output is deterministic.
#include "core/AtomicFile.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

namespace {

constexpr int kRings = 24, kSegments = 48;
constexpr double kRadius = 2000.0, kPi = 3.14159265358979323846;

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", std::fabs(value) < 5e-5 ? 0.0 : value);
    return text;
}

// Rows of "a;b;c;," ending with ";;" after the last, as the .x format lists vectors.
template <typename Row>
void List(std::ostringstream& x, int count, const Row& row)
{
    x << "    " << count << ";\n";
    for (int i = 0; i < count; ++i)
        x << "    " << row(i) << (i + 1 < count ? ";,\n" : ";;\n");
}

} // namespace

int main(int argc, char** argv)
{
    const std::string directory = argc > 1 ? argv[1] : "bin/assets/meshes";
    const int columns = kSegments + 1, vertexCount = (kRings + 1) * columns, triangleCount = kRings * kSegments * 2;
    const auto direction = [&](int i, int axis) {
        const double polar = kPi * (i / columns) / kRings, azimuth = 2.0 * kPi * (i % columns) / kSegments;
        const double d[3] = {std::sin(polar) * std::cos(azimuth), std::cos(polar), std::sin(polar) * std::sin(azimuth)};
        return d[axis];
    };
    const auto vector = [&](int i, double scale) {
        return Number(direction(i, 0) * scale) + ";" + Number(direction(i, 1) * scale) + ";" +
               Number(direction(i, 2) * scale);
    };
    // Two triangles per quad of a ring.
    const auto face = [&](int t) {
        const int quad = t / 2, ring = quad / kSegments, segment = quad % kSegments;
        const int a = ring * columns + segment, b = a + 1, c = a + columns, d = c + 1;
        return t % 2 == 0 ? "3;" + std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c)
                          : "3;" + std::to_string(b) + "," + std::to_string(d) + "," + std::to_string(c);
    };

    std::ostringstream x;
    x << "xof 0303txt 0032\n// The sky sphere, written by tools/gen_sky_mesh.\nMesh SkySphere {\n";
    List(x, vertexCount, [&](int i) { return vector(i, kRadius); });
    List(x, triangleCount, face);
    x << "  MeshNormals {\n";
    List(x, vertexCount, [&](int i) { return vector(i, -1.0); });
    List(x, triangleCount, face);
    x << "  }\n  MeshTextureCoords {\n";
    List(x, vertexCount,
         [&](int i) { return Number(double(i % columns) / kSegments) + ";" + Number(double(i / columns) / kRings); });
    x << "  }\n}\n";

    const std::string path = directory + "/skysphere.x";
    if (!Vesk::WriteFileAtomically(path, x.str(), "gen_sky_mesh")) {
        std::fprintf(stderr, "gen_sky_mesh: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
