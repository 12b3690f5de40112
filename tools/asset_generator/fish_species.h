#pragma once

// The description of one kind of fish from which its model and texture are
// made: body outline, fins, skeleton, swimming rhythm and colours. Lengths are
// world units; t runs along the body from the snout (0) to the root of the
// tail fin (1); angles are radians.

#include <string>
#include <vector>

#include "tools/asset_generator/image.h"

namespace assets {

// One station of the body outline. The cross-section at t is an ellipse of
// the given half-width (x) and half-height (y) around the spine height
// centreY.
struct ProfileKey {
    double t = 0.0;
    double halfWidth = 0.0;
    double halfHeight = 0.0;
    double centreY = 0.0;
};

// A point of a fin's height curve: s runs along the fin's base from front (0)
// to back (1).
struct FinHeightKey {
    double s = 0.0;
    double height = 0.0;
};

// A fin on the back (dorsal) or the belly (anal), standing in the plane x = 0.
struct MedianFin {
    double start = 0.0;  // t of the fin's front
    double end = 0.0;    // t of the fin's back
    std::vector<FinHeightKey> heights;
    double rake = 0.0;  // backward lean: z shift of the edge per unit of height
};

// The tail fin behind t = 1, standing in the plane x = 0.
// Its length is the part of totalLength behind the body.
struct CaudalFin {
    double spread = 0.0;  // half the vertical span at the lobe tips
    double fork = 0.0;    // 0 square edge .. 1 centre notch reaching the root
};

// A pair of fins on the flanks, one on each side.
struct PairedFin {
    double t = 0.0;             // front of the fin's base
    double attachHeight = 0.0;  // cos of the angle from the top of the cross-section
    double length = 0.0;        // from base to edge
    double width = 0.0;         // length of the base along the body
    double down = 0.0;          // downward share of the fin's direction
    double out = 0.0;           // outward share of the fin's direction
};

enum class SkinPattern {
    kBeanSpots,     // pale bean-shaped spots in rows (pike)
    kVerticalBars,  // dark vertical bars and an orange breast (bluegill)
    kLateralBand,   // a dark blotched band along the flank (black bass)
};

struct FishSpecies {
    std::string stem;                 // file name stem: "<stem>.x", "<stem>_skin.png"
    double totalLength = 0.0;         // snout to tail tips
    double bodyFraction = 0.0;        // share of totalLength from the snout to t = 1
    std::vector<ProfileKey> profile;  // ascending t from 0 to 1
    double keel = 0.0;                // 0 elliptic .. 1 knife-edged at back and belly

    double mouthEnd = 0.0;     // t where the mouth cleft ends
    double mouthHeight = 0.0;  // cos of the cleft's angle from the top
    double mouthDepth = 0.0;   // share of the radius the cleft cuts in at the snout

    double eyeT = 0.0;
    double eyeHeight = 0.0;  // cos of the eye's angle from the top
    double eyeRadius = 0.0;
    double gillT = 0.0;  // t of the gill cover's rear edge

    std::vector<MedianFin> dorsalFins;
    std::vector<MedianFin> analFins;
    CaudalFin caudal;
    PairedFin pectoral;
    PairedFin pelvic;

    std::vector<double> jointT;          // t of each bone's joint, head first
    std::vector<double> swimAmplitudes;  // peak bend at each joint
    double swimPhaseStep = 0.0;          // phase lag from one joint to the next
    int swimPeriodTicks = 0;             // one beat, at 4800 ticks per second

    SkinPattern pattern = SkinPattern::kBeanSpots;
    Color back;
    Color flank;
    Color belly;
    Color marking;  // spots, bars or band
    Color accent;   // breast colour where the pattern has one
    Color fin;
    Color iris;
};

FishSpecies NorthernPike();
FishSpecies Bluegill();
FishSpecies BlackBass();

// The three fish the program loads, in that order.
std::vector<FishSpecies> AllSpecies();

}  // namespace assets
