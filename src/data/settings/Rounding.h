#pragma once

// The two roundings every average goes through.
namespace data {

// Rounding modes of the `Arredondamento` setting.
enum RoundingMode : int
{
    NoRounding = 0,
    RoundUpToHalf = 1,    // 5,1 .. 5,4 -> 5,5; 5,6 .. 5,9 -> 6,0
    RoundNearestHalf = 2, // 4,8 .. 5,2 -> 5,0; 5,3 .. 5,7 -> 5,5 (quarters go down)
};

// R1: one decimal. Cuts to two decimals, then rounds the second one away with halves going to
// the even digit: 6,649 -> 6,6; 6,25 -> 6,2; 6,75 -> 6,8.
double roundOneDecimal(double value);

// SR: the school's rounding of an average by mode (0, 1 or 2); other modes leave it unchanged.
double schoolRound(double value, int mode);

// SR with the mode of the loaded settings.
double schoolRound(double value);

} // namespace data
