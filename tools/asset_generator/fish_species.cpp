#include "tools/asset_generator/fish_species.h"

namespace assets {

// The outlines follow the proportions of the living fish: the pike long and
// low with a flat, spoon-shaped snout and its dorsal fin far back; the
// bluegill almost as deep as it is long and thin from side to side; the bass
// thick, big-headed, with a deep mouth cleft and a notched dorsal fin.

FishSpecies NorthernPike() {
    FishSpecies f;
    f.stem = "northernpike";
    f.totalLength = 60.0;
    f.bodyFraction = 0.86;
    f.profile = {{0.00, 0.45, 0.20, -0.20}, {0.04, 1.00, 0.42, -0.15}, {0.09, 1.35, 0.75, -0.05},
                 {0.15, 1.75, 1.40, 0.15},  {0.22, 2.25, 2.25, 0.30},  {0.32, 2.55, 3.00, 0.35},
                 {0.50, 2.60, 3.40, 0.30},  {0.68, 2.25, 3.15, 0.20},  {0.82, 1.55, 2.40, 0.15},
                 {0.93, 0.85, 1.50, 0.10},  {1.00, 0.60, 1.25, 0.10}};
    f.keel = 0.15;
    f.mouthEnd = 0.13;
    f.mouthHeight = -0.05;
    f.mouthDepth = 0.25;
    f.eyeT = 0.145;
    f.eyeHeight = 0.45;
    f.eyeRadius = 0.75;
    f.gillT = 0.25;
    f.dorsalFins = {{0.70, 0.90, {{0.0, 2.2}, {0.3, 3.0}, {0.7, 2.8}, {1.0, 1.5}}, 0.5}};
    f.analFins = {{0.72, 0.91, {{0.0, 2.0}, {0.3, 2.6}, {0.7, 2.4}, {1.0, 1.3}}, 0.5}};
    f.caudal = {4.4, 0.45};
    f.pectoral = {0.20, -0.55, 3.6, 1.6, 0.35, 0.55};
    f.pelvic = {0.52, -0.85, 3.0, 1.4, 0.55, 0.35};
    f.jointT = {0.18, 0.40, 0.58, 0.74, 0.88};
    f.swimAmplitudes = {0.04, 0.10, 0.17, 0.27, 0.40};
    f.swimPhaseStep = 0.9;
    f.swimPeriodTicks = 5760;  // 1.2 s
    f.pattern = SkinPattern::kBeanSpots;
    f.back = FromBytes(38, 52, 24);
    f.flank = FromBytes(92, 112, 50);
    f.belly = FromBytes(226, 222, 188);
    f.marking = FromBytes(214, 206, 132);
    f.accent = f.belly;
    f.fin = FromBytes(170, 96, 46);
    f.iris = FromBytes(214, 170, 60);
    return f;
}

FishSpecies Bluegill() {
    FishSpecies f;
    f.stem = "bluegill";
    f.totalLength = 32.0;
    f.bodyFraction = 0.80;
    f.profile = {{0.00, 0.35, 0.55, -0.30}, {0.04, 0.95, 1.90, 0.00}, {0.10, 1.45, 3.60, 0.35},
                 {0.20, 1.85, 5.40, 0.60},  {0.35, 2.05, 6.50, 0.70}, {0.50, 1.95, 6.40, 0.60},
                 {0.65, 1.65, 5.30, 0.45},  {0.80, 1.05, 3.20, 0.30}, {0.92, 0.65, 1.75, 0.20},
                 {1.00, 0.50, 1.50, 0.20}};
    f.keel = 0.45;
    f.mouthEnd = 0.05;
    f.mouthHeight = 0.10;
    f.mouthDepth = 0.20;
    f.eyeT = 0.10;
    f.eyeHeight = 0.30;
    f.eyeRadius = 0.80;
    f.gillT = 0.25;
    f.dorsalFins = {
        {0.28,
         0.86,
         {{0.0, 1.5}, {0.15, 2.6}, {0.5, 2.3}, {0.6, 2.2}, {0.75, 3.4}, {0.9, 3.0}, {1.0, 1.2}},
         0.35}};
    f.analFins = {{0.58, 0.88, {{0.0, 1.2}, {0.3, 2.8}, {0.7, 2.8}, {1.0, 1.0}}, 0.35}};
    f.caudal = {4.3, 0.25};
    f.pectoral = {0.22, -0.25, 4.8, 1.3, 0.30, 0.45};
    f.pelvic = {0.30, -0.90, 2.8, 1.0, 0.60, 0.30};
    f.jointT = {0.15, 0.38, 0.56, 0.72, 0.87};
    f.swimAmplitudes = {0.03, 0.07, 0.14, 0.25, 0.42};
    f.swimPhaseStep = 0.8;
    f.swimPeriodTicks = 3840;  // 0.8 s
    f.pattern = SkinPattern::kVerticalBars;
    f.back = FromBytes(44, 66, 54);
    f.flank = FromBytes(96, 112, 110);
    f.belly = FromBytes(236, 214, 140);
    f.marking = FromBytes(40, 48, 44);
    f.accent = FromBytes(236, 130, 40);
    f.fin = FromBytes(78, 90, 70);
    f.iris = FromBytes(150, 60, 40);
    return f;
}

FishSpecies BlackBass() {
    FishSpecies f;
    f.stem = "blackbass";
    f.totalLength = 45.0;
    f.bodyFraction = 0.84;
    f.profile = {{0.00, 0.90, 1.00, -0.50}, {0.04, 1.90, 2.10, -0.25}, {0.10, 2.80, 3.20, 0.00},
                 {0.20, 3.45, 4.40, 0.25},  {0.35, 3.75, 5.20, 0.35},  {0.50, 3.60, 5.20, 0.30},
                 {0.65, 3.05, 4.50, 0.25},  {0.80, 2.05, 3.00, 0.15},  {0.92, 1.25, 1.90, 0.10},
                 {1.00, 1.00, 1.75, 0.10}};
    f.keel = 0.20;
    f.mouthEnd = 0.15;
    f.mouthHeight = -0.05;
    f.mouthDepth = 0.35;
    f.eyeT = 0.105;
    f.eyeHeight = 0.35;
    f.eyeRadius = 0.85;
    f.gillT = 0.28;
    f.dorsalFins = {{0.30,
                     0.74,
                     {{0.0, 2.0},
                      {0.12, 3.6},
                      {0.3, 3.2},
                      {0.45, 1.3},
                      {0.52, 2.6},
                      {0.7, 3.5},
                      {0.9, 3.0},
                      {1.0, 1.2}},
                     0.35}};
    f.analFins = {{0.66, 0.84, {{0.0, 1.5}, {0.3, 3.0}, {1.0, 1.2}}, 0.35}};
    f.caudal = {4.8, 0.15};
    f.pectoral = {0.22, -0.35, 4.0, 1.6, 0.30, 0.50};
    f.pelvic = {0.36, -0.90, 3.4, 1.3, 0.60, 0.30};
    f.jointT = {0.18, 0.40, 0.58, 0.74, 0.88};
    f.swimAmplitudes = {0.04, 0.09, 0.16, 0.26, 0.40};
    f.swimPhaseStep = 0.85;
    f.swimPeriodTicks = 4800;  // 1 s
    f.pattern = SkinPattern::kLateralBand;
    f.back = FromBytes(30, 50, 26);
    f.flank = FromBytes(100, 124, 62);
    f.belly = FromBytes(232, 230, 206);
    f.marking = FromBytes(28, 38, 22);
    f.accent = f.belly;
    f.fin = FromBytes(96, 110, 64);
    f.iris = FromBytes(168, 70, 30);
    return f;
}

std::vector<FishSpecies> AllSpecies() {
    return {NorthernPike(), Bluegill(), BlackBass()};
}

}  // namespace assets
