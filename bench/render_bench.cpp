// SPDX-License-Identifier: GPL-3.0-or-later
// Times posing and drawing a Sim-sized skin: an upright ellipsoid 5 units tall of RINGS × SEGMENTS
// quads (by default 50 × 50, 5,000 triangles) on one bone, textured 128 × 128, posed and then
// drawn 400 × 600 from a three-quarter view, RUNS times (default 101), printing the median and
// slowest processor time of each. The target for drawing is well under 30 ms on one core.
//
//   render_bench [RINGS] [SEGMENTS] [RUNS]
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "render/draw_sim.h"
#include "render/pose.h"

namespace {

using namespace quill;

content::Mesh Ellipsoid(int rings, int segments) {
  content::Mesh mesh;
  mesh.bones = {"ROOT"};
  const double pi = 3.14159265358979323846;
  for (int ring = 0; ring <= rings; ++ring) {
    const double latitude = pi * ring / rings;
    for (int segment = 0; segment <= segments; ++segment) {
      const double longitude = 2 * pi * segment / segments;
      const float x = float(std::sin(latitude) * std::cos(longitude));
      const float y = float(std::cos(latitude));
      const float z = float(std::sin(latitude) * std::sin(longitude));
      mesh.vertices.push_back({{0.8F * x, 2.5F * y + 2.5F, 0.5F * z}, {x, y, z}});
      mesh.uvs.push_back({float(segment) / float(segments), float(ring) / float(rings)});
    }
  }
  const auto corner = [&](int ring, int segment) {
    return std::uint32_t(ring * (segments + 1) + segment);
  };
  for (int ring = 0; ring < rings; ++ring) {
    for (int segment = 0; segment < segments; ++segment) {
      mesh.faces.push_back(
          {corner(ring, segment), corner(ring + 1, segment), corner(ring + 1, segment + 1)});
      mesh.faces.push_back(
          {corner(ring, segment), corner(ring + 1, segment + 1), corner(ring, segment + 1)});
    }
  }
  mesh.bindings = {{0, 0, std::uint32_t(mesh.uvs.size()), -1, 0}};
  return mesh;
}

QImage Checks() {
  QImage texture(128, 128, QImage::Format_RGB32);
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 128; ++x)
      texture.setPixel(x, y, (x / 16 + y / 16) % 2 ? 0xC08040 : 0x4080C0);
  }
  return texture;
}

// The process's processor time so far (on Linux; elapsed time on Windows), which a machine busy
// with other work does not inflate as it does elapsed time.
double Milliseconds() {
  return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
}

void Report(const char* what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%-8s median %.3f ms, slowest %.3f ms\n", what, times[times.size() / 2],
              times.back());
}

}  // namespace

int main(int argc, char** argv) {
  const int rings = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  const int segments = argc > 2 ? std::max(3, std::atoi(argv[2])) : 50;
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 101;
  content::Skeleton skeleton{"adult", {}};
  skeleton.bones.emplace_back();
  skeleton.bones[0].name = "ROOT";
  skeleton.bones[0].parent = "NULL";
  skeleton.bones[0].rotation = {0, 0, 0, 1};
  const content::Mesh mesh = Ellipsoid(rings, segments);
  const QImage texture = Checks();
  const std::vector<render::Matrix> worlds = *render::BoneWorlds(skeleton);

  std::vector<double> posing;
  std::vector<double> drawing;
  long long checksum = 0;
  for (int run = 0; run < runs; ++run) {
    const double start = Milliseconds();
    const render::PosedMesh posed = *render::PoseMesh(skeleton, worlds, mesh);
    const double posedAt = Milliseconds();
    const QImage picture =
        render::DrawSim({{&posed, texture}}, QSize(400, 600), {30, 15, 1}, QColor(40, 40, 48));
    const double drawnAt = Milliseconds();
    posing.push_back(posedAt - start);
    drawing.push_back(drawnAt - posedAt);
    checksum += picture.pixel(200, 300);
  }
  std::printf("%zu triangles, 400 x 600, %d runs (pixel sum %lld)\n", mesh.faces.size(), runs,
              checksum);
  Report("posing", posing);
  Report("drawing", drawing);
  return 0;
}
