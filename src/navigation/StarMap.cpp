#include "navigation/StarMap.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>
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
// The selected star's name: pale blue, apart from every disc's colour, with
// a black outline so that it reads over discs, lines and the backdrop.
constexpr Rgb NameColour{0xC8, 0xE6, 0xFF};
constexpr Rgb NameOutline{0x00, 0x00, 0x00};
// The system view's star and planets: lit from the upper left.
constexpr Rgb SunColour{0xFF, 0xEC, 0xAA};
constexpr std::array<Rgb, 6> PlanetColours{{{0x70, 0xA0, 0xE0}, {0xD0, 0x90, 0x50}, {0xA0, 0xA8, 0xA0},
                                            {0xD0, 0x60, 0x50}, {0x60, 0xC8, 0xB0}, {0xC8, 0xB8, 0x80}}};
// The part of the map's face inside its frame, where names may stand.
constexpr int InsideLeft = 22, InsideTop = 21, InsideRight = 329, InsideBottom = 308;

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

// A box on the map's face, right and bottom edges excluded.
struct Box {
    int X1, Y1, X2, Y2;
};

// The disc of one star: its box reaches (PZ + 100) / 30 plus 2 pixels either
// side of the centre, whatever the zoom.
Box DiscBox(const Interface& ui, const ProjectedStar& star)
{
    const double z = ui.map.MapZoom;
    const double e = (star.PZ + 100.0) / 30.0;
    const Point centre = GalaxyCentreIn(ui.hud.StarMap);
    const int left = centre.X, top = centre.Y;
    return {NearestInt(star.PX * z - e) - 2 + left, NearestInt(star.PY * z - e) - 2 + top,
            NearestInt(star.PX * z + e) + 2 + left, NearestInt(star.PY * z + e) + 2 + top};
}

void DrawStarDisc(const Interface& ui, Canvas& canvas, const ProjectedStar& star)
{
    const Box box = DiscBox(ui, star);
    canvas.Ellipse(box.X1, box.Y1, box.X2, box.Y2);
}

// The pixels two boxes share, counted in 64 bits: a map zoomed far in puts
// discs and names millions of pixels away.
int64_t Overlap(const Box& a, const Box& b)
{
    const int64_t w = int64_t{std::min(a.X2, b.X2)} - std::max(a.X1, b.X1);
    const int64_t h = int64_t{std::min(a.Y2, b.Y2)} - std::max(a.Y1, b.Y1);
    return w > 0 && h > 0 ? w * h : 0;
}

int64_t Beyond(int64_t from, int64_t to) { return std::max<int64_t>(0, to - from); }

// What a place for the selected star's name costs: covering the current or
// the selected star all but rules it out; every pixel of another disc it
// covers, and every pixel it leaves the frame's inside by, counts against it.
int64_t NameCost(const Interface& ui, const kvGalaxy& galaxy, uint8_t current, const Box& name)
{
    const MapProjection& p = ui.projection;
    int64_t cost = 0;
    for (std::size_t i = 1; i <= galaxy.StarCount; ++i) {
        const ProjectedStar& star = p.ProjectedStars[i];
        const int64_t covered = Overlap(DiscBox(ui, star), name);
        const bool marked = star.Number == ui.SelectedStar || star.Number == current;
        cost += marked && covered > 0 ? 100000 : covered;
    }
    const int64_t outside = Beyond(name.X1, InsideLeft) + Beyond(InsideRight, name.X2) +
                            Beyond(name.Y1, InsideTop) + Beyond(InsideBottom, name.Y2);
    return cost + 100 * outside;
}

// The selected star's name goes beside its disc where it covers the least of
// the other discs and stays inside the frame: right of it first, then left,
// each a little higher or lower, then above and below.
Point NamePlace(const Interface& ui, const kvGalaxy& galaxy, uint8_t current, int width, int height)
{
    const Box disc = DiscBox(ui, ui.projection.ProjectedStars[ui.SelectedStar]);
    const int cx = (disc.X1 + disc.X2) / 2, cy = (disc.Y1 + disc.Y2) / 2;
    constexpr int Gap = 3;
    std::vector<Point> places;
    for (int dy : {0, -7, 7, -14, 14}) {
        places.push_back({disc.X2 + Gap, cy - height / 2 + dy});
        places.push_back({disc.X1 - Gap - width, cy - height / 2 + dy});
    }
    for (int dx : {0, -width / 2, width / 2}) {
        places.push_back({cx - width / 2 + dx, disc.Y1 - Gap - height});
        places.push_back({cx - width / 2 + dx, disc.Y2 + Gap});
    }
    Point best = places.front();
    int64_t bestCost = std::numeric_limits<int64_t>::max();
    for (const Point& place : places) {
        // The outline reaches one pixel round the text.
        const int64_t cost = NameCost(ui, galaxy, current, {place.X - 1, place.Y - 1, place.X + width + 1, place.Y + height + 1});
        if (cost < bestCost) {
            best = place;
            bestCost = cost;
        }
    }
    return best;
}

