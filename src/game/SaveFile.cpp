#include "game/SaveFile.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "universe/CareerNumbers.h"
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
static_assert(MostStars == CareerStarCount);
// A market's memory and news, and what the hold cost, far beyond what play
// makes of them.
constexpr double MostPressure = 100.0;
constexpr double MostNewsFactor = 100.0;
constexpr double MostCost = 1e15;

// An extended real as two doubles: the nearest double, and the rest.
uint64_t SplitHigh(long double v) { return std::bit_cast<uint64_t>(static_cast<double>(v)); }
uint64_t SplitLow(long double v) { return std::bit_cast<uint64_t>(static_cast<double>(v - static_cast<double>(v))); }

// The two walkers of the field tables below. Each table names a record's
// fields once, in file order, with the checks a read value must pass; the
// writer walks it writing each field and skipping the checks, the reader
// walks it reading each field into the record and checking it. So a field
// added to a table is written and read alike, and a version's fields are
// one `if` in the table.
class Writer {
public:
    static constexpr bool Reading = false;
    explicit Writer(uint32_t version) : version_(version) {}
    uint32_t Version() const { return version_; }
    bool Ok() const { return true; }
    void Check(bool, const char*) {}

    void Whole(uint64_t v, int bytes)
    {
        for (int i = 0; i < bytes; ++i) out_.push_back(static_cast<char>(static_cast<uint8_t>(v >> (8 * i))));
    }
    void Byte(uint8_t v) { Whole(v, 1); }
    void Byte(uint8_t v, std::size_t, std::size_t, const char*) { Byte(v); }
    void U16(uint16_t v) { Whole(v, 2); }
    void U32(uint32_t v) { Whole(v, 4); }
    void I32(int32_t v) { Whole(static_cast<uint32_t>(v), 4); }
    void I64(int64_t v) { Whole(static_cast<uint64_t>(v), 8); }
    void Real(double v, const char*, double = MostReal) { Whole(std::bit_cast<uint64_t>(v), 8); }
    void Extended(long double v, const char*)
    {
        Whole(SplitHigh(v), 8);
        Whole(SplitLow(v), 8);
    }
    void Text(const std::string& s, const char*)
    {
        const std::size_t size = std::min<std::size_t>(s.size(), MostTextBytes);
        U16(static_cast<uint16_t>(size));
        out_.append(s, 0, size);
    }
    std::string& Bytes() { return out_; }

private:
    uint32_t version_;
    std::string out_;
};

