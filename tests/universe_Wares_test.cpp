#include "universe/Wares.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

struct Range {
    int64_t Low = INT64_MAX;
    int64_t High = INT64_MIN;
    void Add(int64_t v)
    {
        Low = std::min(Low, v);
        High = std::max(High, v);
    }
};

TEST(GoodsCatalogue, HoldsTheTwelveGoodsInTheirFixedOrder)
{
    const kv::GoodsTable goods = kv::GoodsCatalogue();
    EXPECT_EQ(goods[1].Name, "Prodium");
    EXPECT_EQ(goods[1].AttrA, 18);
    EXPECT_EQ(goods[1].AttrB, 4);
    EXPECT_EQ(goods[1].BasePrice, 500.0);
    EXPECT_EQ(goods[kv::FuelGoods].Name, "Fuel");
    EXPECT_EQ(goods[kv::FuelGoods].BasePrice, 22.0);
    EXPECT_EQ(goods[7].Name, "Clones");
    EXPECT_EQ(goods[7].BasePrice, 680.0);
    EXPECT_EQ(goods[8].Name, "Luxury goods");
    EXPECT_EQ(goods[12].Name, "Energy cells");
    EXPECT_EQ(goods[12].AttrA, 14);
    EXPECT_EQ(goods[12].BasePrice, 110.0);
    for (const kv::kvGoods& g : goods) EXPECT_GT(g.BasePrice, 0.0) << g.Name;
}

TEST(MarketRules, ExtremeDrawsGiveTheDocumentedBounds)
{
    EXPECT_EQ(kv::MarketBuyPrice(22.0, 10, 0), 11);
    EXPECT_EQ(kv::MarketBuyPrice(22.0, 10, 24), 16);  // 16.28
    EXPECT_EQ(kv::MarketBuyPrice(22.0, 1, 0), 21);    // 20.9
    EXPECT_EQ(kv::MarketBuyPrice(22.0, 1, 24), 26);   // 26.18
    EXPECT_EQ(kv::MarketBuyPrice(500.0, 10, 0), 250);
    EXPECT_EQ(kv::MarketBuyPrice(500.0, 1, 24), 595);
    // The markup of a cheap row can vanish: 11 * 1.005 = 11.055.
    EXPECT_EQ(kv::MarketSellPrice(11, 0), 11);
    EXPECT_EQ(kv::MarketSellPrice(1000, 0), 1005);
    EXPECT_EQ(kv::MarketSellPrice(1000, 49), 1054);
    EXPECT_EQ(kv::MarketQuantity(22.0, 10, 5999), 5000);  // 4999.55
    EXPECT_EQ(kv::MarketQuantity(22.0, 10, 0), 2273);
    EXPECT_EQ(kv::MarketQuantity(680.0, 1, 0), 7);  // 7.35
    EXPECT_EQ(kv::MarketQuantity(680.0, 1, 5999), 16);
}

TEST(MarketRules, StockHalvesRoundToEven)
{
    // Food at tech level 1: 5020 / 40 = 125.5 and 5060 / 40 = 126.5.
    EXPECT_EQ(kv::MarketQuantity(40.0, 1, 20), 126);
    EXPECT_EQ(kv::MarketQuantity(40.0, 1, 60), 126);
}

TEST(MarketRow, DrawsBuySellAndStockInThatOrderAndKeepsTheGoods)
{
    const kv::GoodsTable goods = kv::GoodsCatalogue();
    kv::Random random(12345);
    kv::Random replay(12345);
    kv::PriceListItem row;
    row.Goods.Name = "kept";
    kv::GenerateMarketRow(row, goods[9], 6, random);
    const uint32_t r = replay.Next(25), s = replay.Next(50), q = replay.Next(6000);
    EXPECT_EQ(row.BuyPrice, kv::MarketBuyPrice(240.0, 6, r));
    EXPECT_EQ(row.SellPrice, kv::MarketSellPrice(row.BuyPrice, s));
    EXPECT_EQ(row.Quantity, kv::MarketQuantity(240.0, 6, q));
    EXPECT_EQ(random.CurrentSeed(), replay.CurrentSeed());
    EXPECT_EQ(row.Goods.Name, "kept");
}

TEST(MarketRow, ManyRowsStayInTheExampleRanges)
{
    const kv::GoodsTable goods = kv::GoodsCatalogue();
    kv::Random random(7);
    Range fuelBuy10, fuelBuy1, prodiumBuy10, prodiumBuy1, fuelStock10, fuelStock1, clonesStock10, clonesStock1;
    for (int i = 0; i < 20000; ++i) {
        for (uint8_t tech : {uint8_t{1}, uint8_t{10}}) {
            kv::PriceListItem fuel, prodium, clones;
            kv::GenerateMarketRow(fuel, goods[3], tech, random);
            kv::GenerateMarketRow(prodium, goods[1], tech, random);
            kv::GenerateMarketRow(clones, goods[7], tech, random);
            for (const kv::PriceListItem* row : {&fuel, &prodium, &clones}) {
                ASSERT_GE(row->SellPrice, row->BuyPrice);
                ASSERT_LE(row->SellPrice, row->BuyPrice * 1.054 + 0.5);
                ASSERT_LE(row->Quantity, 5000);
            }
            (tech == 10 ? fuelBuy10 : fuelBuy1).Add(fuel.BuyPrice);
            (tech == 10 ? prodiumBuy10 : prodiumBuy1).Add(prodium.BuyPrice);
            (tech == 10 ? fuelStock10 : fuelStock1).Add(fuel.Quantity);
            (tech == 10 ? clonesStock10 : clonesStock1).Add(clones.Quantity);
        }
    }
    EXPECT_EQ(fuelBuy10.Low, 11);
    EXPECT_EQ(fuelBuy10.High, 16);
    EXPECT_EQ(fuelBuy1.Low, 21);
    EXPECT_EQ(fuelBuy1.High, 26);
    EXPECT_EQ(prodiumBuy10.Low, 250);
    EXPECT_EQ(prodiumBuy10.High, 370);
    EXPECT_EQ(prodiumBuy1.Low, 475);
    EXPECT_EQ(prodiumBuy1.High, 595);
    EXPECT_EQ(fuelStock10.Low, 2273);
    EXPECT_EQ(fuelStock10.High, 5000);
    EXPECT_EQ(fuelStock1.Low, 227);
    EXPECT_EQ(fuelStock1.High, 500);
    EXPECT_EQ(clonesStock10.Low, 74);
    EXPECT_EQ(clonesStock10.High, 162);
    EXPECT_EQ(clonesStock1.Low, 7);
    EXPECT_EQ(clonesStock1.High, 16);
}

}  // namespace
