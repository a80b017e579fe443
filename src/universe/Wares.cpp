#include "universe/Wares.h"

#include <cmath>

namespace kv {

GoodsTable GoodsCatalogue()
{
    GoodsTable table;
    table[1] = {"Prodium", 18, 4, 500.0};
    table[2] = {"Nanocrystals", 2, 2, 215.0};
    table[3] = {"Fuel", 10, 20, 22.0};
    table[4] = {"Medicines", 6, 8, 100.0};
    table[5] = {"Food", 4, 10, 40.0};
    table[6] = {"Ore", 13, 15, 70.0};
    table[7] = {"Clones", 12, 17, 680.0};
    table[8] = {"Luxury goods", 1, 2, 595.0};
    table[9] = {"Weapon", 10, 13, 240.0};
    table[10] = {"Polymers", 2, 8, 95.0};
    table[11] = {"Uranium", 20, 5, 300.0};
    table[12] = {"Energy cells", 14, 11, 110.0};
    return table;
}

int64_t NearestExtended(long double v)
{
    return static_cast<int64_t>(std::nearbyint(v));
}

int32_t MarketBuyPrice(double basePrice, uint8_t techLevel, uint32_t r)
{
    const long double base = basePrice;
    const long double price = base * r / 100.0L + (1.0L - 0.05L * techLevel) * base;
    return static_cast<int32_t>(NearestExtended(price));
}

int32_t MarketSellPrice(int32_t buyPrice, uint32_t s)
{
    const long double markup = 1.0L + (static_cast<long double>(s) + 5.0L) / 1000.0L;
    return static_cast<int32_t>(NearestExtended(markup * buyPrice));
}

// At most 5000 units (Fuel at tech level 10, q = 5999: 4999.55), so the
// 16-bit store never wraps at generation.
uint16_t MarketQuantity(double basePrice, uint8_t techLevel, uint32_t q)
{
    const long double units = (static_cast<long double>(q) + 5000.0L) * techLevel / basePrice;
    return static_cast<uint16_t>(NearestExtended(units));
}

void GenerateMarketRow(PriceListItem& row, const kvGoods& goods, uint8_t techLevel, Random& random)
{
    const uint32_t r = random.Next(25);
    row.BuyPrice = MarketBuyPrice(goods.BasePrice, techLevel, r);
    const uint32_t s = random.Next(50);
    row.SellPrice = MarketSellPrice(row.BuyPrice, s);
    const uint32_t q = random.Next(6000);
    row.Quantity = MarketQuantity(goods.BasePrice, techLevel, q);
}

}  // namespace kv