// Reads from the body; the first fault stops every later read from taking
// anything and is kept as the reason.
class Reader {
public:
    static constexpr bool Reading = true;
    Reader(std::string_view bytes, uint32_t version) : rest_(bytes), version_(version) {}
    uint32_t Version() const { return version_; }
    bool Ok() const { return problem_.empty(); }
    bool Failed() const { return !Ok(); }
    const std::string& Problem() const { return problem_; }
    bool AtEnd() const { return rest_.empty(); }
    void Fail(const std::string& why)
    {
        if (problem_.empty()) problem_ = why;
        rest_ = {};
    }
    void Check(bool good, const char* why)
    {
        if (!good) Fail(why);
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
    void Byte(uint8_t& v) { v = static_cast<uint8_t>(Whole(1)); }
    // A byte within [least, most], or a fault naming `what`.
    void Byte(uint8_t& v, std::size_t least, std::size_t most, const char* what)
    {
        Byte(v);
        if (v < least || v > most) Fail(std::string(what) + " is out of range");
    }
    void U16(uint16_t& v) { v = static_cast<uint16_t>(Whole(2)); }
    void U32(uint32_t& v) { v = static_cast<uint32_t>(Whole(4)); }
    void I32(int32_t& v) { v = static_cast<int32_t>(static_cast<uint32_t>(Whole(4))); }
    void I64(int64_t& v) { v = static_cast<int64_t>(Whole(8)); }
    // A finite real within +-most.
    void Real(double& v, const char* what, double most = MostReal)
    {
        v = std::bit_cast<double>(Whole(8));
        if (!std::isfinite(v) || std::fabs(v) > most) Fail(std::string(what) + " is not a number the game uses");
        if (Failed()) v = 0.0;
    }
    // The two doubles must be the ones the writer makes of their sum, so
    // that one value has one form.
    void Extended(long double& v, const char* what)
    {
        double high = 0, low = 0;
        Real(high, what, 1e300);
        Real(low, what, 1e300);
        v = static_cast<long double>(high) + low;
        if (v < 0) Fail(std::string(what) + " are below zero");
        if (SplitHigh(v) != std::bit_cast<uint64_t>(high) || SplitLow(v) != std::bit_cast<uint64_t>(low))
            Fail(std::string(what) + " are not written as the game writes them");
        if (Failed()) v = 0;
    }
    // Text of printable characters (bytes from 32 up, but not 127).
    void Text(std::string& s, const char* what)
    {
        uint16_t size = 0;
        U16(size);
        if (size > MostTextBytes || size > rest_.size()) {
            Fail(std::string(what) + " is longer than the file");
            s.clear();
            return;
        }
        s.assign(rest_.substr(0, size));
        rest_.remove_prefix(size);
        for (const char c : s)
            if (static_cast<unsigned char>(c) < 32 || c == 127) Fail(std::string(what) + " holds control characters");
    }

private:
    std::string_view rest_;
    uint32_t version_;
    std::string problem_;
};

// The field tables. `Walk` is the writer or the reader; the records are
// const for the writer.

template <typename Walk, typename Pilot>
void PilotFields(Walk& w, Pilot& p)
{
    const std::size_t topRank = RankThresholds.size() - 1;
    w.Text(p.Name, "the pilot's name");
    w.Byte(p.Avatar, 1, 7, "the portrait");
    w.I32(p.Cash);
    w.Byte(p.TradeRank, 0, topRank, "the trade rank");
    w.Byte(p.CombatRank, 0, topRank, "the combat rank");
    w.Real(p.GameDate, "the game date");
    w.Byte(p.Galaxy, 1, GalaxyCount, "the galaxy");
    w.Byte(p.Star);
    w.Byte(p.Reserved);
    w.I32(p.Score);
    w.Byte(p.Class, 1, ClassNames.size() - 1, "the class");
    w.Extended(p.TradePoints, "the trade points");
    w.Extended(p.CombatPoints, "the combat points");
    for (auto& row : p.Cargo) w.U16(row.Quantity);
}

template <typename Walk, typename Row>
void MarketRowFields(Walk& w, Row& row)
{
    w.U16(row.Quantity);
    w.I32(row.SellPrice);
    w.I32(row.BuyPrice);
    w.Check(row.BuyPrice >= 0 && row.SellPrice >= row.BuyPrice && row.SellPrice <= MostPrice,
            "a market's prices are out of range");
}

template <typename Walk, typename Planet>
void PlanetFields(Walk& w, Planet& planet)
{
    w.Text(planet.Name, "a planet's name");
    w.Real(planet.Radius, "a planet's size");
    w.Real(planet.OrbitRadius, "a planet's orbit");
    w.Real(planet.OrbitSpeed, "a planet's orbit");
    w.Real(planet.OrbitTilt, "a planet's orbit");
}

template <typename Walk, typename Star>
void StarFields(Walk& w, Star& s, std::size_t number)
{
    w.Text(s.Name, "a star's name");
    w.Byte(s.Government, 0, GovernmentNames.size() - 1, "a star's government");
    w.Byte(s.TechLevel, 1, 10, "a star's tech level");
    w.Byte(s.SpectralClass, 1, SpectralClassCount, "a star's spectral class");
    w.Byte(s.Number, number, number, "a star's number");
    w.Byte(s.Marker);
    w.Byte(s.Size, 5, 12, "a star's size");
    w.Real(s.X, "a star's position");
    w.Real(s.Y, "a star's position");
    w.Real(s.Z, "a star's position");
    for (auto& row : s.PriceList) MarketRowFields(w, row);
    w.Byte(s.PlanetCount, 1, MaxPlanets, "a star's planet count");
    for (std::size_t p = 1; p <= s.PlanetCount && w.Ok(); ++p) PlanetFields(w, s.Planets[p]);
}

template <typename Walk, typename Name, typename Extras, typename Count>
void GalaxyHeadFields(Walk& w, Name& name, Extras& extras, Count& starCount)
{
    w.Text(name, "a galaxy's name");
    for (auto& extra : extras) w.Real(extra, "a galaxy's figures");
    w.Byte(starCount, LeastStars, MostStars, "a galaxy's star count");
}

template <typename Walk, typename Galaxies>
void GalaxyFields(Walk& w, Galaxies& galaxies)
{
    for (auto& g : galaxies) {
        GalaxyHeadFields(w, g.Name, g.Extras, g.StarCount);
        for (std::size_t j = 1; j <= g.StarCount && w.Ok(); ++j) StarFields(w, g.Stars[j], j);
    }
}

// The name of the pilot's star, read through the galaxies one star at a
// time into one record, up to that star.
std::string PilotStarName(Reader& r, const kvPlayer& pilot)
{
    kvStar star;
    std::string name;
    decltype(kvGalaxy::Extras) extras{};
    uint8_t count = 0;
    for (uint8_t g = 1; g <= GalaxyCount && r.Ok(); ++g) {
        GalaxyHeadFields(r, name, extras, count);
        for (uint8_t j = 1; j <= count && r.Ok(); ++j) {
            StarFields(r, star, j);
            if (g == pilot.Galaxy && j == pilot.Star) return star.Name;
        }
        if (g == pilot.Galaxy) r.Fail("the pilot's star does not exist");
    }
    return "";
}

template <typename Walk, typename Row>
void CareerRowFields(Walk& w, Row& row)
{
    w.I32(row.GenBuy);
    w.I32(row.GenSell);
    w.U16(row.GenQuantity);
    w.Real(row.Pressure, "a market's memory", MostPressure);
    w.Real(row.NewsFactor, "a market's news", MostNewsFactor);
    w.Real(row.NewsUntil, "a market's news");
    w.Check(row.GenBuy >= 0 && row.GenSell >= row.GenBuy && row.GenSell <= MostPrice && row.NewsFactor > 0,
            "a market's memory is out of range");
}

template <typename Walk, typename Contract>
void ContractFields(Walk& w, Contract& c)
{
    w.Byte(c.Goods, 1, GoodsCount, "a contract's goods");
    w.U16(c.Units);
    w.Byte(c.Galaxy, 1, GalaxyCount, "a contract's galaxy");
    w.Byte(c.Star, 1, MostStars, "a contract's star");
    w.Real(c.Due, "a contract's date");
    w.I32(c.Reward);
    w.I32(c.Deposit);
    w.Check(c.Reward >= 0 && c.Deposit >= 0, "a contract's money is below zero");
}

template <typename Walk, typename List>
void ContractListFields(Walk& w, List& list, std::size_t most, const char* what)
{
    auto count = static_cast<uint8_t>(list.size());
    w.Byte(count, 0, most, what);
    if constexpr (Walk::Reading) list.resize(w.Ok() ? count : 0);
    for (auto& c : list) ContractFields(w, c);
}

// A career's state, version 2 on: the rule set, then for a career what the
// hold cost, the tallies, the contracts and every star's market memory.
template <typename Walk, typename World>
void CareerFields(Walk& w, World& world)
{
    auto rules = static_cast<uint8_t>(world.Rules);
    w.Byte(rules, 0, 1, "the rules");
    if constexpr (Walk::Reading) {
        world.Rules = static_cast<RuleSet>(rules);
        world.Career = CareerState{};
    }
    if (world.Rules != RuleSet::Career || !w.Ok()) return;
    auto& c = world.Career;
    if constexpr (Walk::Reading) c.Markets = std::make_unique<CareerMarkets>();
    for (auto& paid : c.CostPaid) w.Real(paid, "what the hold cost", MostCost);
    for (auto& place : c.BoughtAt) w.U16(place);
    w.U32(c.Kills);
    w.U32(c.Deliveries);
    w.U32(c.ShipsLost);
    w.U16(c.GalaxiesReached);
    ContractListFields(w, c.Offers, career::MostOffers, "the contract offers");
    ContractListFields(w, c.Accepted, career::MostContracts, "the accepted contracts");
    for (std::size_t g = 1; g <= GalaxyCount; ++g)
        for (std::size_t j = 1; j <= (*world.galaxies)[g].StarCount && w.Ok(); ++j) {
            auto& star = (*c.Markets)[g][j];
            w.Real(star.Settled, "a market's date");
            for (auto& row : star.Rows) CareerRowFields(w, row);
        }
}

// The body's fields before the galaxies, of a SavedGame or of a summary's
// smaller record of the same names.
template <typename Walk, typename Save>
void HeadFields(Walk& w, Save& save)
{
    w.I64(save.SavedAt);
    PilotFields(w, save.world.Pilot);
    w.Byte(save.world.Difficulty, 1, 3, "the difficulty");
    w.Real(save.world.Ship.Fuel, "the fuel reserve");
    w.Byte(save.HullChoice, 1, CatalogueRoom, "the hull");
    w.Byte(save.EngineChoice, 1, CatalogueRoom, "the engine");
    w.Byte(save.WeaponChoice, 1, CatalogueRoom, "the weapon");
    w.Byte(save.SelectedStar);
    w.Byte(save.MapLevel, 0, 2, "the star map's level");
}

template <typename Walk, typename Save>
void BodyFields(Walk& w, Save& save)
{
    HeadFields(w, save);
    GalaxyFields(w, *save.world.galaxies);
    if (w.Version() >= 2) {
        CareerFields(w, save.world);
    } else if constexpr (Walk::Reading) {
        save.world.Rules = RuleSet::Classic;
        save.world.Career = CareerState{};
    }
}

// The stars the pilot is at and looks at, and the contracts' stars, must
// exist in their galaxies.
void CheckPlaces(Reader& r, const SavedGame& save)
{
    const kvPlayer& pilot = save.world.Pilot;
    const uint8_t stars = (*save.world.galaxies)[pilot.Galaxy].StarCount;
    if (pilot.Star < 1 || pilot.Star > stars) r.Fail("the pilot's star does not exist");
    if (save.SelectedStar > stars) r.Fail("the selected star does not exist");
    for (const std::vector<Contract>* list : {&save.world.Career.Offers, &save.world.Career.Accepted})
        for (const Contract& c : *list)
            if (c.Star > (*save.world.galaxies)[c.Galaxy].StarCount) r.Fail("a contract's star does not exist");
}

void ReadBody(Reader& r, SavedGame& save)
{
    BodyFields(r, save);
    save.Version = r.Version();
    if (!r.Failed()) CheckPlaces(r, save);
    if (!r.Failed() && !r.AtEnd()) r.Fail("the file goes on past its end");
}

SaveRead Damaged(std::string why) { return SaveRead{SaveState::Damaged, std::move(why), nullptr}; }

// The refusal of a file whose mark, version, length or checksum is wrong, or
// nothing, with `body` set, when the body can be read. Nothing big is made
// before this passes.
std::optional<SaveRead> RefusedHeader(std::string_view bytes, std::string_view& body, uint32_t& version)
{
    if (bytes.empty()) return Damaged("the file is empty");
    if (bytes.size() > MostSaveBytes) return Damaged("the file is larger than a save can be");
    if (bytes.size() < Mark.size() || bytes.substr(0, Mark.size()) != Mark) return Damaged("it is not a saved game");
    Reader header(bytes.substr(Mark.size(), HeaderBytes - Mark.size()), 0);
    version = static_cast<uint32_t>(header.Whole(4));
    const auto length = header.Whole(4);
    const uint64_t checksum = header.Whole(8);
    if (header.Failed()) return Damaged(header.Problem());
    if (version > SaveFormatVersion)
        return SaveRead{SaveState::Newer, "it was saved by a newer version of the game", nullptr};
    if (version < OldestSaveVersion) return Damaged("its format version is unknown");
    body = bytes.substr(HeaderBytes);
    if (body.size() < length) return Damaged("the file is cut short");
    if (body.size() > length) return Damaged("the file goes on past its end");
    if (SaveChecksum(body) != checksum) return Damaged("its checksum does not match");
    return std::nullopt;
}

SaveRead DecodeBody(std::string_view body, uint32_t version, SavedGame& save)
{
    Reader r(body, version);
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

void CaptureCareer(const World& from, World& into)
{
    into.Rules = from.Rules;
    const CareerState& c = from.Career;
    CareerState& copy = into.Career;
    copy.Markets = c.Markets ? std::make_unique<CareerMarkets>(*c.Markets) : nullptr;
    copy.CostPaid = c.CostPaid;
    copy.BoughtAt = c.BoughtAt;
    copy.Offers = c.Offers;
    copy.Accepted = c.Accepted;
    copy.Kills = c.Kills;
    copy.Deliveries = c.Deliveries;
    copy.ShipsLost = c.ShipsLost;
    copy.GalaxiesReached = c.GalaxiesReached;
}

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
    Writer body(save.Version);
    BodyFields(body, save);
    Writer file(save.Version);
    file.Bytes().append(Mark);
    file.Whole(save.Version, 4);
    file.Whole(body.Bytes().size(), 4);
    file.Whole(SaveChecksum(body.Bytes()), 8);
    file.Bytes().append(body.Bytes());
    return std::move(file.Bytes());
}

SaveRead DecodeSave(std::string_view bytes)
{
    std::string_view body;
    uint32_t version = 0;
    if (std::optional<SaveRead> refused = RefusedHeader(bytes, body, version)) return std::move(*refused);
    auto save = std::make_unique<SavedGame>();
    SaveRead read = DecodeBody(body, version, *save);
    if (read.State == SaveState::Good) read.Game = std::move(save);
    return read;
}

SaveRead DecodeSave(std::string_view bytes, SavedGame& into)
{
    std::string_view body;
    uint32_t version = 0;
    if (std::optional<SaveRead> refused = RefusedHeader(bytes, body, version)) return std::move(*refused);
    return DecodeBody(body, version, into);
}

SummaryRead SummariseSave(std::string_view bytes)
{
    SummaryRead read;
    std::string_view body;
    uint32_t version = 0;
    if (std::optional<SaveRead> refused = RefusedHeader(bytes, body, version)) {
        read.State = refused->State;
        read.Problem = std::move(refused->Problem);
        return read;
    }
    Reader r(body, version);
    HeadRecord head;
    HeadFields(r, head);
    const kvPlayer& pilot = head.world.Pilot;
    read.Summary = SaveSummary{pilot.Name, pilot.TradeRank, pilot.Cash, "", pilot.Galaxy, pilot.GameDate, head.SavedAt};
    read.Summary.StarName = PilotStarName(r, pilot);
    read.State = r.Failed() ? SaveState::Damaged : SaveState::Good;
    read.Problem = r.Problem();
    return read;
}

}  // namespace kv