// Text with a one-pixel outline: the outline colour at the eight neighbours,
// then the text itself.
void OutlinedText(Canvas& canvas, Bitmap& face, Point at, const std::string& text, Rgb colour, Rgb outline)
{
    const Rgb was = face.font.Colour;
    face.font.Colour = outline;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0) canvas.TextOut(at.X + dx, at.Y + dy, text);
    face.font.Colour = colour;
    canvas.TextOut(at.X, at.Y, text);
    face.font.Colour = was;
}

// A disc lit from the upper left: full colour where it faces the light,
// under a third of it on the far side.
void ShadedDisc(Bitmap& target, int cx, int cy, double radius, Rgb colour)
{
    const double lx = -0.45, ly = -0.55, lz = 0.70;
    const int reach = static_cast<int>(std::ceil(radius));
    for (int y = std::max(cy - reach, 0); y <= std::min(cy + reach, target.Height() - 1); ++y) {
        uint8_t* row = target.Row(y);
        const double ny = (y - cy) / radius;
        for (int x = std::max(cx - reach, 0); x <= std::min(cx + reach, target.Width() - 1); ++x) {
            const double nx = (x - cx) / radius;
            const double flat = nx * nx + ny * ny;
            if (flat >= 1.0) continue;
            const double facing = std::max(0.0, nx * lx + ny * ly + std::sqrt(1.0 - flat) * lz);
            const double light = std::min(1.0, 0.3 + 0.9 * facing);
            uint8_t* px = row + 3 * x;
            px[0] = static_cast<uint8_t>(colour.B * light);
            px[1] = static_cast<uint8_t>(colour.G * light);
            px[2] = static_cast<uint8_t>(colour.R * light);
        }
    }
}

// Current star magenta, selected star yellow (a star that is both is yellow).
void DrawStarDiscs(Game& game, Canvas& canvas, const kvGalaxy& galaxy)
{
    MapProjection& p = game.ui.projection;
    Bitmap& face = game.ui.hud.StarMap.Face;
    for (std::size_t k = 1; k <= galaxy.StarCount; ++k) {
        const ProjectedStar& star = p.ProjectedStars[p.DrawOrder[k]];
        if (star.Number == game.world.Pilot.Star) {
            p.CurrentStarPoint = GalaxyPickPoint(game.ui, star);
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
    const std::string& name = galaxy.Stars[game.ui.SelectedStar].Name;
    const TextExtent size = canvas.TextSize(name);
    OutlinedText(canvas, face, NamePlace(game.ui, galaxy, game.world.Pilot.Star, size.Width, size.Height), name, NameColour, NameOutline);
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

// A planet's disc: two pixels more than its radius at the zoom, so that the
// smallest world still reads as a ball, not a dot.
constexpr double MinimumSunRadius = 4.0;
double PlanetRadius(const kvPlanet& planet, double zoom) { return 2.0 + planet.Radius * zoom; }

// The selected star in the middle and each planet at its place on its ring
// on the game date, drawn as lit discs over their rings; the rings lean by
// the planets' own tilts.
void DrawSystemView(Game& game)
{
    if (game.ui.SelectedStar == 0) return;
    const kvStar& star = CurrentGalaxy(game.world).Stars[game.ui.SelectedStar];
    const MapView& m = game.ui.map;
    const double z = m.MapZoom;
    const ViewRotation view(m.MapTilt, m.MapSpin);
    Bitmap& face = game.ui.hud.StarMap.Face;
    face.pen.Colour = Wireframe;
    for (std::size_t i = 1; i <= star.PlanetCount; ++i) {
        const double ring = star.Size + star.Planets[i].OrbitRadius;
        DrawOrbit(50, SystemCentre, SystemCentre, face, m.MapSpin + star.Planets[i].OrbitTilt, m.MapTilt, ring * z);
    }
    ShadedDisc(face, SystemCentre, SystemCentre, std::max(star.Size * z, MinimumSunRadius), SunColour);
    for (std::size_t i = 1; i <= star.PlanetCount; ++i) {
        const kvPlanet& planet = star.Planets[i];
        const double ring = star.Size + planet.OrbitRadius;
        const double angle = planet.OrbitSpeed * game.world.Pilot.GameDate;
        const double x = ring * std::cos(angle), y = ring * std::sin(angle);
        const int dx = NearestInt(view.Right(x, y) * z);
        const int dy = NearestInt(view.Down(x, y, 0.0) * z);
        ShadedDisc(face, SystemCentre + dx, SystemCentre + dy, PlanetRadius(planet, z),
                   PlanetColours[(i - 1) % PlanetColours.size()]);
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
    // A label that would reach the frame is pulled back inside it.
    for (std::size_t a = 0; a < ends.size(); ++a) {
        const TextExtent size = canvas.TextSize(Labels[a]);
        const int x = std::clamp(ends[a].X + 3, InsideLeft, InsideRight - size.Width);
        const int y = std::clamp(ends[a].Y + 3, InsideTop, InsideBottom - size.Height);
        canvas.TextOut(x, y, Labels[a]);
    }
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

Point GalaxyPickPoint(const Interface& ui, const ProjectedStar& star)
{
    const double z = ui.map.MapZoom;
    const Point centre = GalaxyCentreIn(ui.hud.StarMap);
    return {NearestInt(star.PX * z + centre.X), NearestInt(star.PY * z + centre.Y)};
}

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
