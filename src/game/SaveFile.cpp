#include "game/SaveFile.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <optional>

#include "universe/SpaceCraft.h"

namespace kv {

namespace {

constexpr std::string_view Mark{"KVSPSAVE"};
constexpr std::size_t HeaderBytes = 8 + 4 + 4 + 8;
constexpr uint16_t MostTextBytes = 1024;
// Positions and planet sizes far beyond anything generated still draw
// without overflowing a pixel coordinate; beyond this they are refused.
constexpr double MostReal = 1e6;
constexpr int32_t MostPrice = 1000000;
constexpr uint8_t LeastStars = 15;
constexpr uint8_t MostStars = 49;

// An extended real as two doubles: the nearest double, and the rest.
uint64_t SplitHigh(long double v) { return std::bit_cast<uint64_t>(static_cast<double>(v)); }
uint64_t SplitLow(long double v) { return std::bit_cast<uint64_t>(static_cast<double>(v - static_cast<double>(v))); }

class Writer {
public:
    void Byte(uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void Whole(uint64_t v, int bytes)
    {
        for (int i = 0; i < bytes; ++i) Byte(static_cast<uint8_t>(v >> (8 * i)));
    }
    void U16(uint16_t v) { Whole(v, 2); }
    void I32(int32_t v) { Whole(static_cast<uint32_t>(v), 4); }
    void I64(int64_t v) { Whole(static_cast<uint64_t>(v), 8); }
    void Real(double v) { Whole(std::bit_cast<uint64_t>(v), 8); }
    void Extended(long double v)
    {
        Whole(SplitHigh(v), 8);
        Whole(SplitLow(v), 8);
    }
    void Text(const std::string& s)
    {
        const std::size_t size = std::min<std::size_t>(s.size(), MostTextBytes);
        U16(static_cast<uint16_t>(size));
        out_.append(s, 0, size);
    }
    std::string& Bytes() { return out_; }

private:
    std::string out_;
};

// Reads from the body; the first fault stops every later read from taking
// anything and is kept as the reason.
class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}

    bool Failed() const { return !problem_.empty(); }
    const std::string& Problem() const { return problem_; }
    bool AtEnd() const { return rest_.empty(); }
    void Fail(const std::string& why)
    {
        if (problem_.empty()) problem_ = why;
        rest_ = {};
    }

    uint64_t Whole(int bytes)
    {
        if (Failed()) return 0;
        if (rest_.size() < static_cast<std::size_t>(bytes)) {
            Fail("the file is cut short");
            return 0;
        }
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= uint64_t{static_cast<uint8_t>(rest_[static_cast<std::size_t>(i)])} << (8 * i);
        rest_.remove_prefix(static_cast<std::size_t>(bytes));
        return v;
    }
    uint8_t Byte() { return static_cast<uint8_t>(Whole(1)); }
    uint16_t U16() { return static_cast<uint16_t>(Whole(2)); }
    int32_t I32() { return static_cast<int32_t>(static_cast<uint32_t>(Whole(4))); }
    int64_t I64() { return static_cast<int64_t>(Whole(8)); }

