// Outlines of the two shapes turned on a lathe: pairs of (distance from the axis, height along
// the y axis), as 32-bit floats. Each decimal converts to exactly the stored float.
#pragma once

namespace orv {

struct ProfilePoint {
  float r;
  float h;
};

// A cup of radius about 218 at the top narrowing to a bowl bottom near h = 46, a thin stem down
// to h = -247 and a foot flaring to radius 167.
inline constexpr ProfilePoint GobletProfile[19] = {
    {218.248f, 328.24802f},     {217.96f, 286.632f},     {217.528f, 243.28897f},
    {216.23201f, 200.736f},     {209.89601f, 161.712f},  {197.43999f, 121.608f},
    {169.36f, 90.86398f},       {129.61601f, 73.944f},   {87.92799f, 64.29599f},
    {46.311996f, 46.224f},      {27.231995f, 1.29599f},  {25.216003f, -63.64801f},
    {22.984009f, -124.199005f}, {20.608002f, -187.848f}, {20.751999f, -246.96f},
    {36.160004f, -291.24f},     {74.39201f, -316.44f},   {121.479996f, -323.568f},
    {167.34401f, -328.968f},
};

// A closed outline: a straight inner wall at r = 48 and an outer arc bulging to r = 190 at
// h = 0 and closing near h = +-166.
inline constexpr ProfilePoint BeadProfile[20] = {
    {48.02301f, 94.96802f},    {48.02301f, 140.544f},     {63.071014f, 166.82404f},
    {94.46301f, 165.60004f},   {125.423004f, 143.35199f}, {151.055f, 115.63202f},
    {172.871f, 80.35199f},     {186.19101f, 38.160004f},  {189.79102f, 0.0f},
    {186.047f, -37.655975f},   {172.943f, -77.90399f},    {151.199f, -114.55197f},
    {125.27899f, -142.48798f}, {93.959015f, -165.59998f}, {62.927002f, -166.53598f},
    {47.95099f, -141.26297f},  {48.02301f, -92.51999f},   {48.02301f, -44.28f},
    {48.02301f, 0.720001f},    {48.02301f, 47.880005f},
};

}  // namespace orv
