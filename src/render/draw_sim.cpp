// SPDX-License-Identifier: GPL-3.0-or-later
// An orthographic view and a rasteriser of its own. Every pixel must come out the same on Linux and
// on Windows, so there is no threading, no call into a maths library whose last bit may differ
// (the view's sine and cosine are a series of plain arithmetic), and triangles are snapped to a
// grid of 1/16 pixel and filled by exact integer edge tests with the top-left rule: two triangles
// sharing an edge cover each pixel along it exactly once.
#include "render/draw_sim.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace quill::render {

namespace {

using Vector3 = std::array<float, 3>;

constexpr std::int64_t kSubpixels = 16;
constexpr std::int64_t kHalfPixel = kSubpixels / 2;
// A triangle reaching further from the picture than this many pixels is not drawn, which keeps
// every edge test within 64 bits.
constexpr float kFarthestPixel = 1 << 20;
// The share of the picture the Sim fills at zoom 1: its height, or its widest across.
constexpr float kFilledShare = 0.9F;
constexpr float kAmbient = 0.35F;
// How many times over the triangles' bounds may cover the picture: a Sim's skins cover it a few
// times; a skin of huge triangles stops being drawn there, rather than holding the window up.
constexpr int kMostOverdraw = 32;
constexpr float kDiffuse = 0.65F;
// Each component of the unit vector (-1, 1, 1) / √3: towards the viewer's upper left.
constexpr float kLightComponent = 0.57735026919F;
constexpr int kUntexturedGrey = 128;

struct Turn {
  float sine = 0;
  float cosine = 1;
};

// The sine and cosine of an angle in degrees, by a Taylor series on the angle within its quarter
// turn (good to 1e-9 there), so that they are the same bits wherever the program runs.
Turn TurnOf(float degrees) {
  if (!std::isfinite(degrees)) return {};
  double angle = std::fmod(double(degrees), 360.0);
  if (angle < 0) angle += 360;
  const int quarter = int(angle / 90);
  const double x = (angle - 90.0 * quarter) * (3.14159265358979323846 / 180);
  const double x2 = x * x;
  const double s =
      x * (1 - x2 / 6 *
                   (1 - x2 / 20 * (1 - x2 / 42 * (1 - x2 / 72 * (1 - x2 / 110 * (1 - x2 / 156))))));
  const double c =
      1 -
      x2 / 2 *
          (1 - x2 / 12 *
                   (1 - x2 / 30 * (1 - x2 / 56 * (1 - x2 / 90 * (1 - x2 / 132 * (1 - x2 / 182))))));
  switch (quarter & 3) {
    case 0:
      return {float(s), float(c)};
    case 1:
      return {float(c), float(-s)};
    case 2:
      return {float(-s), float(-c)};
    default:
      return {float(-c), float(s)};
  }
}

bool Finite(const Vector3& v) {
  return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// A part is drawn when each vertex has its normal and texture place.
bool Drawable(const DrawnPart& part) {
  const PosedMesh* mesh = part.mesh;
  return mesh != nullptr && mesh->normals.size() == mesh->positions.size() &&
         mesh->uvs.size() == mesh->positions.size();
}

struct Box {
  Vector3 least{};
  Vector3 most{};
};

std::optional<Box> Bounds(const std::vector<DrawnPart>& parts) {
  std::optional<Box> box;
  for (const DrawnPart& part : parts) {
    if (!Drawable(part)) continue;
    for (const Vector3& position : part.mesh->positions) {
      if (!Finite(position)) continue;
      if (!box) box = Box{position, position};
      for (int i = 0; i < 3; ++i) {
        box->least[i] = std::min(box->least[i], position[i]);
        box->most[i] = std::max(box->most[i], position[i]);
      }
    }
  }
  return box;
}

// The Sim turned about the upright axis through its box's centre, then tilted towards the viewer.
// At yaw 0 the viewer stands on the Sim's front, the posed −z side, looking down +z with the
// posed −x to the right: a half turn from the posed axes.
class Camera {
 public:
  Camera(const Box& box, QSize size, const View& view)
      : yaw_(TurnOf(view.yawDegrees + 180)),
        pitch_(TurnOf(view.pitchDegrees)),
        halfWidth_(float(size.width()) / 2),
        halfHeight_(float(size.height()) / 2) {
    for (int i = 0; i < 3; ++i) centre_[i] = (box.least[i] + box.most[i]) / 2;
    float fitted = box.most[1] - box.least[1];
    if (!(fitted > 0)) fitted = std::max(box.most[0] - box.least[0], box.most[2] - box.least[2]);
    if (!(fitted > 0)) fitted = 1;
    const float zoom = std::isfinite(view.zoom) ? std::clamp(view.zoom, kLeastZoom, kMostZoom) : 1;
    scale_ = kFilledShare * float(size.height()) * zoom / fitted;
    // A pet is longer than it is tall: it fits across the picture too, however it is turned, so
    // that turning it never cuts it off or changes its size.
    const float dx = box.most[0] - box.least[0];
    const float dz = box.most[2] - box.least[2];
    const float across = std::sqrt(dx * dx + dz * dz);
    if (across > 0) scale_ = std::min(scale_, kFilledShare * float(size.width()) * zoom / across);
  }

  Vector3 turned(const Vector3& v) const {
    const float x = yaw_.cosine * v[0] + yaw_.sine * v[2];
    const float z = -yaw_.sine * v[0] + yaw_.cosine * v[2];
    return {x, pitch_.cosine * v[1] - pitch_.sine * z, pitch_.sine * v[1] + pitch_.cosine * z};
  }

  // The point in the picture, in pixels from its top-left, and its nearness (larger is nearer).
  Vector3 placed(const Vector3& position) const {
    const Vector3 v =
        turned({position[0] - centre_[0], position[1] - centre_[1], position[2] - centre_[2]});
    return {halfWidth_ + scale_ * v[0], halfHeight_ - scale_ * v[1], v[2]};
  }

 private:
  Turn yaw_;
  Turn pitch_;
  float halfWidth_;
  float halfHeight_;
  Vector3 centre_{};
  float scale_ = 1;
};

float Light(const Vector3& normal) {
  const float facing =
      -normal[0] * kLightComponent + normal[1] * kLightComponent + normal[2] * kLightComponent;
  return kAmbient + kDiffuse * std::max(facing, 0.0F);
}

struct ScreenVertex {
  std::int64_t x = 0;  // in 1/16 pixel
  std::int64_t y = 0;
  float depth = 0;
  float u = 0;
  float v = 0;
  float light = 0;
  bool drawable = false;
};

struct Texels {
  QImage image;  // RGB32, or null: grey
  const QRgb* bits = nullptr;
  qsizetype stride = 0;  // in pixels
  float width = 0;
  float height = 0;

  explicit Texels(const QImage& texture) {
    if (texture.isNull()) return;
    image = texture.convertToFormat(QImage::Format_RGB32);
    bits = reinterpret_cast<const QRgb*>(image.constBits());
    stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    width = float(image.width());
    height = float(image.height());
  }

  // The nearest texel to (u, v), (0, 0) being the top-left; places past an edge take the edge's.
  QRgb at(float u, float v) const {
    if (bits == nullptr) return qRgb(kUntexturedGrey, kUntexturedGrey, kUntexturedGrey);
    return bits[Texel(v, height) * stride + Texel(u, width)];
  }

  // Not a number counts as 0.
  static qsizetype Texel(float place, float size) {
    const float texel = std::floor(place * size);
    if (!(texel >= 0)) return 0;
    return texel < size - 1 ? qsizetype(texel) : qsizetype(size - 1);
  }
};

// n / kSubpixels rounded towards −∞: an arithmetic shift, as C++20 defines it.
std::int64_t FloorDiv(std::int64_t n) {
  static_assert(kSubpixels == 1 << 4);
  return n >> 4;
}

// An edge's test at a pixel centre: twice the signed area of (from, to, centre), positive inside
// a triangle wound as the rasteriser winds it; `bias` keeps a pixel exactly on the edge only when
// the edge is a top or left one.
struct Edge {
  std::int64_t value = 0;
  std::int64_t stepX = 0;
  std::int64_t stepY = 0;
  std::int64_t bias = 0;

  Edge(const ScreenVertex& from, const ScreenVertex& to, std::int64_t x, std::int64_t y)
      : value((to.x - from.x) * (y - from.y) - (to.y - from.y) * (x - from.x)),
        stepX(-(to.y - from.y) * kSubpixels),
        stepY((to.x - from.x) * kSubpixels) {
    const bool top = to.y == from.y && to.x > from.x;
    const bool left = to.y < from.y;
    bias = top || left ? 0 : -1;
  }
};

class Canvas {
 public:
  explicit Canvas(QImage& image)
      : pixels_(reinterpret_cast<QRgb*>(image.bits())),
        stride_(image.bytesPerLine() / qsizetype(sizeof(QRgb))),
        width_(image.width()),
        height_(image.height()),
        depth_(std::size_t(width_) * std::size_t(height_), -std::numeric_limits<float>::infinity()),
        pixelVisitsLeft_(std::int64_t{kMostOverdraw} * width_ * height_) {}

  // Whether the picture has had all the drawing it may have.
  bool full() const { return pixelVisitsLeft_ == 0; }

  void fill(ScreenVertex a, ScreenVertex b, ScreenVertex c, const Texels& texels) {
    std::int64_t area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    if (area == 0) return;
    if (area < 0) {
      std::swap(b, c);
      area = -area;
    }
    // The pixels whose centres (16 x + 8, 16 y + 8) may fall inside.
    const std::int64_t firstX =
        std::max<std::int64_t>(0, -FloorDiv(kHalfPixel - std::min({a.x, b.x, c.x})));
    const std::int64_t lastX =
        std::min<std::int64_t>(width_ - 1, FloorDiv(std::max({a.x, b.x, c.x}) - kHalfPixel));
    const std::int64_t firstY =
        std::max<std::int64_t>(0, -FloorDiv(kHalfPixel - std::min({a.y, b.y, c.y})));
    const std::int64_t lastY =
        std::min<std::int64_t>(height_ - 1, FloorDiv(std::max({a.y, b.y, c.y}) - kHalfPixel));
    if (firstX > lastX || firstY > lastY) return;
    const std::int64_t visits = (lastX - firstX + 1) * (lastY - firstY + 1);
    if (visits > pixelVisitsLeft_) {
      pixelVisitsLeft_ = 0;
      return;
    }
    pixelVisitsLeft_ -= visits;
    const std::int64_t x0 = firstX * kSubpixels + kHalfPixel;
    const std::int64_t y0 = firstY * kSubpixels + kHalfPixel;
    Edge edgeA(b, c, x0, y0);  // weighs a
    Edge edgeB(c, a, x0, y0);
    Edge edgeC(a, b, x0, y0);
    const float inverseArea = 1.0F / float(area);
    for (std::int64_t y = firstY; y <= lastY; ++y) {
      std::int64_t wa = edgeA.value;
      std::int64_t wb = edgeB.value;
      std::int64_t wc = edgeC.value;
      QRgb* line = pixels_ + y * stride_;
      float* depthLine = depth_.data() + y * width_;
      for (std::int64_t x = firstX; x <= lastX; ++x) {
        if (wa + edgeA.bias >= 0 && wb + edgeB.bias >= 0 && wc + edgeC.bias >= 0) {
          const float la = float(wa) * inverseArea;
          const float lb = float(wb) * inverseArea;
          const float lc = float(wc) * inverseArea;
          const float depth = la * a.depth + lb * b.depth + lc * c.depth;
          if (depth > depthLine[x]) {
            depthLine[x] = depth;
            const QRgb texel =
                texels.at(la * a.u + lb * b.u + lc * c.u, la * a.v + lb * b.v + lc * c.v);
            const float light = la * a.light + lb * b.light + lc * c.light;
            line[x] =
                qRgb(Lit(qRed(texel), light), Lit(qGreen(texel), light), Lit(qBlue(texel), light));
          }
        }
        wa += edgeA.stepX;
        wb += edgeB.stepX;
        wc += edgeC.stepX;
      }
      edgeA.value += edgeA.stepY;
      edgeB.value += edgeB.stepY;
      edgeC.value += edgeC.stepY;
    }
  }

 private:
  static int Lit(int channel, float light) {
    return std::clamp(int(float(channel) * light + 0.5F), 0, 255);
  }

  QRgb* pixels_;
  qsizetype stride_;
  int width_;
  int height_;
  std::vector<float> depth_;
  std::int64_t pixelVisitsLeft_;
};

ScreenVertex Placed(const Camera& camera, const PosedMesh& mesh, std::size_t i) {
  const Vector3 point = camera.placed(mesh.positions[i]);
  ScreenVertex vertex;
  if (!(std::fabs(point[0]) <= kFarthestPixel && std::fabs(point[1]) <= kFarthestPixel &&
        std::isfinite(point[2]))) {
    return vertex;
  }
  vertex.x = std::int64_t(std::floor(point[0] * float(kSubpixels) + 0.5F));
  vertex.y = std::int64_t(std::floor(point[1] * float(kSubpixels) + 0.5F));
  vertex.depth = point[2];
  vertex.u = mesh.uvs[i][0];
  vertex.v = mesh.uvs[i][1];
  vertex.light = Finite(mesh.normals[i]) ? Light(camera.turned(mesh.normals[i])) : kAmbient;
  vertex.drawable = std::isfinite(vertex.u) && std::isfinite(vertex.v);
  return vertex;
}

}  // namespace

QImage DrawSim(const std::vector<DrawnPart>& parts, QSize size, const View& view,
               QColor background) {
  if (size.isEmpty()) return QImage();
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(background.rgb());
  const std::optional<Box> box = Bounds(parts);
  if (!box) return image;
  const Camera camera(*box, size, view);
  Canvas canvas(image);
  std::vector<ScreenVertex> placed;
  for (const DrawnPart& part : parts) {
    if (!Drawable(part)) continue;
    const PosedMesh& mesh = *part.mesh;
    placed.clear();
    for (std::size_t i = 0; i < mesh.positions.size(); ++i)
      placed.push_back(Placed(camera, mesh, i));
    const Texels texels(part.texture);
    for (const auto& triangle : mesh.triangles) {
      if (triangle[0] >= placed.size() || triangle[1] >= placed.size() ||
          triangle[2] >= placed.size()) {
        continue;
      }
      const ScreenVertex& a = placed[triangle[0]];
      const ScreenVertex& b = placed[triangle[1]];
      const ScreenVertex& c = placed[triangle[2]];
      if (a.drawable && b.drawable && c.drawable) canvas.fill(a, b, c, texels);
      if (canvas.full()) return image;
    }
  }
  return image;
}

}  // namespace quill::render
