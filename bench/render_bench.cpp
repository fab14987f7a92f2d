// SPDX-License-Identifier: GPL-3.0-or-later
// Times posing and drawing a Sim-sized skin: an upright ellipsoid 5 units tall of RINGS × SEGMENTS
// quads (by default 50 × 50, 5,000 triangles) on one bone, textured 128 × 128, posed and then
// drawn 400 × 600 from a three-quarter view, RUNS times (default 101), printing the median and
// slowest processor time of each. The target for drawing is well under 30 ms on one core.
// Then the figure game's adult, as the Sim card meets it: the skins check's index made, the Sim
// dressed the first time after the check was made (cold: its suits, meshes and textures read) and
// again (warm, the median of RUNS), drawn once 400 × 600, and drawn turning 5° a frame for about
// two seconds, in frames per second.
//
//   render_bench [RINGS] [SEGMENTS] [RUNS]
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <vector>

#include "figure_builder.h"
#include "platform/files.h"
#include "render/draw_sim.h"
#include "render/dress_sim.h"
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

constexpr double kTurningMilliseconds = 2000;

int FigureAdult(int runs) {
  const platform::ScratchFolder game;
  testdata::WriteFigureGame(game.path());
  const std::optional<BodyLooks> looks =
      BodyLooksOfFile(game.path() / "UserData" / "Characters" / "User00000.iff");
  if (!looks) {
    std::fprintf(stderr, "render_bench: the figure game's adult cannot be read\n");
    return 1;
  }
  const QColor background = QColor::fromRgb(render::kSimBackground);
  content::SkinsCheck check(game.path());
  const double start = Milliseconds();
  check.Refresh();
  const double indexedAt = Milliseconds();
  render::DressedSim adult = render::DressSim(check, *looks, 1);
  const double dressedAt = Milliseconds();
  std::vector<double> warm;
  for (int run = 0; run < runs; ++run) {
    const double before = Milliseconds();
    adult = render::DressSim(check, *looks, 1);
    warm.push_back(Milliseconds() - before);
  }
  const double drawStart = Milliseconds();
  QImage picture = render::DrawSim(adult.parts(), QSize(400, 600), {}, background);
  const double drawnAt = Milliseconds();
  long long checksum = picture.pixel(200, 300);
  int frames = 0;
  const double turnStart = Milliseconds();
  double turnEnd = turnStart;
  while (turnEnd - turnStart < kTurningMilliseconds) {
    const render::View view{5.0F * float(frames % 72), 0, 1};
    picture = render::DrawSim(adult.parts(), QSize(400, 600), view, background);
    checksum += picture.pixel(200, 300);
    ++frames;
    turnEnd = Milliseconds();
  }
  std::printf("figure adult: %zu meshes (pixel sum %lld)\n", adult.meshes.size(), checksum);
  std::printf("index    %.3f ms\n", indexedAt - start);
  std::printf("dress    cold %.3f ms\n", dressedAt - indexedAt);
  Report("dress", warm);
  std::printf("draw     first %.3f ms, 400 x 600\n", drawnAt - drawStart);
  std::printf("turning  %.1f frames a second (%d frames, 400 x 600, 5 degrees a frame)\n",
              1000.0 * frames / (turnEnd - turnStart), frames);
  return 0;
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
  return FigureAdult(runs);
}
