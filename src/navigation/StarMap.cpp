#include "navigation/StarMap.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/Numbers.h"
#include "game/Game.h"
#include "navigation/StarInfo.h"
#include "platform/Canvas.h"
#include "universe/Career.h"
#include "universe/Jump.h"

namespace kv {

namespace {

constexpr Rgb StarOutline{0xBB, 0xFF, 0xBB};
// The first disc of a redraw keeps the brush the redraw started with, a hair
// brighter than the others.
constexpr Rgb FirstStarFill{0x00, 0xFF, 0x00};
constexpr Rgb StarFill{0x00, 0xFE, 0x00};
constexpr Rgb CurrentStarFill{0xFE, 0x00, 0xFF};
constexpr Rgb SelectedStarFill{0xFF, 0xFF, 0x00};
constexpr Rgb Wireframe{0x00, 0xFE, 0x00};
constexpr Rgb JumpInRange{0xFF, 0xFF, 0x00};
constexpr Rgb JumpOutOfRange{0xCC, 0x00, 0x00};
constexpr Rgb AxisPen{0xFF, 0xFF, 0x00};

// The galaxy's centre on the 800 x 600 screen; the window's place is taken
// off to give window pixels.
constexpr int GalaxyCentreX = 400;
constexpr int GalaxyCentreY = 250;
constexpr int SystemCentre = 175;
constexpr Point AxisOrigin{300, 50};
constexpr int MaxGrid = 50;

constexpr double PlaneRingRadius = 150.0;
constexpr int PlaneRingPoints = 73;  // every 5 degrees, the last one closing the ring

// The frame pieces in the order Hud::StarMapImages holds them.
enum class Piece : std::size_t { Main, Left, Right, Top, Bottom };

const Bitmap& FramePiece(const Hud& hud, Piece piece) { return hud.StarMapImages[static_cast<std::size_t>(piece)]; }

// The galaxy's centre in the map window's own pixels.
Point GalaxyCentreIn(const kvWindow& map) { return {GalaxyCentreX - map.Left, GalaxyCentreY - map.Top}; }

void Polyline(Canvas& canvas, Point a, Point b, Point c, Point d)
{
    canvas.MoveTo(a.X, a.Y);
    canvas.LineTo(b.X, b.Y);
    canvas.LineTo(c.X, c.Y);
    canvas.LineTo(d.X, d.Y);
}

void Line(Canvas& canvas, Point from, Point to) { canvas.Line(from.X, from.Y, to.X, to.Y); }

// The disc of one star: its box reaches (PZ + 100) / 30 plus 2 pixels either
// side of the centre, whatever the zoom.
void DrawStarDisc(const Interface& ui, Canvas& canvas, const ProjectedStar& star)
{
    const double z = ui.map.MapZoom;
    const double e = (star.PZ + 100.0) / 30.0;
    const Point centre = GalaxyCentreIn(ui.hud.StarMap);
    const int left = centre.X, top = centre.Y;
    canvas.Ellipse(NearestInt(star.PX * z - e) - 2 + left, NearestInt(star.PY * z - e) - 2 + top,
                   NearestInt(star.PX * z + e) + 2 + left, NearestInt(star.PY * z + e) + 2 + top);
}

// Current star magenta, selected star yellow (a star that is both is yellow).
void DrawStarDiscs(Game& game, Canvas& canvas, const kvGalaxy& galaxy)
{
    MapProjection& p = game.ui.projection;
    Bitmap& face = game.ui.hud.StarMap.Face;
    for (std::size_t k = 1; k <= galaxy.StarCount; ++k) {
        const ProjectedStar& star = p.ProjectedStars[p.DrawOrder[k]];
        if (star.Number == game.world.Pilot.Star) {
            p.CurrentStarPoint = GalaxyViewPoint(game.ui, star);
            face.brush.SetColour(CurrentStarFill);
        }
        if (star.Number == game.ui.SelectedStar) face.brush.SetColour(SelectedStarFill);
        DrawStarDisc(game.ui, canvas, star);
        face.brush.SetColour(StarFill);
    }
}

// The name of the selected star beside its disc, and a line to it from the
// current star: yellow while the fuel reaches beyond it, red otherwise.
void DrawJumpLine(Game& game, Canvas& canvas, const kvGalaxy& galaxy)
{
    const MapProjection& p = game.ui.projection;
    Bitmap& face = game.ui.hud.StarMap.Face;
    const double distance = StarDistance(galaxy, game.world.Pilot.Star, game.ui.SelectedStar);
    face.pen.Colour = JumpRange(game.world.Ship) > distance ? JumpInRange : JumpOutOfRange;
    canvas.Line(p.LabelPoint.X - 10, p.LabelPoint.Y + 4, p.CurrentStarPoint.X, p.CurrentStarPoint.Y);
    face.brush.Style = BrushStyle::Clear;
    canvas.TextOut(p.LabelPoint.X, p.LabelPoint.Y, galaxy.Stars[game.ui.SelectedStar].Name);
    face.brush.Style = BrushStyle::Solid;
}

void DrawGalaxyView(Game& game, Canvas& canvas)
{
    const kvGalaxy& galaxy = CurrentGalaxy(game.world);
    ProjectGalaxy(game.ui.map, galaxy, game.ui.projection);
    MapProjection& p = game.ui.projection;
    if (game.ui.SelectedStar != 0) {
        const ProjectedStar& selected = p.ProjectedStars[game.ui.SelectedStar];
        const double z = game.ui.map.MapZoom;
        p.LabelPoint = {NearestInt(selected.PX * z + GalaxyCentreX + 10 - game.ui.hud.StarMap.Left),
                        NearestInt(selected.PY * z + GalaxyCentreY - 4 - game.ui.hud.StarMap.Top)};
    }
    if (game.ui.map.ShowEcliptic) DrawEcliptic(game);
    DrawStarDiscs(game, canvas, galaxy);
    if (game.ui.SelectedStar != 0) DrawJumpLine(game, canvas, galaxy);
}

// The selected star in the middle and each planet at its place on its ring
// on the game date; the rings lean by the planets' own tilts.
void DrawSystemView(Game& game)
{
    if (game.ui.SelectedStar == 0) return;
    const kvStar& star = CurrentGalaxy(game.world).Stars[game.ui.SelectedStar];
    const MapView& m = game.ui.map;
    const double z = m.MapZoom;
    const ViewRotation view(m.MapTilt, m.MapSpin);
    Bitmap& face = game.ui.hud.StarMap.Face;
    face.pen.Colour = Wireframe;
    DrawSphere(20, SystemCentre, SystemCentre, face, m.MapSpin, m.MapTilt, star.Size * z);
    for (std::size_t i = 1; i <= star.PlanetCount; ++i) {
        const kvPlanet& planet = star.Planets[i];
        const double ring = star.Size + planet.OrbitRadius;
        const double angle = planet.OrbitSpeed * game.world.Pilot.GameDate;
        const double x = ring * std::cos(angle), y = ring * std::sin(angle);
        const int dx = NearestInt(view.Right(x, y) * z);
        const int dy = NearestInt(view.Down(x, y, 0.0) * z);
        face.pen.Colour = Wireframe;
        DrawSphere(20, SystemCentre + dx, SystemCentre + dy, face, m.MapSpin, m.MapTilt, planet.Radius * z);
        DrawOrbit(50, SystemCentre, SystemCentre, face, m.MapSpin + planet.OrbitTilt, m.MapTilt, ring * z);
    }
}

void DrawFrame(Hud& hud, Canvas& canvas)
{
    canvas.Draw(0, 0, FramePiece(hud, Piece::Left));
    canvas.Draw(20, 0, FramePiece(hud, Piece::Top));
    canvas.Draw(21, 309, FramePiece(hud, Piece::Bottom));
    canvas.Draw(330, 0, FramePiece(hud, Piece::Right));
    hud.StarMap.Face.brush.Style = BrushStyle::Clear;
}

// The axis cross in the top right corner, unscaled, as the galaxy view last
// turned it.
void DrawAxisCross(Interface& ui, Canvas& canvas)
{
    static constexpr const char* Labels[] = {"X", "Y", "Z"};
    ui.hud.StarMap.Face.pen.Colour = AxisPen;
    std::array<Point, 3> ends;
    for (std::size_t a = 0; a < ends.size(); ++a) {
        const AxisPoint& axis = ui.projection.ProjectedAxes[a];
        ends[a] = {AxisOrigin.X + NearestInt(axis.X), AxisOrigin.Y + NearestInt(axis.Y)};
        Line(canvas, AxisOrigin, ends[a]);
    }
    for (std::size_t a = 0; a < ends.size(); ++a) canvas.TextOut(ends[a].X + 3, ends[a].Y + 3, Labels[a]);
}

// The grid of a sphere or a ring seen with spin f and tilt g.
Point SeenAt(const ViewRotation& view, int cx, int cy, double x, double y, double z)
{
    return {NearestInt(view.Right(x, y)) + cx, NearestInt(view.Down(x, y, z)) + cy};
}

}  // namespace

ViewRotation::ViewRotation(double tilt, double spin)
    : CosTilt(std::cos(tilt)), SinTilt(std::sin(tilt)), CosSpin(std::cos(spin)), SinSpin(std::sin(spin))
{
}

Point GalaxyViewPoint(const Interface& ui, double right, double down)
{
    const double z = ui.map.MapZoom;
    const Point centre = GalaxyCentreIn(ui.hud.StarMap);
    return {NearestInt(right * z) + centre.X, NearestInt(down * z) + centre.Y};
}

Point GalaxyViewPoint(const Interface& ui, const ProjectedStar& star) { return GalaxyViewPoint(ui, star.PX, star.PY); }

void ProjectGalaxy(const MapView& m, const kvGalaxy& galaxy, MapProjection& p)
{
    const ViewRotation view(m.MapTilt, m.MapSpin);
    for (std::size_t i = 1; i <= p.DrawOrder.Count; ++i) p.DrawOrder[i] = static_cast<uint8_t>(i);
    for (std::size_t i = 1; i <= galaxy.StarCount; ++i) {
        const kvStar& s = galaxy.Stars[i];
        p.ProjectedStars[i] = {view.Right(s.X, s.Y), view.Down(s.X, s.Y, s.Z), view.Depth(s.X, s.Y, s.Z) + m.MapZoom,
                               s.Number};
    }
    for (std::size_t a = 0; a < p.ProjectedAxes.size(); ++a) {
        const auto& v = m.AxisVectors[a];
        p.ProjectedAxes[a] = {view.Right(v[0], v[1]), view.Down(v[0], v[1], v[2])};
    }
    std::stable_sort(p.DrawOrder.begin(), p.DrawOrder.begin() + galaxy.StarCount, [&p](uint8_t a, uint8_t b) {
        return p.ProjectedStars[a].PZ < p.ProjectedStars[b].PZ;
    });
}

void DrawStarMap(Game& game)
{
    Bitmap& face = game.ui.hud.StarMap.Face;
    face.brush.SetColour(FirstStarFill);
    face.pen.Colour = StarOutline;
    Canvas canvas(face);
    canvas.Draw(21, 20, FramePiece(game.ui.hud, Piece::Main));
    if (game.ui.map.MapLevel == 0) DrawSystemView(game);
    if (game.ui.map.MapLevel == 1) DrawGalaxyView(game, canvas);
    DrawFrame(game.ui.hud, canvas);
    if (game.ui.map.ShowAxes) DrawAxisCross(game.ui, canvas);
    // A career reaches all ten galaxies; a classic game never leaves the first.
    if (IsCareer(game.world)) {
        face.brush.Style = BrushStyle::Clear;
        canvas.TextOut(240, 326, "Galaxy " + std::to_string(game.world.Pilot.Galaxy));
    }
    DrawVisibleItems(game.ui.hud.StarMap);
}

void DrawEcliptic(Game& game)
{
    const kvGalaxy& galaxy = CurrentGalaxy(game.world);
    const ViewRotation view(game.ui.map.MapTilt, game.ui.map.MapSpin);
    Bitmap& face = game.ui.hud.StarMap.Face;
    face.pen.Colour = StarOutline;
    Canvas canvas(face);
    std::array<Point, PlaneRingPoints> ring;
    for (std::size_t k = 1; k <= ring.size(); ++k) {
        const double angle = static_cast<double>(k) * 5.0 * std::numbers::pi / 180.0;
        const double x = PlaneRingRadius * std::cos(angle), y = PlaneRingRadius * std::sin(angle);
        ring[k - 1] = GalaxyViewPoint(game.ui, view.Right(x, y), view.Down(x, y, 0.0));
    }
    for (std::size_t i = 1; i <= galaxy.StarCount; ++i) {
        const kvStar& s = galaxy.Stars[i];
        const Point plane = GalaxyViewPoint(game.ui, view.Right(s.X, s.Y), view.Down(s.X, s.Y, 0.0));
        Line(canvas, GalaxyViewPoint(game.ui, game.ui.projection.ProjectedStars[i]), plane);
    }
    for (std::size_t k = 1; k < ring.size(); ++k) Line(canvas, ring[k - 1], ring[k]);
}

// Grid point (j, i) lies at latitude 2 pi j / n and longitude 2 pi i / n. The
// quads of neighbouring points are drawn as three-sided open polylines; the
// last longitude is joined back to the first.
void DrawSphere(int n, int cx, int cy, Bitmap& target, double f, double g, double r)
{
    n = std::min(n, MaxGrid);
    if (n < 2) return;
    const ViewRotation view(g, f);
    const auto count = static_cast<std::size_t>(n);
    std::array<double, MaxGrid> cosine{}, sine{};
    for (std::size_t k = 0; k < count; ++k) {
        const double angle = 2.0 * std::numbers::pi * static_cast<double>(k) / n;
        cosine[k] = std::cos(angle);
        sine[k] = std::sin(angle);
    }
    std::array<std::array<Point, MaxGrid>, MaxGrid> s;
    for (std::size_t j = 0; j < count; ++j)
        for (std::size_t i = 0; i < count; ++i)
            s[j][i] = SeenAt(view, cx, cy, r * cosine[j] * sine[i], r * cosine[j] * cosine[i], r * sine[j]);
    Canvas canvas(target);
    for (std::size_t i = 0; i + 1 < count; ++i)
        for (std::size_t j = 0; j + 1 < count; ++j) Polyline(canvas, s[j][i], s[j + 1][i], s[j + 1][i + 1], s[j][i + 1]);
    const std::size_t last = count - 1;
    for (std::size_t i = 0; i < last; ++i) Polyline(canvas, s[i][last], s[i + 1][last], s[i + 1][0], s[i][0]);
}

void DrawOrbit(int n, int cx, int cy, Bitmap& target, double f, double g, double r)
{
    n = std::min(n, MaxGrid);
    if (n < 1) return;
    const ViewRotation view(g, f);
    Canvas canvas(target);
    Point first;
    for (int k = 0; k < n; ++k) {
        const double angle = 2.0 * std::numbers::pi * k / n;
        const Point p = SeenAt(view, cx, cy, r * std::cos(angle), r * std::sin(angle), 0.0);
        if (k == 0) {
            first = p;
            canvas.MoveTo(p.X, p.Y);
        } else {
            canvas.LineTo(p.X, p.Y);
        }
    }
    canvas.LineTo(first.X, first.Y);
}

void ToggleEcliptic(Game& game)
{
    game.ui.map.ShowEcliptic = !game.ui.map.ShowEcliptic;
    game.ui.Marked.StarMap = true;
}

void ToggleAxes(Game& game)
{
    game.ui.map.ShowAxes = !game.ui.map.ShowAxes;
    game.ui.Marked.StarMap = true;
}

void ZoomIn(Game& game)
{
    game.ui.map.MapZoom = 1.0;
    if (game.ui.map.MapLevel > 0) --game.ui.map.MapLevel;
    game.ui.Marked.StarMap = true;
}

void ZoomOut(Game& game)
{
    if (game.ui.map.MapLevel < 2) ++game.ui.map.MapLevel;
    game.ui.Marked.StarMap = true;
}

void WheelZoom(Game& game, int delta)
{
    game.ui.map.MapZoom = std::max(game.ui.map.MapZoom + delta / 1000.0, 0.0);
    game.ui.Marked.StarMap = true;
}

void TurnStarMap(Game& game, int dx, int dy)
{
    game.ui.map.MapSpin -= dx / 180.0;
    game.ui.map.MapTilt -= dy / 180.0;
    game.ui.Marked.StarMap = true;
}

}  // namespace kv
