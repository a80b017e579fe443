// The two side panels about the pilot: the player window (portrait, name,
// class, date, ranks, cash, score, jump limit) and the ship window, whose
// five-row list picks hull, engine and weapon from the catalogues and fits
// them to the ship.
#pragma once

#include <cstdint>

namespace kv {

struct Game;
struct Hud;
struct ShipCatalogue;

// Loads the picture of every hull of the catalogue that has one, for the
// ship window to show; a hull without a picture shows none.
void LoadHullPictures(Hud& hud, const ShipCatalogue& equipment);

void ComposePlayerWindow(Game& game);
// Rebuilds the ship window and fits the chosen parts to the pilot's ship.
void ComposeShipWindow(Game& game);
// The ship window's click handler: picks the row under y.
void SelectShipRow(Game& game, int16_t x, int16_t y, uint8_t button);
// ">" and "<": the next or previous catalogue entry in the selected row.
void NextShipPart(Game& game);
void PreviousShipPart(Game& game);

}  // namespace kv