    // A byte within [least, most], or a fault naming `what`.
    uint8_t Byte(uint8_t least, uint8_t most, const char* what)
    {
        const uint8_t v = Byte();
        if (v < least || v > most) Fail(std::string(what) + " is out of range");
        return v;
    }
    // A finite real within +-most.
    double Real(const char* what, double most = MostReal)
    {
        const double v = std::bit_cast<double>(Whole(8));
        if (!std::isfinite(v) || std::fabs(v) > most) Fail(std::string(what) + " is not a number the game uses");
        return Failed() ? 0.0 : v;
    }
    // The two doubles must be the ones the writer makes of their sum, so
    // that one value has one form.
    long double Extended(const char* what)
    {
        const double high = Real(what, 1e300);
        const double low = Real(what, 1e300);
        const long double v = static_cast<long double>(high) + low;
        if (v < 0) Fail(std::string(what) + " are below zero");
        if (SplitHigh(v) != std::bit_cast<uint64_t>(high) || SplitLow(v) != std::bit_cast<uint64_t>(low))
            Fail(std::string(what) + " are not written as the game writes them");
        return Failed() ? 0 : v;
    }
    // Text of printable characters (bytes from 32 up, but not 127).
    std::string Text(const char* what)
    {
        const uint16_t size = U16();
        if (size > MostTextBytes || size > rest_.size()) {
            Fail(std::string(what) + " is longer than the file");
            return {};
        }
        std::string s(rest_.substr(0, size));
        rest_.remove_prefix(size);
        for (const char c : s)
            if (static_cast<unsigned char>(c) < 32 || c == 127) Fail(std::string(what) + " holds control characters");
        return s;
    }

private:
    std::string_view rest_;
    std::string problem_;
};

void WritePilot(Writer& w, const kvPlayer& p)
{
    w.Text(p.Name);
    w.Byte(p.Avatar);
    w.I32(p.Cash);
    w.Byte(p.TradeRank);
    w.Byte(p.CombatRank);
    w.Real(p.GameDate);
    w.Byte(p.Galaxy);
    w.Byte(p.Star);
    w.Byte(p.Reserved);
    w.I32(p.Score);
    w.Byte(p.Class);
    w.Extended(p.TradePoints);
    w.Extended(p.CombatPoints);
    for (const PriceListItem& row : p.Cargo) w.U16(row.Quantity);
}

void ReadPilot(Reader& r, kvPlayer& p)
{
    p.Name = r.Text("the pilot's name");
    p.Avatar = r.Byte(1, 7, "the portrait");
    p.Cash = r.I32();
    const uint8_t topRank = static_cast<uint8_t>(RankThresholds.size() - 1);
    p.TradeRank = r.Byte(0, topRank, "the trade rank");
    p.CombatRank = r.Byte(0, topRank, "the combat rank");
    p.GameDate = r.Real("the game date");
    p.Galaxy = r.Byte(1, GalaxyCount, "the galaxy");
    p.Star = r.Byte();
    p.Reserved = r.Byte();
    p.Score = r.I32();
    p.Class = r.Byte(1, static_cast<uint8_t>(ClassNames.size() - 1), "the class");
    p.TradePoints = r.Extended("the trade points");
    p.CombatPoints = r.Extended("the combat points");
    for (PriceListItem& row : p.Cargo) row.Quantity = r.U16();
}

void WriteStar(Writer& w, const kvStar& s)
{
    w.Text(s.Name);
    w.Byte(s.Government);
    w.Byte(s.TechLevel);
    w.Byte(s.SpectralClass);
    w.Byte(s.Number);
    w.Byte(s.Marker);
    w.Byte(s.Size);
    w.Real(s.X);
    w.Real(s.Y);
    w.Real(s.Z);
    for (const PriceListItem& row : s.PriceList) {
        w.U16(row.Quantity);
        w.I32(row.SellPrice);
        w.I32(row.BuyPrice);
    }
    w.Byte(s.PlanetCount);
    for (std::size_t p = 1; p <= s.PlanetCount; ++p) {
        const kvPlanet& planet = s.Planets[p];
        w.Text(planet.Name);
        w.Real(planet.Radius);
        w.Real(planet.OrbitRadius);
        w.Real(planet.OrbitSpeed);
        w.Real(planet.OrbitTilt);
    }
}

void ReadMarketRow(Reader& r, PriceListItem& row)
{
    row.Quantity = r.U16();
    row.SellPrice = r.I32();
    row.BuyPrice = r.I32();
    if (row.BuyPrice < 0 || row.SellPrice < row.BuyPrice || row.SellPrice > MostPrice)
        r.Fail("a market's prices are out of range");
}

void ReadStar(Reader& r, kvStar& s, uint8_t number)
{
    s.Name = r.Text("a star's name");
    s.Government = r.Byte(0, GovernmentNames.size() - 1, "a star's government");
    s.TechLevel = r.Byte(1, 10, "a star's tech level");
    s.SpectralClass = r.Byte(1, SpectralClassCount, "a star's spectral class");
    s.Number = r.Byte(number, number, "a star's number");
    s.Marker = r.Byte();
    s.Size = r.Byte(5, 12, "a star's size");
    s.X = r.Real("a star's position");
    s.Y = r.Real("a star's position");
    s.Z = r.Real("a star's position");
    for (PriceListItem& row : s.PriceList) ReadMarketRow(r, row);
    s.PlanetCount = r.Byte(1, MaxPlanets, "a star's planet count");
    for (std::size_t p = 1; p <= s.PlanetCount && !r.Failed(); ++p) {
        kvPlanet& planet = s.Planets[p];
        planet.Name = r.Text("a planet's name");
        planet.Radius = r.Real("a planet's size");
        planet.OrbitRadius = r.Real("a planet's orbit");
        planet.OrbitSpeed = r.Real("a planet's orbit");
        planet.OrbitTilt = r.Real("a planet's orbit");
    }
}

void WriteGalaxies(Writer& w, const Galaxies& galaxies)
{
    for (const kvGalaxy& g : galaxies) {
        w.Text(g.Name);
        for (const double extra : g.Extras) w.Real(extra);
        w.Byte(g.StarCount);
        for (std::size_t j = 1; j <= g.StarCount; ++j) WriteStar(w, g.Stars[j]);
    }
}

void ReadGalaxyHead(Reader& r, std::string& name, std::array<double, 3>& extras, uint8_t& starCount)
{
    name = r.Text("a galaxy's name");
    for (double& extra : extras) extra = r.Real("a galaxy's figures");
    starCount = r.Byte(LeastStars, MostStars, "a galaxy's star count");
}

void ReadGalaxies(Reader& r, Galaxies& galaxies)
{
    for (kvGalaxy& g : galaxies) {
        ReadGalaxyHead(r, g.Name, g.Extras, g.StarCount);
        for (uint8_t j = 1; j <= g.StarCount && !r.Failed(); ++j) ReadStar(r, g.Stars[j], j);
    }
}

// The name of the pilot's star, read through the galaxies one star at a
// time into one record, up to that star.
std::string PilotStarName(Reader& r, const kvPlayer& pilot)
{
    kvStar star;
    std::string name;
    std::array<double, 3> extras{};
    uint8_t count = 0;
    for (uint8_t g = 1; g <= GalaxyCount && !r.Failed(); ++g) {
        ReadGalaxyHead(r, name, extras, count);
        for (uint8_t j = 1; j <= count && !r.Failed(); ++j) {
            ReadStar(r, star, j);
            if (g == pilot.Galaxy && j == pilot.Star) return star.Name;
        }
        if (g == pilot.Galaxy) r.Fail("the pilot's star does not exist");
    }
    return "";
}

void WriteBody(Writer& w, const SavedGame& save)
{
    w.I64(save.SavedAt);
    WritePilot(w, save.world.Pilot);
    w.Byte(save.world.Difficulty);
    w.Real(save.world.Ship.Fuel);
    w.Byte(save.HullChoice);
    w.Byte(save.EngineChoice);
    w.Byte(save.WeaponChoice);
    w.Byte(save.SelectedStar);
    w.Byte(save.MapLevel);
    WriteGalaxies(w, *save.world.galaxies);
}

// The stars the pilot is at and looks at must exist in the pilot's galaxy.
void CheckPlaces(Reader& r, const SavedGame& save)
{
    const kvPlayer& pilot = save.world.Pilot;
    const uint8_t stars = (*save.world.galaxies)[pilot.Galaxy].StarCount;
    if (pilot.Star < 1 || pilot.Star > stars) r.Fail("the pilot's star does not exist");
    if (save.SelectedStar > stars) r.Fail("the selected star does not exist");
}

// The body's fields before the galaxies, into a SavedGame or into a
// summary's smaller record of the same names.
template <class Record>
void ReadHead(Reader& r, Record& save)
{
    save.SavedAt = r.I64();
    ReadPilot(r, save.world.Pilot);
    save.world.Difficulty = r.Byte(1, 3, "the difficulty");
    save.world.Ship.Fuel = r.Real("the fuel reserve");
    save.HullChoice = r.Byte(1, CatalogueRoom, "the hull");
    save.EngineChoice = r.Byte(1, CatalogueRoom, "the engine");
    save.WeaponChoice = r.Byte(1, CatalogueRoom, "the weapon");
    save.SelectedStar = r.Byte();
    save.MapLevel = r.Byte(0, 2, "the star map's level");
}

void ReadBody(Reader& r, SavedGame& save)
{
    ReadHead(r, save);
    ReadGalaxies(r, *save.world.galaxies);
    if (!r.Failed()) CheckPlaces(r, save);
    if (!r.Failed() && !r.AtEnd()) r.Fail("the file goes on past its end");
}

SaveRead Damaged(std::string why) { return SaveRead{SaveState::Damaged, std::move(why), nullptr}; }

// The refusal of a file whose mark, version, length or checksum is wrong, or
// nothing, with `body` set, when the body can be read. Nothing big is made
// before this passes.
std::optional<SaveRead> RefusedHeader(std::string_view bytes, std::string_view& body)
{
    if (bytes.empty()) return Damaged("the file is empty");
    if (bytes.size() > MostSaveBytes) return Damaged("the file is larger than a save can be");
    if (bytes.size() < Mark.size() || bytes.substr(0, Mark.size()) != Mark) return Damaged("it is not a saved game");
    Reader header(bytes.substr(Mark.size(), HeaderBytes - Mark.size()));
    const auto version = static_cast<uint32_t>(header.Whole(4));
    const auto length = header.Whole(4);
    const uint64_t checksum = header.Whole(8);
    if (header.Failed()) return Damaged(header.Problem());
    if (version > SaveFormatVersion)
        return SaveRead{SaveState::Newer, "it was saved by a newer version of the game", nullptr};
    if (version != SaveFormatVersion) return Damaged("its format version is unknown");
    body = bytes.substr(HeaderBytes);
    if (body.size() < length) return Damaged("the file is cut short");
    if (body.size() > length) return Damaged("the file goes on past its end");
    if (SaveChecksum(body) != checksum) return Damaged("its checksum does not match");
    return std::nullopt;
}

SaveRead DecodeBody(std::string_view body, SavedGame& save)
{
    Reader r(body);
    ReadBody(r, save);
    if (r.Failed()) return Damaged(r.Problem());
    return SaveRead{SaveState::Good, "", nullptr};
}

// What a summary reads of the body's first fields: a SavedGame's names
// without its galaxies.
struct HeadRecord {
    int64_t SavedAt = 0;
    struct {
        kvPlayer Pilot;
        uint8_t Difficulty = 1;
        struct {
            double Fuel = 0.0;
        } Ship;
    } world;
    uint8_t HullChoice = 1;
    uint8_t EngineChoice = 1;
    uint8_t WeaponChoice = 1;
    uint8_t SelectedStar = 0;
    uint8_t MapLevel = 1;
};

}  // namespace

uint64_t SaveChecksum(std::string_view bytes)
{
    uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<uint8_t>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string EncodeSave(const SavedGame& save)
{
    Writer body;
    WriteBody(body, save);
    Writer file;
    file.Bytes().append(Mark);
    file.Whole(SaveFormatVersion, 4);
    file.Whole(body.Bytes().size(), 4);
    file.Whole(SaveChecksum(body.Bytes()), 8);
    file.Bytes().append(body.Bytes());
    return std::move(file.Bytes());
}

SaveRead DecodeSave(std::string_view bytes)
{
    std::string_view body;
    if (std::optional<SaveRead> refused = RefusedHeader(bytes, body)) return std::move(*refused);
    auto save = std::make_unique<SavedGame>();
    SaveRead read = DecodeBody(body, *save);
    if (read.State == SaveState::Good) read.Game = std::move(save);
    return read;
}

SaveRead DecodeSave(std::string_view bytes, SavedGame& into)
{
    std::string_view body;
    if (std::optional<SaveRead> refused = RefusedHeader(bytes, body)) return std::move(*refused);
    return DecodeBody(body, into);
}

SummaryRead SummariseSave(std::string_view bytes)
{
    SummaryRead read;
    std::string_view body;
    if (std::optional<SaveRead> refused = RefusedHeader(bytes, body)) {
        read.State = refused->State;
        read.Problem = std::move(refused->Problem);
        return read;
    }
    Reader r(body);
    HeadRecord head;
    ReadHead(r, head);
    const kvPlayer& pilot = head.world.Pilot;
    read.Summary = SaveSummary{pilot.Name, pilot.TradeRank, pilot.Cash, "", pilot.Galaxy, pilot.GameDate, head.SavedAt};
    read.Summary.StarName = PilotStarName(r, pilot);
    read.State = r.Failed() ? SaveState::Damaged : SaveState::Good;
    read.Problem = r.Problem();
    return read;
}

}  // namespace kv
